#pragma once

// Which tables a backup file carries, in which order, and which properties of
// each record go into it, with which tag, in which order.
//
// Within a record the texts come first, then the integers, then the 64-bit
// values; each group keeps the order listed here. The future list (Scheduled)
// is not saved: it is rebuilt from the planner at the next start. Neither are
// the project totals, the category check state or the import mark.

#include "store/DbTable.h"
#include "store/TableDefinition.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <vector>

struct BackupSection {
    TableKind kind;
    QString name;  // the table's store name, which the file's section item holds
    // RatesHere in this list stands for the rate texts of the currency table:
    // one per stored currency, in currency-number order.
    std::vector<quint16> texts;
    std::vector<quint16> integers;
    std::vector<quint16> dates;    // written with the date tag (18)
    std::vector<quint16> amounts;  // written with the amount tag (20)
};

namespace BackupLayout {

// No property has id 0, so it can mark the place of the rate texts.
constexpr quint16 RatesHere = 0;

// The six saved tables in file order: Transaction, Planner, Account, Project,
// Category, Currency.
const std::vector<BackupSection>& sections();
// The saved table a section item names (exact, case-sensitive); null for any
// other name, whose records a restore reads and drops.
const BackupSection* sectionNamed(QStringView name);

// The order a section's records are written in: the table's working sort
// (transactions by account key, the others by their id), as a cursor kind.
DbTable::SortKind workingSortKind(TableKind kind);

// A transaction record of the password-lock account, by its account id or by
// its account key: such records never leave the book and never enter it, so a
// restore keeps the device's password and no file can slip a second lock
// record in front of the real one.
bool isPasswordLockRecord(qint32 accountId, QStringView accountKey);

}  // namespace BackupLayout
