#include "accounts/AccountSelector.h"

#include <algorithm>
#include <iterator>

namespace {

const QString KeyDigits = QStringLiteral("1234567890");

}  // namespace

QString AccountSelector::prefix(int index)
{
    if (index < 0 || index >= KeyDigits.size())
        return QStringLiteral("  ");
    return KeyDigits[index] + QStringLiteral(". ");
}

QString AccountSelector::itemText(int index, const AccountRecord& account)
{
    return prefix(index) + account.name + QStringLiteral(" (") + account.currency + QLatin1Char(')');
}

std::vector<AccountSelector::Item> AccountSelector::items(const std::vector<AccountRecord>& accounts)
{
    std::vector<Item> list;
    list.reserve(accounts.size());
    for (size_t i = 0; i < accounts.size(); ++i)
        list.push_back({accounts[i].id, itemText(static_cast<int>(i), accounts[i])});
    return list;
}

int AccountSelector::indexOfKey(QChar key)
{
    return static_cast<int>(KeyDigits.indexOf(key));
}

qint32 AccountSelector::selectionAfterRemoval(const std::vector<AccountRecord>& before, qint32 removed)
{
    const auto it = std::find_if(before.begin(), before.end(),
                                 [removed](const AccountRecord& a) { return a.id == removed; });
    if (it == before.end() || before.size() < 2)
        return 0;
    // The item after the removed one moves up into its place.
    return std::next(it) != before.end() ? std::next(it)->id : std::prev(it)->id;
}
