#include "shell/ui/AccountPageActions.h"

#include "accounts/AccountCreator.h"
#include "accounts/AccountEdit.h"
#include "accounts/AccountList.h"
#include "accounts/BalanceRecalc.h"
#include "accounts/OldTransactionPurge.h"
#include "accounts/ui/EditAccountDialog.h"
#include "accounts/ui/FindDialog.h"
#include "accounts/ui/OldTransactionsDialog.h"
#include "shell/MainAccountDeletion.h"
#include "shell/ShownAccount.h"
#include "shell/ui/FirstAccountDialog.h"
#include "shell/ui/MainCommands.h"
#include "shell/ui/OptionsSheet.h"
#include "shell/ui/RegisterPage.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>

namespace {

// The control that had the focus gets it back when the command ends.
class FocusKeeper {
public:
    FocusKeeper() : m_focus(QApplication::focusWidget()) {}
    ~FocusKeeper()
    {
        if (m_focus)
            m_focus->setFocus();
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> m_focus;
};

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

AccountPageActions::AccountPageActions(MainBook& book, const Clock& clock, PasswordLock& lock,
                                       RegisterPage& page, DialogInteraction& ui, QWidget& window,
                                       std::function<void()> lockChanged)
    : m_book(book), m_clock(clock), m_lock(lock), m_page(page), m_ui(ui), m_window(window),
      m_lockChanged(std::move(lockChanged))
{
}

void AccountPageActions::newAccount()
{
    FocusKeeper focus;
    FirstAccountDialog dialog(m_book.state().defaultCurrency, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const qint32 id = AccountCreator(m_book.tables(), m_book.currencies(), m_clock).create(dialog.draft());
    if (id == 0) {
        m_ui.showMessage(QString::fromLatin1(CreateFailedText), Interaction::Icon::Exclamation);
        return;
    }
    m_page.refresh();
    m_page.showAccount(id);
}

void AccountPageActions::editAccount()
{
    FocusKeeper focus;
    const std::optional<AccountRecord> account =
        AccountList(m_book.tables().accounts()).find(m_page.reg().accountId());
    if (!account)
        return;
    EditAccountDialog dialog(account->name, account->note, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!AccountEdit::apply(m_book.tables().accounts(), account->id, dialog.name(), dialog.note()))
        m_ui.showMessage(QString::fromLatin1(EditFailedText), Interaction::Icon::Exclamation);
    m_page.refresh(true);
}

void AccountPageActions::deleteAccount()
{
    FocusKeeper focus;
    const qint32 account = m_page.reg().accountId();
    if (account == 0)
        return;
    switch (MainAccountDeletion::run(m_book, account, m_ui)) {
    case AccountDeletion::Outcome::Deleted:
        // The remembered account moved to the one now at the same place.
        m_page.refresh();
        m_page.showRemembered();
        break;
    case AccountDeletion::Outcome::Failed:
        m_ui.showMessage(QString::fromLatin1(DeleteFailedText), Interaction::Icon::Exclamation);
        m_page.refresh(true);
        break;
    case AccountDeletion::Outcome::Declined:
    case AccountDeletion::Outcome::LastAccount:
    case AccountDeletion::Outcome::Missing:
        break;
    }
}

void AccountPageActions::find()
{
    FocusKeeper focus;
    FindDialog dialog(m_query.value_or(TransactionFind::Query{}), &m_window);
    if (dialog.exec() != QDialog::Accepted || dialog.query().text.isEmpty())
        return;
    m_query = dialog.query();
    search();
}

void AccountPageActions::findNext()
{
    // Nothing to look for again before the first "Find".
    if (m_query)
        search();
}

void AccountPageActions::search()
{
    const TransactionFind::Start start{m_page.reg().accountId(), m_page.list()->currentRow()};
    std::optional<TransactionFind::Hit> hit;
    {
        WaitCursor wait;
        hit = ShownAccount::find(m_book, *m_query, start, m_ui);
    }
    if (hit)
        m_page.showRow(hit->account, hit->row);
}

void AccountPageActions::deleteOldTransactions()
{
    FocusKeeper focus;
    const qint32 account = m_page.reg().accountId();
    if (account == 0)
        return;
    OldTransactionsDialog dialog(m_page.reg().accountName(), &m_window);
    if (dialog.exec() != QDialog::Accepted || dialog.days() < 0)
        return;
    OldTransactionPurge purge(m_book.tables(), m_book.categories(),
                              [this] { return m_book.updateAllProjectTotals(); });
    OldTransactionPurge::Result result;
    {
        WaitCursor wait;
        result =
            purge.purge(account, dialog.days(), dialog.clearedOnly(), fileTimeNow(m_clock).value_or(0), m_ui);
        m_ui.endProgress();
    }
    if (result.outcome == OldTransactionPurge::Outcome::Failed)
        m_ui.showMessage(QString::fromLatin1(PurgeFailedText), Interaction::Icon::Exclamation);
    m_page.refresh(true);
}

void AccountPageActions::recalcBalances()
{
    FocusKeeper focus;
    BalanceRecalc::AllOutcome outcome = BalanceRecalc::AllOutcome::Done;
    {
        WaitCursor wait;
        outcome = BalanceRecalc(m_book.tables()).recalcAll(m_ui);
        m_ui.endProgress();
    }
    if (outcome == BalanceRecalc::AllOutcome::Failed)
        m_ui.showMessage(QString::fromLatin1(RecalcFailedText), Interaction::Icon::Exclamation);
    m_page.refresh(true);
}

void AccountPageActions::options()
{
    FocusKeeper focus;
    OptionsSheet sheet(m_book, m_lock, m_ui, &m_window);
    QObject::connect(&sheet, &OptionsSheet::lockChanged, &sheet, [this] {
        if (m_lockChanged)
            m_lockChanged();
    });
    sheet.exec();
    // Symbols and the default currency show in the balance bar.
    m_page.refresh(true);
}

void AccountPageActions::fillMenu(QMenu& menu, const MainCommands& commands)
{
    menu.setAccessibleName(QStringLiteral("Account menu"));
    const auto add = [&menu, &commands](int id) {
        const MainCommand* c = commands.find(id);
        if (!c || !c->handler)
            return;
        QAction* action = menu.addAction(c->menuText);
        if (!c->shortcuts.isEmpty())
            action->setShortcut(c->shortcuts.front());
        // The window's own action carries the shortcut; this item only runs it.
        action->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(action, &QAction::triggered, &menu, [&commands, id] { commands.run(id); });
    };
    using C = MainCommands;
    for (int id : {C::NewAccount, C::AccountProperties, C::DeleteAccount})
        add(id);
    menu.addSeparator();
    for (int id : {C::Find, C::FindNext})
        add(id);
    menu.addSeparator();
    add(C::DeleteOld);
    QObject::connect(menu.addAction(QString::fromLatin1(RecalcMenuText)), &QAction::triggered, &menu,
                     [this] { recalcBalances(); });
    menu.addSeparator();
    for (int id : {C::Options, C::LockNow})
        add(id);
}
