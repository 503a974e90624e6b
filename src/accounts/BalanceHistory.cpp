#include "accounts/BalanceHistory.h"

#include "planning/FutureList.h"

BalanceHistory BalanceHistory::of(Register& reg, const CurrencyCache& currencies, FileTime now)
{
    BalanceHistory history;
    history.account = reg.accountName();
    history.currency = reg.currency();
    const qint64 count = reg.transactionCount();
    history.actual.reserve(static_cast<size_t>(count));
    for (qint64 row = 0; row < count; ++row) {
        if (const std::optional<RegisterEntry> e = reg.entry(row))
            history.actual.push_back({e->date, e->balance});
    }
    FutureList* future = reg.futureList();
    if (!future)
        return history;
    const FileTime horizon = future->horizon();
    BalancePoint last = history.actual.empty() ? BalancePoint{now, Money()} : history.actual.back();
    for (const FutureEntry& e : future->entries()) {
        if (e.date > horizon)
            continue;
        if (history.planned.empty())
            history.planned.push_back(last);
        last.balance += currencies.convert(e.amount, e.currency, history.currency);
        last.date = std::max(e.date, last.date);
        history.planned.push_back(last);
    }
    return history;
}
