#include "accounts/AccountList.h"

#include "store/RecordLayout.h"
#include "store/SortScope.h"

AccountRecord AccountList::current() const
{
    AccountRecord r;
    r.id = m_table.getInt(Prop::AccountId);
    r.name = m_table.getText(Prop::Name);
    r.note = m_table.getText(Prop::Note);
    r.total = Money::fromHundredths(m_table.getInt64(Prop::Balance));
    r.created = m_table.getInt64(Prop::Created);
    r.currency = m_table.getText(Prop::CurrencyCode);
    return r;
}

std::vector<AccountRecord> AccountList::all()
{
    std::vector<AccountRecord> accounts;
    SortScope scope(m_table, Prop::AccountId);
    if (!scope.ok())
        return accounts;
    const qint64 n = m_table.count();
    for (qint64 i = 0; i < n; ++i) {
        if (m_table.moveTo(i) && !isReservedAccount(m_table.getInt(Prop::AccountId)))
            accounts.push_back(current());
    }
    return accounts;
}

std::optional<AccountRecord> AccountList::find(qint32 id)
{
    SortScope scope(m_table, Prop::AccountId);
    if (!scope.ok() || !m_table.seekInt(SeekKind::Equal, id))
        return std::nullopt;
    return current();
}

qint32 AccountList::shownAccount(qint32 remembered)
{
    if (remembered >= 1 && !isReservedAccount(remembered) && find(remembered))
        return remembered;
    const std::vector<AccountRecord> accounts = all();
    return accounts.empty() ? 0 : accounts.front().id;
}

std::optional<AccountRecord> AccountList::findByName(const QString& name)
{
    for (AccountRecord& r : all()) {
        if (r.name == name)
            return std::move(r);
    }
    return std::nullopt;
}

std::optional<AccountRecord> AccountList::findByIdOrName(const QString& text)
{
    bool isNumber = false;
    const qint32 id = text.toInt(&isNumber);
    if (isNumber) {
        if (auto byId = find(id))
            return byId;
    }
    return findByName(text);
}

qint32 AccountList::largestId()
{
    qint32 largest = 0;
    for (const AccountRecord& r : all())
        largest = std::max(largest, r.id);
    return largest;
}
