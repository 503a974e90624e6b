#include "shell/MainAccountDeletion.h"

AccountDeletion::Outcome MainAccountDeletion::run(MainBook& book, qint32 account, Interaction& ui)
{
    AccountDeletion deletion(
        book.tables(), book.categories(), [&book] { return book.updateAllProjectTotals(); },
        [&book] { return book.future().build(book.future().horizon(), true); });
    return deletion.remove(account, ui);
}
