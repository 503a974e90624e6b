#pragma once

#include "accounts/PasswordLock.h"
#include "accounts/TransactionFind.h"
#include "platform/Clock.h"
#include "shell/MainBook.h"
#include "toolkit/ui/DialogInteraction.h"

#include <functional>
#include <optional>

class QMenu;
class QWidget;
class RegisterPage;
class MainCommands;

// The account page's commands that open a window: "Create New Account",
// "Edit Account", deleting the account, "Find" and "Find Next", "Delete the
// Old Transactions", "Recalc Balance..." and the options sheet. Each asks
// through its dialog, calls the same logic as tallyra-cli, shows the outcome
// in the register, and gives the focus back to the control that had it.
class AccountPageActions {
public:
    static constexpr const char* RecalcMenuText = "Recalc Balance...";
    static constexpr const char* CreateFailedText = "The account could not be created.";
    static constexpr const char* EditFailedText = "The account could not be changed.";
    static constexpr const char* DeleteFailedText = "The account could not be deleted; nothing was changed.";
    static constexpr const char* PurgeFailedText =
        "The old transactions could not be deleted; nothing was changed.";
    static constexpr const char* RecalcFailedText =
        "The balances of some accounts could not be recalculated.";

    // All must outlive the actions. `lockChanged` runs after the options sheet
    // saved new lock settings.
    AccountPageActions(MainBook& book, const Clock& clock, PasswordLock& lock, RegisterPage& page,
                       DialogInteraction& ui, QWidget& window, std::function<void()> lockChanged);

    void newAccount();
    void editAccount();
    void deleteAccount();
    void find();
    void findNext();
    void deleteOldTransactions();
    void recalcBalances();
    void options();

    const std::optional<TransactionFind::Query>& findQuery() const { return m_query; }

    // The page control's menu: the account commands of `commands`, then
    // "Recalc Balance..." and the options.
    void fillMenu(QMenu& menu, const MainCommands& commands);

private:
    void search();

    MainBook& m_book;
    const Clock& m_clock;
    PasswordLock& m_lock;
    RegisterPage& m_page;
    DialogInteraction& m_ui;
    QWidget& m_window;
    std::function<void()> m_lockChanged;
    // Kept from "Find" for "Find Next" for the rest of the run.
    std::optional<TransactionFind::Query> m_query;
};
