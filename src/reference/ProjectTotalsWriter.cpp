#include "reference/ProjectTotalsWriter.h"

#include "store/RecordLayout.h"

#include <algorithm>

bool ProjectTotalsWriter::writeAmount(DbTable& projects, quint16 id, Money value)
{
    if (projects.getInt64(id) == value.hundredths())
        return true;
    return projects.setInt64(id, value.hundredths());
}

bool ProjectTotalsWriter::removeOtherCurrencyFields(DbTable& projects, const PropList& keep)
{
    std::vector<quint16> stale;
    for (const PropValue& p : projects.properties()) {
        const bool kept = std::any_of(keep.begin(), keep.end(), [&](const PropValue& k) { return k.id == p.id; });
        if (Prop::isOpenRangeId(p.id) && !kept)
            stale.push_back(p.id);
    }
    return std::all_of(stale.begin(), stale.end(), [&](quint16 id) { return projects.removeProperty(id); });
}

bool ProjectTotalsWriter::writeOwn(DbTable& projects, const PropList& currencyFields, Money deposits, Money payments)
{
    if (!removeOtherCurrencyFields(projects, currencyFields))
        return false;
    for (const PropValue& field : currencyFields) {
        if (!writeAmount(projects, field.id, Money::fromHundredths(field.number)))
            return false;
    }
    return writeAmount(projects, Prop::OwnDeposits, deposits) && writeAmount(projects, Prop::OwnPayments, payments);
}

bool ProjectTotalsWriter::writeTree(DbTable& projects, Money deposits, Money payments)
{
    return writeAmount(projects, Prop::TreeDeposits, deposits) && writeAmount(projects, Prop::TreePayments, payments);
}

bool ProjectTotalsWriter::markValid(DbTable& projects)
{
    return projects.getInt(Prop::TotalsValid) == 1 || projects.setInt(Prop::TotalsValid, 1);
}

bool ProjectTotalsWriter::markStale(DbTable& projects)
{
    return projects.getInt(Prop::TotalsValid) != 1 || projects.setInt(Prop::TotalsValid, 0);
}
