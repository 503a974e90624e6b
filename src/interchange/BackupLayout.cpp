#include "interchange/BackupLayout.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"

namespace BackupLayout {

const std::vector<BackupSection>& sections()
{
    using namespace Prop;
    static const std::vector<BackupSection> all = {
        // The transaction amounts travel with the date tag, as the dates do.
        // The import mark (130) and the password-lock values (126, 127) stay out.
        {TableKind::Transaction,
         TableDefinitions::of(TableKind::Transaction).name,
         {AccountKey, ProjectKey, PlannerKey, CurrencyCode, Number, Name, Contact, Note, TransferLink,
          ForeignCurrency, ForeignRate},
         {AccountId, ProjectId, PlannerId, CategoryId, Mark},
         {PlannedDate, Date, PartialPosting, PostedAmount, Amount, Balance, ForeignAmount},
         {}},
        // The mark (117) is what postings from the plan are given.
        {TableKind::Planner,
         TableDefinitions::of(TableKind::Planner).name,
         {Name, CurrencyCode, Note, Number, Contact},
         {PlannerId, Recurrence, Completed, AccountId, ProjectId, Entries, ReminderMinutes, CarriedPlannerInt,
          Stopped, CategoryId, Mark},
         {Date, NextDate},
         {Amount, CarriedPlannerValue}},
        {TableKind::Account,
         TableDefinitions::of(TableKind::Account).name,
         {Name, CurrencyCode, Note},
         {AccountId, CarriedAccountInt},
         {Created},
         {Balance}},
        // The totals (207-211 and the per-currency sums) are recomputed at the
        // next start; 211 goes along so the rebuild finds the flag it expects.
        {TableKind::Project,
         TableDefinitions::of(TableKind::Project).name,
         {Name},
         {ProjectId, CheckState, CarriedProjectInt, Parent, TotalsValid},
         {CarriedProjectDate1, CarriedProjectDate2},
         {}},
        {TableKind::Category,
         TableDefinitions::of(TableKind::Category).name,
         {Name},
         {CategoryId, Parent},
         {},
         {}},
        // The name is written a second time after the rates; a reader takes the last.
        {TableKind::Currency,
         TableDefinitions::of(TableKind::Currency).name,
         {CurrencyCode, Note, Symbol, CurrencyName, RatesHere, CurrencyName},
         {CurrencyNumber},
         {},
         {}},
    };
    return all;
}

const BackupSection* sectionNamed(QStringView name)
{
    for (const BackupSection& s : sections()) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

DbTable::SortKind workingSortKind(TableKind kind)
{
    const TableDefinition& spec = TableDefinitions::of(kind);
    for (const SortSpec& s : spec.sorts) {
        if (s.propId != spec.workingSort)
            continue;
        switch (s.type) {
        case PropType::Int:
            return DbTable::SortKind::Integer;
        case PropType::Text:
            return DbTable::SortKind::Text;
        case PropType::Int64:
            return DbTable::SortKind::Date;
        }
    }
    return DbTable::SortKind::None;
}

bool isPasswordLockRecord(qint32 accountId, QStringView accountKey)
{
    static const QString prefix = idStartKey(ReservedAccount::PasswordLock);
    return accountId == ReservedAccount::PasswordLock || accountKey.startsWith(prefix);
}

}  // namespace BackupLayout
