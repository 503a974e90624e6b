#include "reports/TransactionListTable.h"

#include "platform/Interaction.h"
#include "platform/ObjectStore.h"
#include "reference/CurrencyCache.h"
#include "reports/AmountForms.h"
#include "reports/ReportDateText.h"
#include "reports/ReportFilter.h"
#include "reports/ReportScan.h"
#include "reports/ReportSortKey.h"
#include "store/RecordLayout.h"
#include "store/TableSet.h"

#include <algorithm>
#include <cmath>

const QString TransactionListTable::RecalcQuestion = QStringLiteral("Recalc?");

namespace {

PopupLine labelled(const QString& label, const QString& value)
{
    return PopupLine::line(label + QStringLiteral(":\t") + value);
}

}  // namespace

TransactionListTable::TransactionListTable(const ReportContext& context) : m_context(context)
{
}

QString TransactionListTable::columnTitle(int column)
{
    switch (column) {
    case 1:
        return QStringLiteral("Data");
    case 2:
        return QStringLiteral("Description");
    case 3:
        return QStringLiteral("Sum");
    default:
        return QString();
    }
}

bool TransactionListTable::build()
{
    CurrencyCache& currencies = m_context.currencies;
    currencies.reload();
    m_currency = m_context.filter.currency();
    m_filterCounter = m_context.filter.changeCount();
    ++m_changes;
    m_askedRecalc = false;
    m_sawDeleted = false;
    dropCache();
    m_rows.clear();
    m_totals.reset(currencies.size());
    const ReportScan::Outcome outcome =
        ReportScan::run(m_context.tables, m_context.filter, m_context.ui, [&](const ReportTransaction& t) {
            ListRow row;
            row.record = t.record;
            row.date = t.date;
            row.converted = currencies.convert(t.amount, t.currency, m_currency);
            if (m_sort.column == 2)
                row.sortKey = t.description;
            m_totals.addConverted(row.converted);
            m_totals.addInCurrency(currencies.indexOf(t.currency), t.amount);
            ++m_totals.count;
            m_rows.push_back(std::move(row));
        });
    m_stopped = outcome == ReportScan::Outcome::Stopped;
    sortRows();
    return !m_stopped;
}

// Equal keys keep the scan's order in either direction.
void TransactionListTable::sortRows()
{
    const bool descending = m_sort.descending;
    if (m_sort.column == 1) {
        std::stable_sort(m_rows.begin(), m_rows.end(), [descending](const ListRow& a, const ListRow& b) {
            return descending ? b.date < a.date : a.date < b.date;
        });
        return;
    }
    if (m_sort.column == 3) {
        for (ListRow& row : m_rows)
            row.sortKey = ReportSortKey::amountKey(row.converted);
    }
    std::stable_sort(m_rows.begin(), m_rows.end(), [descending](const ListRow& a, const ListRow& b) {
        return descending ? b.sortKey < a.sortKey : a.sortKey < b.sortKey;
    });
}

bool TransactionListTable::tapHeader(int column)
{
    if (!m_sort.tap(column, LastSortColumn))
        return false;
    build();
    return true;
}

void TransactionListTable::buildSortedBy(const ReportSort& wanted)
{
    // A column outside the list is not tapped: the order stays.
    const bool columnTapped = wanted.column != m_sort.column && tapHeader(wanted.column);
    if (wanted.column == m_sort.column && wanted.descending != m_sort.descending)
        tapHeader(wanted.column);
    else if (!columnTapped)
        build();
}

bool TransactionListTable::needsRecalc() const
{
    return m_context.filter.changeCount() != m_filterCounter;
}

void TransactionListTable::dropCache()
{
    m_reader.reset();
    m_page.clear();
    m_pageFirst = -1;
}

TransactionEntryReader& TransactionListTable::reader() const
{
    if (!m_reader)
        m_reader.emplace(m_context.tables, m_context.currencies, m_currency);
    return *m_reader;
}

// Another program's writes move the store's generation; the page read before
// them may hold transactions it deleted.
const std::optional<TransactionEntry>* TransactionListTable::cachedEntry(qint64 index) const
{
    if (index < 0 || index >= rowCount())
        return nullptr;
    const ObjectStore* store = m_context.tables.store();
    const quint64 generation = store ? store->generation() : 0;
    const qint64 offset = index - m_pageFirst;
    if (m_pageFirst < 0 || generation != m_pageGeneration || offset < 0 ||
        offset >= static_cast<qint64>(m_page.size())) {
        m_pageFirst = index - index % PageRows;
        m_pageGeneration = generation;
        m_page.clear();
        const qint64 end = std::min(rowCount(), m_pageFirst + PageRows);
        for (qint64 i = m_pageFirst; i < end; ++i)
            m_page.push_back(reader().read(m_rows[static_cast<size_t>(i)].record));
    }
    return &m_page[static_cast<size_t>(index - m_pageFirst)];
}

std::optional<TransactionEntry> TransactionListTable::entry(qint64 index) const
{
    const std::optional<TransactionEntry>* e = cachedEntry(index);
    return e ? *e : std::nullopt;
}

bool TransactionListTable::offerRecalc()
{
    if (!m_sawDeleted || m_askedRecalc)
        return false;
    m_askedRecalc = true;
    if (!m_context.ui.askYesNo(RecalcQuestion))
        return false;
    build();
    return true;
}

QString TransactionListTable::cellText(qint64 index, int column) const
{
    if (column < 1 || column > 3)
        return QString();
    const std::optional<TransactionEntry>* cached = cachedEntry(index);
    if (!cached)
        return QString();
    const std::optional<TransactionEntry>& e = *cached;
    if (!e) {
        m_sawDeleted = true;
        return QString();
    }
    switch (column) {
    case 1:
        return reportDateTime(e->date, m_context.locale);
    case 2:
        return e->description;
    default:
        return m_context.currencies.amountText(e->amount, e->currency, m_context.locale);
    }
}

QString TransactionListTable::sumText() const
{
    return AmountForms::grouped(m_totals.net, m_context.locale);
}

PopupLines TransactionListTable::popup(qint64 index)
{
    PopupLines lines;
    const std::optional<TransactionEntry> e = entry(index);
    if (!e)
        return lines;
    const LocaleValues& locale = m_context.locale;
    lines.add(labelled(QStringLiteral("Account"), QLatin1Char('[') + e->accountName + QLatin1Char(']')));
    lines.add(labelled(QStringLiteral("Data"), reportDateTime(e->date, locale)));
    lines.add(labelled(QStringLiteral("Description"), e->description));
    if (!e->number.isEmpty())
        lines.add(labelled(QStringLiteral("No"), e->number));
    lines.add(labelled(QStringLiteral("Sum"),
                       AmountForms::grouped(e->amount, locale) + QLatin1Char(' ') + e->currency));
    if (e->mark == static_cast<qint32>(ReconcileMark::Cleared))
        lines.add(labelled(QStringLiteral("Mark"), QStringLiteral("Cleared (C)")));
    else if (e->mark == static_cast<qint32>(ReconcileMark::Reconciled))
        lines.add(labelled(QStringLiteral("Mark"), QStringLiteral("Reconciled (R)")));
    if (e->isTransfer())
        appendTransfer(lines, *e);
    else if (e->category > 0)
        lines.add(labelled(QStringLiteral("Category"), e->categoryText));
    if (e->project > 0)
        lines.add(labelled(QStringLiteral("Project"), e->projectPath));
    if (!e->contact.isEmpty())
        lines.add(labelled(QStringLiteral("Contact"), e->contact));
    if (!e->note.isEmpty())
        lines.add(labelled(QStringLiteral("Note"), e->note));
    return lines;
}

// "Transfer in" for money leaving this account, "Transfer from" for money
// arriving, then the other side's amount and, between currencies, the rate
// the two amounts make. A side of 0 makes no rate; that line is left out.
void TransactionListTable::appendTransfer(PopupLines& lines, const TransactionEntry& e)
{
    QString text = (e.amount.isNegative() ? QStringLiteral("Transfer in") : QStringLiteral("Transfer from")) +
                   QStringLiteral(":\t") + e.categoryText;
    const std::optional<TransactionEntry> other = reader().counterpart(e);
    if (!other) {
        lines.add(PopupLine::line(text));
        return;
    }
    const Money otherMagnitude = other->amount.magnitude();
    text += QStringLiteral("\t  ") + AmountForms::grouped(otherMagnitude, m_context.locale) +
            QLatin1Char(' ') + other->currency;
    lines.add(PopupLine::line(text));
    if (other->currency == e.currency || e.amount.isZero())
        return;
    const double rate = std::fabs(static_cast<double>(other->amount.hundredths())) /
                        std::fabs(static_cast<double>(e.amount.hundredths()));
    lines.add(PopupLine::line(QStringLiteral("Exchange rate 1 ") + e.currency + QStringLiteral(" = ") +
                              QString::asprintf("%g", rate) + QLatin1Char(' ') + other->currency));
}
