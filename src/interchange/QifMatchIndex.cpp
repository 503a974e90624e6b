#include "interchange/QifMatchIndex.h"

#include "accounts/AccountRun.h"
#include "store/RecordLayout.h"

size_t qHash(const QifMatchIndex::Key& key, size_t seed)
{
    return qHashMulti(seed, key.day, key.amount, key.category, key.description, key.number);
}

bool QifMatchIndex::load(DbTable& transactions, qint32 account, QifRunBalance& balances)
{
    m_groups.clear();
    m_byFitId.clear();
    const AccountRun run = AccountRun::locate(transactions, account);
    for (qint64 p = run.first; p < run.end(); ++p) {
        if (!transactions.moveTo(p) || transactions.getInt(Prop::AccountId) != account) {
            transactions.moveTo(DbTable::NoRecord);
            return false;
        }
        const Money amount = Money::fromHundredths(transactions.getInt64(Prop::Amount));
        const QString accountKey = transactions.getText(Prop::AccountKey);
        balances.add(accountKey, amount);
        Key key{startOfDay(transactions.getInt64(Prop::Date)), amount.hundredths(),
                transactions.getInt(Prop::CategoryId), transactions.getText(Prop::Name),
                transactions.getText(Prop::Number)};
        Candidate candidate{transactions.recordId(),          accountKey,
                            transactions.getText(Prop::Note), transactions.getText(Prop::FitId),
                            transactions.getInt(Prop::Mark),  transactions.getInt(Prop::ImportMark)};
        Group& group = m_groups[key];
        if (!candidate.fitId.isEmpty() && !m_byFitId.contains(candidate.fitId))
            m_byFitId.insert(candidate.fitId, Place{key, group.slots.size()});
        group.slots.push_back(Slot{std::move(candidate), false});
    }
    transactions.moveTo(DbTable::NoRecord);
    return true;
}

bool QifMatchIndex::clearUnmatchedMarks(DbTable& transactions)
{
    for (const Group& group : std::as_const(m_groups)) {
        for (size_t i = group.next; i < group.slots.size(); ++i) {
            const Slot& s = group.slots[i];
            if (!s.taken && s.candidate.importMark != 0 &&
                !(transactions.moveToRecord(s.candidate.record) &&
                  transactions.setValues({PropValue::removal(Prop::ImportMark, PropType::Int)})))
                return false;
        }
    }
    transactions.moveTo(DbTable::NoRecord);
    return true;
}

std::optional<QifMatchIndex::Candidate> QifMatchIndex::take(const Wanted& wanted)
{
    if (!wanted.fitId.isEmpty()) {
        const auto it = m_byFitId.constFind(wanted.fitId);
        if (it != m_byFitId.cend()) {
            Group& group = m_groups[it->key];
            if (!group.slots[it->slot].taken)
                return takeSlot(group, it->slot);
        }
    }
    return takeFromGroup(
        Key{startOfDay(wanted.date), wanted.amount, wanted.category, wanted.description, wanted.number},
        !wanted.fitId.isEmpty());
}

std::optional<QifMatchIndex::Candidate> QifMatchIndex::takeFromGroup(const Key& key, bool withoutFitId)
{
    const auto it = m_groups.find(key);
    if (it == m_groups.end())
        return std::nullopt;
    for (size_t i = it->next; i < it->slots.size(); ++i) {
        const Slot& s = it->slots[i];
        if (!s.taken && !(withoutFitId && !s.candidate.fitId.isEmpty()))
            return takeSlot(*it, i);
    }
    return std::nullopt;
}

QifMatchIndex::Candidate QifMatchIndex::takeSlot(Group& group, size_t slot)
{
    group.slots[slot].taken = true;
    while (group.next < group.slots.size() && group.slots[group.next].taken)
        ++group.next;
    return group.slots[slot].candidate;
}
