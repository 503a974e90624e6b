#pragma once

#include "platform/LocalTime.h"
#include "platform/ObjectStore.h"
#include "store/TableSet.h"

#include <QString>

// Books of a given number of transactions for the benchmarks, made once and
// kept under the build folder (bench-books/) so later runs reuse them.
namespace BenchBook {

constexpr int Accounts = 10;

// How the transactions of a book are shared among its accounts.
enum class Layout {
    // Each of the ten accounts holds a tenth of the book.
    Even,
    // Account 1 holds half of the book, the other nine share the other half:
    // the account whose running balances a save before its first transaction
    // rewrites (50,000 of a 100,000 book, 500,000 of a million).
    OneBigAccount,
};

// The account that holds the `index`-th transaction of the book.
qint32 accountOf(Layout layout, qint64 index);

// The path of the store of a book with `transactions` records, created when
// missing: transaction records only (Even layout), for the store and report
// benchmarks that read records.
QString storeFor(qint64 transactions);

// A whole book folder (store and settings) of `transactions` records laid out
// as `layout`: the default categories, 40 projects, ten EUR accounts with
// their totals, right running balances, project totals, and the settings an
// orderly exit at BookNow leaves, so that a start at BookNow takes the fast
// path. Made through the main program's own start-up and exit the first
// time; empty when it could not be made. The folder is shared by every run:
// a benchmark that writes works on a copy (copyFolder).
QString folderFor(qint64 transactions, Layout layout);

// The moment a whole book was last closed at; a start pinned to it neither
// extends nor rebuilds the future list.
inline constexpr LocalTime BookNow{2024, 3, 5, 10, 0, 0, 0};

// Replaces `to` with a copy of the book folder `from`. False when a file
// could not be copied.
bool copyFolder(const QString& from, const QString& to);

// A transaction record as the programs write them, for account `account` on
// the `index`-th day of its run; `perDay` of an account's transactions fall
// on one day. Its running balance is a placeholder.
PropList transactionRecord(qint32 account, qint64 index, int perDay = 8);

}  // namespace BenchBook
