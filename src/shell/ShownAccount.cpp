#include "shell/ShownAccount.h"

#include "accounts/AccountList.h"

// An unset or deleted account falls back to where the register would start.
qint32 ShownAccount::remembered(MainBook& book)
{
    return AccountList(book.tables().accounts())
        .shownAccount(book.settings().read(TallyraSettings::Int::AccountId));
}

bool ShownAccount::show(MainBook& book, Register& reg, qint32 account)
{
    if (!reg.select(account))
        return false;
    book.settings().write(TallyraSettings::Int::AccountId, account);
    return true;
}

std::optional<TransactionFind::Hit> ShownAccount::find(MainBook& book, const TransactionFind::Query& query,
                                                       TransactionFind::Start start, Interaction& ui)
{
    if (start.account == 0)
        start.account = remembered(book);
    TransactionFind finder(book.tables());
    const std::optional<TransactionFind::Hit> hit = finder.find(query, start, ui);
    if (hit)
        book.settings().write(TallyraSettings::Int::AccountId, hit->account);
    return hit;
}
