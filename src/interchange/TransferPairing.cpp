#include "interchange/TransferPairing.h"

#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

// A line that may take part in a pair, as the table holds it.
struct Line {
    TransferPair::Side side;
    QString currency;
    bool namesTransfer = false;
};

// Filed nowhere and linked to nothing: free to become a transfer.
bool isFree(const DbTable& t)
{
    return t.getInt(Prop::CategoryId) == 0 && t.getText(Prop::TransferLink).isEmpty() &&
           !isReservedAccount(t.getInt(Prop::AccountId));
}

Line lineAt(const DbTable& t)
{
    Line l;
    l.side = TransferPair::Side{t.getText(Prop::AccountKey), t.getInt(Prop::AccountId),
                                t.getInt64(Prop::Date), t.getInt64(Prop::Amount), t.getText(Prop::Name)};
    l.currency = t.getText(Prop::CurrencyCode);
    l.namesTransfer = TransferPairing::namesTransfer(l.side.description) ||
                      TransferPairing::namesTransfer(t.getText(Prop::Note));
    return l;
}

qint64 daysApart(FileTime a, FileTime b)
{
    return qAbs(startOfDay(a) - startOfDay(b)) / TicksPerDay;
}

}  // namespace

bool TransferPairing::namesTransfer(const QString& text)
{
    static const QRegularExpression words(QStringLiteral("transfer|xfer|\\btrf\\b|\\btfr\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return text.contains(words);
}

std::optional<std::vector<TransferPair>> TransferPairing::find(qint32 account, const QStringList& keys)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return std::nullopt;
    const QSet<QString> wanted(keys.begin(), keys.end());
    std::vector<Line> imported;
    QHash<qint64, std::vector<Line>> othersByAmount;
    for (qint64 p = 0; p < t.count(); ++p) {
        if (!t.moveTo(p))
            return std::nullopt;
        if (!isFree(t))
            continue;
        const qint32 owner = t.getInt(Prop::AccountId);
        if (owner == account) {
            if (wanted.contains(t.getText(Prop::AccountKey)))
                imported.push_back(lineAt(t));
        } else {
            Line l = lineAt(t);
            othersByAmount[l.side.amount].push_back(std::move(l));
        }
    }
    t.moveTo(DbTable::NoRecord);

    std::vector<TransferPair> pairs;
    QSet<QString> used;
    for (const Line& a : imported) {
        if (a.side.amount == 0)
            continue;
        const auto candidates = othersByAmount.constFind(-a.side.amount);
        if (candidates == othersByAmount.cend())
            continue;
        const Line* best = nullptr;
        for (const Line& b : *candidates) {
            if (used.contains(b.side.key) || b.currency != a.currency ||
                !(a.namesTransfer || b.namesTransfer) || daysApart(a.side.date, b.side.date) > MaxDaysApart)
                continue;
            if (!best || daysApart(a.side.date, b.side.date) < daysApart(a.side.date, best->side.date))
                best = &b;
        }
        if (best) {
            used.insert(best->side.key);
            pairs.push_back(TransferPair{a.side, best->side});
        }
    }
    return pairs;
}

bool TransferPairing::link(const std::vector<TransferPair>& pairs)
{
    DbTable& t = m_tables.transactions();
    StoreTransaction transaction(*m_tables.store());
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!transaction.isOpen() || !scope.ok())
        return false;
    const auto fileAsTransfer = [&t](const TransferPair::Side& side, const TransferPair::Side& to) {
        return t.seekText(SeekKind::Equal, side.key) && isFree(t) &&
               t.setValues({PropValue::ofInt(Prop::CategoryId, -to.account),
                            PropValue::ofText(Prop::TransferLink, to.key)});
    };
    for (const TransferPair& pair : pairs) {
        if (!fileAsTransfer(pair.imported, pair.other) || !fileAsTransfer(pair.other, pair.imported))
            return false;
    }
    t.moveTo(DbTable::NoRecord);
    return transaction.commit();
}
