#include "reports/GroupAccumulator.h"

#include "reference/CurrencyCache.h"
#include "reports/ReportLabels.h"

const QString GroupAccumulator::WithoutCategoryLabel = QStringLiteral("[ Transactions without category ]");

GroupAccumulator::GroupAccumulator(ReportKind kind, const CurrencyCache& currencies,
                                   const QString& reportCurrency, ReportLabels& labels)
    : m_kind(kind), m_currencies(currencies), m_reportCurrency(reportCurrency), m_labels(labels)
{
    m_totals.reset(currencies.size());
}

bool GroupAccumulator::place(const ReportTransaction& t, Placement& where) const
{
    if (m_kind == ReportKind::Projects) {
        where = {t.project, true, true};
        return t.project > 0;
    }
    if (t.isTransfer())
        where = {-t.account, false, false};
    else
        where = {t.category, t.category > 0, true};
    return true;
}

QString GroupAccumulator::labelOf(const ReportTransaction& t, const Placement& where)
{
    if (m_kind == ReportKind::Projects)
        return m_labels.projectPath(where.key);
    if (t.isTransfer())
        return m_labels.bracketedAccount(t.account);
    if (where.key == 0)
        return WithoutCategoryLabel;
    return m_labels.categoryPath(where.key);
}

GroupRow& GroupAccumulator::rowFor(const ReportTransaction& t, const Placement& where)
{
    const auto found = m_index.constFind(where.key);
    if (found != m_index.constEnd())
        return m_rows[*found];
    GroupRow row;
    row.key = where.key;
    row.label = labelOf(t, where);
    row.currency = where.converted ? m_reportCurrency : t.currency;
    row.counted = where.counted;
    row.currencyDeposits.assign(static_cast<size_t>(m_currencies.size()), Money());
    row.currencyPayments.assign(static_cast<size_t>(m_currencies.size()), Money());
    m_index.insert(where.key, m_rows.size());
    m_rows.push_back(std::move(row));
    return m_rows.back();
}

void GroupAccumulator::add(const ReportTransaction& t)
{
    Placement where;
    if (!place(t, where))
        return;
    GroupRow& row = rowFor(t, where);
    const Money converted =
        where.converted ? m_currencies.convert(t.amount, t.currency, m_reportCurrency) : t.amount;
    const int i = m_currencies.indexOf(t.currency);
    if (t.amount.isNegative()) {
        row.payments -= converted;
        if (i >= 0)
            row.currencyPayments[static_cast<size_t>(i)] -= t.amount;
    } else {
        row.deposits += converted;
        if (i >= 0)
            row.currencyDeposits[static_cast<size_t>(i)] += t.amount;
    }
    if (!row.counted)
        return;
    m_totals.addConverted(converted);
    m_totals.addInCurrency(i, t.amount);
}
