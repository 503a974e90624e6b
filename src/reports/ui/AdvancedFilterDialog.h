#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class ReportFilter;

// "Advanced Filter": the text, amount and number conditions, the reconcile
// marks, and a box that clears the lists of the selection tree. It opens with
// the filter's conditions; OK writes them back by the filter's own setters, so
// only real changes count as changes. An amount that is not a number keeps
// the dialog open with a message.
class AdvancedFilterDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Advanced Filter";
    static constexpr const char* BadAmountText = "The amount is not a number.";

    explicit AdvancedFilterDialog(ReportFilter& filter, QWidget* parent = nullptr);

    // True when the dialog's OK emptied lists that were set before: the
    // selection tree must then lose its check marks.
    bool clearedLists() const { return m_clearedLists; }

    void accept() override;

private:
    struct TextRow {
        QCheckBox* box;
        QLineEdit* edit;
    };
    TextRow textRow(const QString& label, int field);
    bool applyAmounts();
    void applyTexts();
    void applyMarks();

    ReportFilter& m_filter;
    TextRow m_description;
    TextRow m_note;
    TextRow m_contact;
    TextRow m_number;
    QCheckBox* m_amount;
    QLineEdit* m_amountIn;
    QLineEdit* m_amountOut;
    QCheckBox* m_unreconciled;
    QCheckBox* m_cleared;
    QCheckBox* m_reconciled;
    QCheckBox* m_lists;
    bool m_clearedLists = false;
};
