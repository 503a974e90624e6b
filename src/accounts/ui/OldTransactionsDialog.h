#pragma once

#include <QDialog>

class QCheckBox;
class QListWidget;
class QPushButton;

// "Delete the Old Transactions": the account's prompt, the list of periods
// ("All" … "1 Month") and "Delete only Cleared && Reconciled". No period is
// chosen when it opens, and OK waits for one: removing is not undone.
class OldTransactionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OldTransactionsDialog(const QString& accountName, QWidget* parent = nullptr);

    // The chosen period's days (OldTransactionPurge::Periods), -1 for none.
    int days() const;
    bool clearedOnly() const;
    QListWidget* periodList() const { return m_periods; }
    QCheckBox* clearedOnlyBox() const { return m_clearedOnly; }
    QPushButton* okButton() const { return m_ok; }

private:
    QListWidget* m_periods;
    QCheckBox* m_clearedOnly;
    QPushButton* m_ok;
};
