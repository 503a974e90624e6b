#include "reports/GroupReportTable.h"

#include "platform/Interaction.h"
#include "reference/CurrencyCache.h"
#include "reports/AmountForms.h"
#include "reports/GroupAccumulator.h"
#include "reports/GroupRowOrder.h"
#include "reports/ReportFilter.h"
#include "reports/ReportScan.h"
#include "store/DateText.h"

#include <algorithm>
#include <cmath>

const QString GroupReportTable::EmptyText = QStringLiteral("Report Empty");

// A total of 0 has no shares: nullopt rather than a division by zero. The
// share is held within +/-10^12 percent so the rounding stays in range.
std::optional<QString> GroupReportTable::shareText(Money value, Money whole)
{
    if (whole.isZero())
        return std::nullopt;
    const double share = static_cast<double>(value.hundredths()) / static_cast<double>(whole.hundredths());
    const double hundredths = std::clamp(share * 10000.0, -1e14, 1e14);
    return AmountForms::plain(Money::fromHundredths(std::llround(hundredths)));
}

GroupReportTable::GroupReportTable(ReportKind kind, const ReportContext& context)
    : m_context(context), m_labels(context.tables)
{
    m_report.kind = kind;
}

QString GroupReportTable::columnTitle(ReportKind kind, int column)
{
    switch (column) {
    case 1:
        return kind == ReportKind::Projects ? QStringLiteral("Project Description")
                                            : QStringLiteral("Category Description");
    case 2:
        return QStringLiteral("Deposit");
    case 3:
        return QStringLiteral("Payment");
    case 4:
        return QStringLiteral("Total");
    default:
        return QString();
    }
}

bool GroupReportTable::build()
{
    CurrencyCache& currencies = m_context.currencies;
    currencies.reload();
    m_labels.forget();
    GroupReport fresh;
    fresh.kind = m_report.kind;
    fresh.currency = m_context.filter.currency();
    fresh.filterCounter = m_context.filter.changeCount();
    GroupAccumulator accumulator(fresh.kind, currencies, fresh.currency, m_labels);
    const ReportScan::Outcome outcome =
        ReportScan::run(m_context.tables, m_context.filter, m_context.ui,
                        [&](const ReportTransaction& t) { accumulator.add(t); });
    fresh.stopped = outcome == ReportScan::Outcome::Stopped;
    fresh.rows = accumulator.takeRows();
    fresh.totals = accumulator.totals();
    GroupRowOrder::sort(fresh.rows, m_sort);
    m_report = std::move(fresh);
    ++m_changes;
    return !m_report.stopped;
}

bool GroupReportTable::tapHeader(int column)
{
    if (!m_sort.tap(column, GroupRowOrder::LastColumn))
        return false;
    build();
    return true;
}

void GroupReportTable::setSort(const ReportSort& sort)
{
    m_sort = sort;
    build();
}

bool GroupReportTable::needsRecalc() const
{
    return m_context.filter.changeCount() != m_report.filterCounter;
}

const GroupRow* GroupReportTable::row(qint64 index) const
{
    if (index < 0 || index >= rowCount())
        return nullptr;
    return &m_report.rows[static_cast<size_t>(index)];
}

QString GroupReportTable::amountText(Money amount, const QString& code) const
{
    return m_context.currencies.amountText(amount, code, m_context.locale);
}

QString GroupReportTable::cellText(qint64 index, int column) const
{
    const GroupRow* r = row(index);
    if (!r)
        return QString();
    switch (column) {
    case 1:
        return r->label;
    case 2:
        return amountText(r->deposits, r->currency);
    case 3:
        return amountText(r->payments, r->currency);
    case 4:
        return amountText(r->total(), r->currency);
    default:
        return QString();
    }
}

int GroupReportTable::iconOf(qint64 index) const
{
    const GroupRow* r = row(index);
    return r ? (r->counted ? 2 : 1) : 0;
}

QString GroupReportTable::fullName(qint64 index) const
{
    const GroupRow* r = row(index);
    return r ? r->label : QString();
}

QString GroupReportTable::sumText() const
{
    return AmountForms::grouped(m_report.totals.net, m_context.locale);
}

PopupLines GroupReportTable::popup(qint64 index)
{
    PopupLines lines;
    const GroupRow* r = row(index);
    if (!r || r->key <= 0)
        return lines;
    const bool projects = m_report.kind == ReportKind::Projects;
    const QString path = projects ? m_labels.projectPath(r->key) : m_labels.categoryPath(r->key);
    lines.add(PopupLine::line((projects ? QStringLiteral("Project") : QStringLiteral("Category")) +
                              QStringLiteral(":\t") + path));
    const ReportFilter& filter = m_context.filter;
    lines.add(PopupLine::line(QStringLiteral("Report :\t") + shortDate(filter.dateLow(), m_context.locale) +
                              QStringLiteral("  through  ") +
                              shortDate(filter.dateHigh(), m_context.locale)));
    if (r->counted)
        appendShares(lines, *r);
    appendCurrencyParts(lines, *r);
    return lines;
}

// A share of a total that is 0 (a report of payments only has no inflows)
// has no meaning; its line is left out.
void GroupReportTable::appendShares(PopupLines& lines, const GroupRow& row) const
{
    const ReportTotals& totals = m_report.totals;
    if (!row.deposits.isZero()) {
        if (const std::optional<QString> p = shareText(row.deposits, totals.deposits))
            lines.add(PopupLine::line(QStringLiteral("% total inflows:\t") + *p + QLatin1Char('%')));
    }
    if (!row.payments.isZero()) {
        if (const std::optional<QString> p = shareText(row.payments, totals.payments))
            lines.add(PopupLine::line(QStringLiteral("% total outflows:\t") + *p + QLatin1Char('%')));
    }
}

void GroupReportTable::appendCurrencyParts(PopupLines& lines, const GroupRow& row) const
{
    const std::vector<CachedCurrency>& entries = m_context.currencies.entries();
    bool any = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!row.hasCurrencyValues(i))
            continue;
        any = true;
        const QString& code = entries[i].code;
        const Money deposits = row.currencyDeposits[i];
        const Money payments = row.currencyPayments[i];
        lines.add(PopupLine::separator());
        lines.add(PopupLine::line(QStringLiteral("Deposit in  ") + code + QStringLiteral(":\t") +
                                  amountText(deposits, code)));
        lines.add(PopupLine::line(QStringLiteral("Payment in ") + code + QStringLiteral(":\t") +
                                  amountText(payments, code)));
        lines.add(PopupLine::line(QStringLiteral("Total in ") + code + QStringLiteral(":\t") +
                                  amountText(deposits - payments, code)));
    }
    if (any)
        lines.add(PopupLine::separator());
    else
        lines.add(PopupLine::line(QStringLiteral("Total in :\t<Empty>")));
}
