#include "accounts/DatabaseClearing.h"

#include "platform/InstanceLock.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

bool DatabaseClearing::reportProgramHolds(const QString& bookFolder)
{
    return InstanceLock::isHeld(bookFolder, QString::fromLatin1(InstanceLock::ReportProgramFile));
}

DatabaseClearing::Outcome DatabaseClearing::clear(Interaction& ui)
{
    if (m_reportProgramRunning && m_reportProgramRunning()) {
        ui.showMessage(QString::fromLatin1(ReportProgramRunningText), Interaction::Icon::Exclamation);
        return Outcome::ReportProgramRunning;
    }
    if (!ui.askYesNo(QString::fromLatin1(QuestionText)))
        return Outcome::Declined;
    return clearAll() ? Outcome::Cleared : Outcome::Failed;
}

bool DatabaseClearing::clearAll()
{
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen())
        return false;
    bool ok = deleteRecords(m_tables.transactions(), true);
    for (TableKind kind : {TableKind::Account, TableKind::Project, TableKind::Scheduled, TableKind::Planner,
                           TableKind::Category, TableKind::Currency})
        ok = ok && deleteRecords(m_tables.table(kind), false);
    if (!ok || !transaction.commit())
        return false;
    // Ids start afresh, as in a new book.
    for (TableKind kind :
         {TableKind::Transaction, TableKind::Account, TableKind::Project, TableKind::Scheduled,
          TableKind::Planner, TableKind::Category, TableKind::Currency})
        m_tables.table(kind).forgetAllocatedId();
    return true;
}

bool DatabaseClearing::deleteRecords(DbTable& table, bool keepPasswordLock)
{
    // Creation order: a delete only closes the gap, nothing else moves.
    SortScope scope(table, 0, DbTable::SortKind::None);
    if (!scope.ok())
        return false;
    qint64 p = 0;
    while (p < table.count()) {
        if (!table.moveTo(p))
            return false;
        if (keepPasswordLock && table.getInt(Prop::AccountId) == ReservedAccount::PasswordLock) {
            ++p;
            continue;
        }
        if (!table.deleteAt(p))
            return false;
    }
    return true;
}
