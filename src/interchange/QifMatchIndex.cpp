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
    const AccountRun run = AccountRun::locate(transactions, account);
    for (qint64 p = run.first; p < run.end(); ++p) {
        if (!transactions.moveTo(p) || transactions.getInt(Prop::AccountId) != account) {
            transactions.moveTo(DbTable::NoRecord);
            return false;
        }
        const Money amount = Money::fromHundredths(transactions.getInt64(Prop::Amount));
        balances.add(transactions.getText(Prop::AccountKey), amount);
        Key key{startOfDay(transactions.getInt64(Prop::Date)), amount.hundredths(),
                transactions.getInt(Prop::CategoryId), transactions.getText(Prop::Name),
                transactions.getText(Prop::Number)};
        m_groups[std::move(key)].candidates.push_back(
            Candidate{transactions.recordId(), transactions.getText(Prop::Note),
                      transactions.getInt(Prop::Mark), transactions.getInt(Prop::ImportMark)});
    }
    transactions.moveTo(DbTable::NoRecord);
    return true;
}

bool QifMatchIndex::clearUnmatchedMarks(DbTable& transactions)
{
    for (const Group& group : std::as_const(m_groups)) {
        for (size_t i = group.next; i < group.candidates.size(); ++i) {
            const Candidate& c = group.candidates[i];
            if (c.importMark != 0 &&
                !(transactions.moveToRecord(c.record) &&
                  transactions.setValues({PropValue::removal(Prop::ImportMark, PropType::Int)})))
                return false;
        }
    }
    transactions.moveTo(DbTable::NoRecord);
    return true;
}

std::optional<QifMatchIndex::Candidate> QifMatchIndex::take(FileTime date, const QString& description,
                                                            const QString& number, qint64 amount,
                                                            qint32 category)
{
    const auto it = m_groups.find(Key{startOfDay(date), amount, category, description, number});
    if (it == m_groups.end() || it->next >= it->candidates.size())
        return std::nullopt;
    return std::move(it->candidates[it->next++]);
}
