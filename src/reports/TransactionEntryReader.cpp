#include "reports/TransactionEntryReader.h"

#include "reference/CurrencyCache.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "store/TableSet.h"

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
    TransactionEntry e;
    e.account = t.getInt(Prop::AccountId);
    e.date = t.getInt64(Prop::Date);
    e.description = t.getText(Prop::Name);
    e.amount = Money::fromHundredths(t.getInt64(Prop::Amount));
    e.currency = t.getText(Prop::CurrencyCode);
    e.category = t.getInt(Prop::CategoryId);
    e.project = t.getInt(Prop::ProjectId);
    e.contact = t.getText(Prop::Contact);
    e.note = t.getText(Prop::Note);
    e.number = t.getText(Prop::Number);
    e.mark = t.getInt(Prop::Mark);
    e.transferLink = t.getText(Prop::TransferLink);
    // The labels move other cursors only; the transaction's fields are read.
    e.accountName = m_labels.accountName(e.account);
    e.categoryText = e.isTransfer() ? m_labels.bracketedAccount(-e.category) : m_labels.categoryPath(e.category);
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
