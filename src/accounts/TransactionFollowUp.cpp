#include "accounts/TransactionFollowUp.h"

#include "accounts/AccountList.h"
#include "accounts/BalanceRecalc.h"
#include "reference/ProjectTotalsRecord.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <algorithm>

void TransactionFollowUp::noteAccount(qint32 account, qint64 index)
{
    if (account < 1 || isReservedAccount(account))
        return;
    const qint64 from = std::max<qint64>(index, 0);
    const auto [it, inserted] = m_accounts.emplace(account, from);
    if (!inserted)
        it->second = std::min(it->second, from);
}

void TransactionFollowUp::noteProject(qint32 project)
{
    if (project > 0)
        m_projects.insert(project);
}

void TransactionFollowUp::noteRate(const QString& codeA, const QString& codeB)
{
    m_rateCodes.insert(codeA);
    m_rateCodes.insert(codeB);
}

namespace {

// The projects whose stored sums hold money in one of the currencies; nullopt
// when the project table could not be read.
std::optional<std::set<qint32>> projectsHolding(DbTable& projects, const std::set<int>& numbers)
{
    SortScope scope(projects, Prop::ProjectId);
    if (!scope.ok())
        return std::nullopt;
    std::set<qint32> ids;
    for (qint64 p = 0; p < projects.count(); ++p) {
        if (!projects.moveTo(p))
            return std::nullopt;
        const ProjectTotalsRecord r = ProjectTotalsRecord::readFrom(projects);
        for (const int n : numbers) {
            if (r.depositsByCurrency.count(n) || r.paymentsByCurrency.count(n))
                ids.insert(r.id);
        }
    }
    return ids;
}

}  // namespace

bool TransactionFollowUp::apply(TableSet& tables, ProjectTotals& totals, const CurrencyCache& currencies)
{
    BalanceRecalc recalc(tables);
    AccountList accounts(tables.accounts());
    for (const auto& [account, index] : m_accounts) {
        // The other side of an old transfer may outlive its account; with
        // the account gone there is no balance left to keep.
        if (!accounts.find(account))
            continue;
        if (!recalc.recalc(account, index))
            return false;
    }
    // The balances are written all the same; a save refuses them (tooLarge).
    m_tooLarge = m_tooLarge || recalc.reachedLimit();
    std::set<qint32> stale = m_projects;
    if (!m_rateCodes.empty()) {
        std::set<int> numbers;
        for (const QString& code : m_rateCodes) {
            const int i = currencies.indexOf(code);
            if (i >= 0)
                numbers.insert(currencies.entries()[static_cast<size_t>(i)].number);
        }
        const std::optional<std::set<qint32>> holding = projectsHolding(tables.projects(), numbers);
        if (!holding)
            return false;
        stale.insert(holding->begin(), holding->end());
    }
    for (const qint32 project : stale) {
        if (!totals.markStale(project))
            return false;
    }
    return true;
}
