#include "reference/ProjectTotalsRecord.h"

#include "store/RecordLayout.h"

namespace {

Money amountOf(const DbTable& projects, quint16 id)
{
    return Money::fromHundredths(projects.getInt64(id));
}

Money lookUp(const std::map<int, Money>& sums, int currencyNumber)
{
    const auto it = sums.find(currencyNumber);
    return it == sums.end() ? Money() : it->second;
}

}  // namespace

ProjectTotalsRecord ProjectTotalsRecord::readFrom(const DbTable& projects)
{
    ProjectTotalsRecord r;
    r.id = projects.getInt(Prop::ProjectId);
    r.parent = projects.getInt(Prop::Parent);
    r.name = projects.getText(Prop::Name);
    r.ownDeposits = amountOf(projects, Prop::OwnDeposits);
    r.ownPayments = amountOf(projects, Prop::OwnPayments);
    r.treeDeposits = amountOf(projects, Prop::TreeDeposits);
    r.treePayments = amountOf(projects, Prop::TreePayments);
    r.valid = projects.getInt(Prop::TotalsValid) == 1;
    for (const PropValue& p : projects.properties()) {
        // An open-range id of another type is not a total (a damaged record).
        if (!Prop::isOpenRangeId(p.id) || p.type != Prop::ProjectTotalType || p.remove)
            continue;
        const int number = *Prop::currencyOfProjectTotal(p.id);
        auto& sums = Prop::isProjectDepositsId(p.id) ? r.depositsByCurrency : r.paymentsByCurrency;
        sums[number] = Money::fromHundredths(p.number);
    }
    return r;
}

Money ProjectTotalsRecord::depositsIn(int currencyNumber) const
{
    return lookUp(depositsByCurrency, currencyNumber);
}

Money ProjectTotalsRecord::paymentsIn(int currencyNumber) const
{
    return lookUp(paymentsByCurrency, currencyNumber);
}
