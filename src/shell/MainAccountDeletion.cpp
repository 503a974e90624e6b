#include "shell/MainAccountDeletion.h"

#include "accounts/AccountList.h"
#include "accounts/AccountSelector.h"
#include "shell/TallyraSettings.h"

AccountDeletion::Outcome MainAccountDeletion::run(MainBook& book, qint32 account, Interaction& ui)
{
    const std::vector<AccountRecord> before = AccountList(book.tables().accounts()).all();
    AccountDeletion deletion(
        book.tables(), book.categories(), [&book] { return book.updateAllProjectTotals(); },
        [&book] { return book.future().build(book.future().horizon(), true); });
    const AccountDeletion::Outcome outcome = deletion.remove(account, ui);
    // The remembered account moves off the deleted one as the selector does.
    if (outcome == AccountDeletion::Outcome::Deleted &&
        book.settings().read(TallyraSettings::Int::AccountId) == account)
        book.settings().write(TallyraSettings::Int::AccountId,
                              AccountSelector::selectionAfterRemoval(before, account));
    return outcome;
}
