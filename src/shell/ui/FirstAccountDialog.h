#pragma once

#include "accounts/AccountDraft.h"
#include "accounts/AccountName.h"
#include "shell/FirstAccountSource.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// "Create New Account": "Description:", "Currency:" (the built-in currencies
// as name (code)) and "Opening balance:". Start-up asks it for the first
// account (Cancel ends the program); the account page's "New Account..." for
// every later one.
class FirstAccountDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* TitleText = "Create New Account";
    static constexpr const char* BadAmountText = "The opening balance is not an amount.";
    static constexpr const char* NoNameText = AccountName::MissingText;

    FirstAccountDialog(QStringView defaultCurrency, QWidget* parent = nullptr);

    // The draft OK accepted; valid once exec() returned Accepted.
    const AccountDraft& draft() const { return m_draft; }
    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* currencyBox() const { return m_currency; }
    QLineEdit* openingEdit() const { return m_opening; }

    void accept() override;

private:
    QLineEdit* m_name;
    QComboBox* m_currency;
    QLineEdit* m_opening;
    AccountDraft m_draft;
};

// Start-up's first-account request answered by the dialog.
class FirstAccountPrompt : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView defaultCurrency) override;
};
