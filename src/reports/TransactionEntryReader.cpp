#include "reports/TransactionEntryReader.h"

#include "reference/CurrencyCache.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableSet.h"
#include "store/TransactionRecord.h"

TransactionEntryReader::TransactionEntryReader(TableSet& tables, const CurrencyCache& currencies,
                                               const QString& reportCurrency)
    : m_tables(tables), m_currencies(currencies), m_reportCurrency(reportCurrency), m_labels(tables)
{
}

std::optional<TransactionEntry> TransactionEntryReader::read(RecordId record)
{
    DbTable& transactions = m_tables.transactions();
    if (record == 0 || !transactions.moveToRecord(record))
        return std::nullopt;
    return fromCurrent();
}

TransactionEntry TransactionEntryReader::fromCurrent()
{
    const DbTable& t = m_tables.transactions();
    const TransactionRecord r = TransactionRecord::read(t);
    TransactionEntry e;
    e.account = r.account;
    e.date = r.date;
    e.description = r.description;
    e.amount = r.amount;
    e.currency = r.currency;
    e.category = r.category;
    e.project = r.project;
    e.contact = r.contact;
    e.note = r.note;
    e.number = r.number;
    e.mark = t.getInt(Prop::Mark);  // as stored: the writers show what the record holds
    e.transferLink = r.link;
    // The labels move other cursors only; the transaction's fields are read.
    e.accountName = m_labels.accountName(e.account);
    e.categoryText =
        e.isTransfer() ? m_labels.bracketedAccount(-e.category) : m_labels.categoryPath(e.category);
    e.projectPath = m_labels.projectPath(e.project);
    e.converted = m_currencies.convert(e.amount, e.currency, m_reportCurrency);
    return e;
}

std::optional<TransactionEntry> TransactionEntryReader::counterpart(const TransactionEntry& entry)
{
    if (!entry.isTransfer() || entry.transferLink.isEmpty())
        return std::nullopt;
    DbTable& transactions = m_tables.transactions();
    const SortScope scope(transactions, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok() || !transactions.seekText(SeekKind::Equal, entry.transferLink) ||
        transactions.getInt(Prop::AccountId) != -entry.category)
        return std::nullopt;
    return fromCurrent();
}
