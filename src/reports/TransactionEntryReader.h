#pragma once

// Resolves the transaction list's rows into TransactionEntry values: the
// stage between the engine's row table and the writers, so the writers never
// read the book. A row whose transaction was deleted since the build gives
// nothing.

#include "reports/ListRow.h"
#include "reports/ReportLabels.h"
#include "reports/TransactionEntry.h"

#include <optional>

class CurrencyCache;
class TableSet;

class TransactionEntryReader {
public:
    // All owned by the caller and must outlive the reader.
    TransactionEntryReader(TableSet& tables, const CurrencyCache& currencies, const QString& reportCurrency);

    std::optional<TransactionEntry> read(RecordId record);
    // The other side of a transfer, found by its account key and checked
    // against the account it must belong to; nullopt when it is gone.
    std::optional<TransactionEntry> counterpart(const TransactionEntry& entry);

private:
    TransactionEntry fromCurrent();

    TableSet& m_tables;
    const CurrencyCache& m_currencies;
    QString m_reportCurrency;
    ReportLabels m_labels;
};
