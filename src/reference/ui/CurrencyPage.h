#pragma once

#include "reference/CurrencyPageForm.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// `CCurrencyPage`, the "Currency" page of the options sheet: the widgets over
// CurrencyPageForm, which holds the selections, the shown texts and what
// typing stores. A rate text that is no usable rate stores nothing; leaving
// the field then says so and shows the stored rate again.
class CurrencyPage : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* BadRateText = "The rate must be a number above 0.";
    static constexpr const char* SuffixFailedText = "The suffix could not be written.";

    CurrencyPage(CurrencyCache& cache, const QString& defaultCode, QWidget* parent = nullptr);

    CurrencyPageForm& form() { return m_form; }
    QListWidget* currencyList() const { return m_list; }
    QLineEdit* suffixEdit() const { return m_suffix; }
    QComboBox* rateCurrencyBox() const { return m_combo; }
    QLineEdit* rateEdit() const { return m_rate; }
    QPushButton* setDefaultButton() const { return m_setDefault; }
    QLabel* defaultLine() const { return m_default; }

Q_SIGNALS:
    // "Set Default" chose this currency: the caller keeps it as the default.
    void defaultChosen(const QString& code);

private:
    void fill();
    void showSelection();
    void checkRate();

    CurrencyPageForm m_form;
    QListWidget* m_list;
    QLineEdit* m_suffix;
    QComboBox* m_combo;
    QLineEdit* m_rate;
    QPushButton* m_setDefault;
    QLabel* m_default;
};
