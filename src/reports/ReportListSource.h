#pragma once

// What the transaction list's writers read: the rows in their order, each
// resolved to its transaction, or nullopt for one deleted since the build
// (the writers skip it). The source reads the book; the writers never do.

#include "reports/TransactionEntry.h"

#include <functional>
#include <optional>

struct ReportListSource {
    qint64 count = 0;
    std::function<std::optional<TransactionEntry>(qint64 row)> entry;
    QString reportCurrency;
};
