#include "accounts/TransactionFind.h"

#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "platform/Interaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <algorithm>
#include <vector>

namespace {

// Rows `high` (or the account's newest, with `fromNewest`) down to `low`, both
// included, of one account; empty when the upper end is below `low`.
struct Stretch {
    qint32 account = 0;
    qint64 high = -1;
    qint64 low = 0;
    bool fromNewest = false;
};

// Every transaction of every account once: the shown account from the start
// down, the accounts before it (wrapping to the last), then the rows of the
// shown account that lie above the start, the selected one among them.
std::vector<Stretch> walkOrder(const std::vector<qint32>& ids, qint32 shown, qint64 startRow)
{
    std::vector<Stretch> order;
    const auto at = std::lower_bound(ids.begin(), ids.end(), shown);
    const auto k = static_cast<qsizetype>(at - ids.begin());
    const bool shownExists = at != ids.end() && *at == shown;
    if (shownExists)
        order.push_back({shown, startRow, 0, false});
    const auto n = static_cast<qsizetype>(ids.size());
    for (qsizetype i = k - 1; i >= 0; --i)
        order.push_back({ids[static_cast<size_t>(i)], -1, 0, true});
    for (qsizetype i = n - 1; i >= (shownExists ? k + 1 : k); --i)
        order.push_back({ids[static_cast<size_t>(i)], -1, 0, true});
    if (shownExists)
        order.push_back({shown, -1, startRow + 1, true});
    return order;
}

}  // namespace

bool TransactionFind::matches(const Query& query, const QString& description, const QString& contact,
                              const QString& number, const QString& note)
{
    const Qt::CaseSensitivity cs = query.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return description.contains(query.text, cs) || contact.contains(query.text, cs) ||
           number.contains(query.text, cs) || note.contains(query.text, cs);
}

std::optional<TransactionFind::Hit> TransactionFind::search(const Query& query, const Start& start)
{
    std::vector<qint32> ids;
    for (const AccountRecord& a : AccountList(m_tables.accounts()).all())
        ids.push_back(a.id);
    std::sort(ids.begin(), ids.end());

    DbTable& t = m_tables.transactions();
    std::optional<Hit> hit;
    {
        SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
        if (!scope.ok())
            return std::nullopt;
        const AccountRun shownRun = AccountRun::locate(t, start.account);
        const qint64 startRow =
            start.row >= 0 && start.row < shownRun.count ? start.row - 1 : shownRun.count - 1;
        for (const Stretch& s : walkOrder(ids, start.account, startRow)) {
            const AccountRun run = AccountRun::locate(t, s.account);
            const qint64 high = s.fromNewest ? run.count - 1 : std::min(s.high, run.count - 1);
            for (qint64 row = high; row >= s.low && !hit; --row) {
                if (t.moveTo(run.first + row) &&
                    matches(query, t.getText(Prop::Name), t.getText(Prop::Contact), t.getText(Prop::Number),
                            t.getText(Prop::Note)))
                    hit = Hit{s.account, row};
            }
            if (hit)
                break;
        }
    }
    t.moveTo(DbTable::NoRecord);
    return hit;
}

std::optional<TransactionFind::Hit> TransactionFind::find(const Query& query, const Start& start,
                                                          Interaction& ui)
{
    m_query = query;
    return report(search(query, start), ui);
}

std::optional<TransactionFind::Hit> TransactionFind::findNext(const Start& start, Interaction& ui)
{
    if (!m_query)
        return std::nullopt;
    return report(search(*m_query, start), ui);
}

std::optional<TransactionFind::Hit> TransactionFind::report(const std::optional<Hit>& hit,
                                                            Interaction& ui) const
{
    if (!hit)
        ui.showMessage(QString::fromLatin1(NotFoundText), Interaction::Icon::Information);
    return hit;
}
