#pragma once

#include "platform/ObjectStore.h"
#include "store/TableSet.h"

#include <QString>

// Books of a given number of transactions for the benchmarks, made once and
// kept under the build folder (bench-books/) so later runs reuse them.
namespace BenchBook {

constexpr int Accounts = 10;

// The path of the store of a book with `transactions` records, created when missing.
QString storeFor(qint64 transactions);

// A transaction record as the programs write them, for account `account`
// on the `index`-th day of its run.
PropList transactionRecord(qint32 account, qint64 index);

}  // namespace BenchBook
