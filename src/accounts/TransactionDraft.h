#pragma once

#include "accounts/TransactionLookup.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

// A transaction about to be written as a new record: the editor's fields, or
// the other side of a transfer made from them.
struct TransactionDraft {
    qint32 account = 0;
    QString currency;   // the account's
    FileTime date = 0;  // asked for; the unique-key rule settles the final date-time
    QString description;
    QString number;
    QString note;
    QString contact;
    ReconcileMark mark = ReconcileMark::Unreconciled;
    qint32 category = 0;  // negative: a transfer to account -category
    qint32 project = 0;
    Money amount;
    // Ticks added to the record's final date for its project key. The other
    // side of a transfer adds one, as that side always has; the key text shows
    // whole milliseconds, so it stays the key of the record's own date.
    FileTime projectKeyTicks = 0;
};

// A stored transaction as a draft: what the other side of a transfer is made from.
inline TransactionDraft draftOf(const StoredTransaction& s)
{
    TransactionDraft d;
    d.account = s.account;
    d.currency = s.currency;
    d.date = s.date;
    d.description = s.description;
    d.number = s.number;
    d.note = s.note;
    d.contact = s.contact;
    d.mark = s.mark;
    d.category = s.category;
    d.project = s.project;
    d.amount = s.amount;
    return d;
}
