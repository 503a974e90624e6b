#include "store/TableDefinition.h"

#include "store/RecordLayout.h"

namespace TableDefinitions {
namespace {

SortSpec text(quint16 id)
{
    return SortSpec{id, PropType::Text};
}
SortSpec integer(quint16 id)
{
    return SortSpec{id, PropType::Int};
}
SortSpec date(quint16 id)
{
    return SortSpec{id, PropType::Int64};
}

const std::array<TableDefinition, 7>& all()
{
    static const std::array<TableDefinition, 7> specs = {{
        {TableKind::Transaction,
         QStringLiteral("Tallyra Transaction"),
         {text(Prop::AccountKey), text(Prop::ProjectKey), text(Prop::PlannerKey)},
         QStringLiteral(" Transactions"),
         Prop::AccountKey},
        {TableKind::Scheduled,
         QStringLiteral("Tallyra Scheduled"),
         {date(Prop::Date), text(Prop::ProjectKey)},
         QStringLiteral(" Future List"),
         Prop::Date},
        {TableKind::Planner,
         QStringLiteral("Tallyra Planner"),
         {integer(Prop::PlannerId), date(Prop::Date)},
         QStringLiteral(" Future"),
         Prop::PlannerId},
        {TableKind::Account,
         QStringLiteral("Tallyra Account"),
         {integer(Prop::AccountId)},
         QStringLiteral(" Accounts"),
         Prop::AccountId},
        {TableKind::Project,
         QStringLiteral("Tallyra Project"),
         {integer(Prop::ProjectId)},
         QStringLiteral(" Projects"),
         Prop::ProjectId},
        {TableKind::Category,
         QStringLiteral("Tallyra Category"),
         {integer(Prop::CategoryId)},
         QStringLiteral(" Categories"),
         Prop::CategoryId},
        {TableKind::Currency,
         QStringLiteral("Tallyra Currency"),
         {integer(Prop::CurrencyNumber)},
         QStringLiteral(" Currencies"),
         Prop::CurrencyNumber},
    }};
    return specs;
}

}  // namespace

const TableDefinition& of(TableKind kind)
{
    return all()[static_cast<size_t>(kind)];
}

const std::array<TableKind, 7>& openOrder()
{
    static const std::array<TableKind, 7> order = {
        TableKind::Transaction, TableKind::Account,   TableKind::Project, TableKind::Category,
        TableKind::Planner,     TableKind::Scheduled, TableKind::Currency};
    return order;
}

const std::array<TableKind, 7>& closeOrder()
{
    static const std::array<TableKind, 7> order = {
        TableKind::Transaction, TableKind::Account,  TableKind::Project, TableKind::Scheduled,
        TableKind::Planner,     TableKind::Category, TableKind::Currency};
    return order;
}

}  // namespace TableDefinitions
