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
        const bool kept =
            std::any_of(keep.begin(), keep.end(), [&](const PropValue& k) { return k.id == p.id; });
        if (Prop::isOpenRangeId(p.id) && !kept)
            stale.push_back(p.id);
    }
    return std::all_of(stale.begin(), stale.end(), [&](quint16 id) { return projects.removeProperty(id); });
}

bool ProjectTotalsWriter::writeOwn(DbTable& projects, const PropList& currencyFields, Money deposits,
                                   Money payments)
{
    if (!removeOtherCurrencyFields(projects, currencyFields))
        return false;
    for (const PropValue& field : currencyFields) {
        if (!writeAmount(projects, field.id, Money::fromHundredths(field.number)))
            return false;
    }
    return writeAmount(projects, Prop::OwnDeposits, deposits) &&
           writeAmount(projects, Prop::OwnPayments, payments);
}

bool ProjectTotalsWriter::writeTree(DbTable& projects, Money deposits, Money payments)
{
    return writeAmount(projects, Prop::TreeDeposits, deposits) &&
           writeAmount(projects, Prop::TreePayments, payments);
}

bool ProjectTotalsWriter::markValid(DbTable& projects)
{
    return projects.getInt(Prop::TotalsValid) == 1 || projects.setInt(Prop::TotalsValid, 1);
}

bool ProjectTotalsWriter::markStale(DbTable& projects)
{
    return projects.getInt(Prop::TotalsValid) != 1 || projects.setInt(Prop::TotalsValid, 0);
}

bool ProjectTotalsWriter::writeAll(DbTable& projects, const PropList& currencyFields, Money ownDeposits,
                                   Money ownPayments, Money treeDeposits, Money treePayments)
{
    PropList changes;
    const auto amount = [&](quint16 id, Money value) {
        if (projects.getInt64(id) != value.hundredths())
            changes.push_back(PropValue::ofInt64(id, value.hundredths()));
    };
    for (const PropValue& p : projects.properties()) {
        const bool kept = std::any_of(currencyFields.begin(), currencyFields.end(),
                                      [&](const PropValue& k) { return k.id == p.id; });
        if (Prop::isOpenRangeId(p.id) && !kept)
            changes.push_back(PropValue::removal(p.id, p.type));
    }
    for (const PropValue& field : currencyFields)
        amount(field.id, Money::fromHundredths(field.number));
    amount(Prop::OwnDeposits, ownDeposits);
    amount(Prop::OwnPayments, ownPayments);
    amount(Prop::TreeDeposits, treeDeposits);
    amount(Prop::TreePayments, treePayments);
    if (projects.getInt(Prop::TotalsValid) != 1)
        changes.push_back(PropValue::ofInt(Prop::TotalsValid, 1));
    return projects.setValues(changes);
}
