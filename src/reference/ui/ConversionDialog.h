#pragma once

#include "reference/ConversionConfirmation.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// "Confirm Currency Convertation" over its form: row 1 the rate (two edits),
// row 2 the amounts (an edit or a label on the left, a label on the right).
// Every recalculation is the form's; the dialog only shows what it writes.
class ConversionDialog : public QDialog {
    Q_OBJECT
public:
    ConversionDialog(CurrencyConversionForm& form, QWidget* parent = nullptr);
    ~ConversionDialog() override;

    QLineEdit* leftRateEdit() const { return m_leftRate; }
    QLineEdit* rightRateEdit() const { return m_rightRate; }
    QLineEdit* leftAmountEdit() const { return m_leftAmount; }

private:
    void showWrite(CurrencyConversionForm::Field field, const QString& text);

    CurrencyConversionForm& m_form;
    QLineEdit* m_leftRate;
    QLineEdit* m_rightRate;
    QLineEdit* m_leftAmount;
    QLabel* m_rightAmount;
};

// The confirmation asked through the dialog; Cancel yields nullopt.
class ConversionPrompt : public ConversionConfirmation {
public:
    explicit ConversionPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    std::optional<CurrencyConversionForm::Outcome> confirm(CurrencyConversionForm& form) override;

private:
    QWidget* m_parent;
};
