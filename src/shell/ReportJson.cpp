#include "shell/ReportJson.h"

#include "platform/Clock.h"
#include "reference/CurrencyCache.h"
#include "reports/GroupReportTable.h"
#include "reports/TransactionListTable.h"

#include <QJsonArray>

namespace {

QJsonValue hundredths(Money amount)
{
    return QJsonValue(amount.hundredths());
}

QJsonObject totalsOf(const ReportTotals& totals)
{
    return QJsonObject{{QStringLiteral("net"), hundredths(totals.net)},
                       {QStringLiteral("deposits"), hundredths(totals.deposits)},
                       {QStringLiteral("payments"), hundredths(totals.payments)},
                       {QStringLiteral("count"), QJsonValue(totals.count)}};
}

QJsonArray perCurrencyOf(const ReportTotals& totals, const CurrencyCache& currencies)
{
    QJsonArray list;
    for (size_t i = 0; i < totals.perCurrency.size(); ++i) {
        const CurrencyTotals& t = totals.perCurrency[i];
        if (t.isZero() || i >= currencies.entries().size())
            continue;
        list.append(QJsonObject{{QStringLiteral("code"), currencies.entries()[i].code},
                                {QStringLiteral("deposits"), hundredths(t.deposits)},
                                {QStringLiteral("payments"), hundredths(-t.payments)}});
    }
    return list;
}

QJsonObject groupRow(const GroupRow& row)
{
    return QJsonObject{{QStringLiteral("key"), row.key},
                       {QStringLiteral("label"), row.label},
                       {QStringLiteral("deposits"), hundredths(row.deposits)},
                       {QStringLiteral("payments"), hundredths(row.payments)},
                       {QStringLiteral("total"), hundredths(row.total())},
                       {QStringLiteral("currency"), row.currency},
                       {QStringLiteral("counted"), row.counted}};
}

QJsonObject listRow(RecordId record, const TransactionEntry& e)
{
    return QJsonObject{{QStringLiteral("id"), QJsonValue(record)},
                       {QStringLiteral("account"), e.accountName},
                       {QStringLiteral("account_id"), e.account},
                       {QStringLiteral("date"), Clock::formatMoment(localFromFileTime(e.date))},
                       {QStringLiteral("description"), e.description},
                       {QStringLiteral("amount"), hundredths(e.amount)},
                       {QStringLiteral("currency"), e.currency},
                       {QStringLiteral("converted"), hundredths(e.converted)}};
}

QJsonObject document(const QJsonArray& rows, const ReportTotals& totals, const CurrencyCache& currencies,
                     const QString& currency)
{
    return QJsonObject{{QStringLiteral("rows"), rows},
                       {QStringLiteral("totals"), totalsOf(totals)},
                       {QStringLiteral("per_currency"), perCurrencyOf(totals, currencies)},
                       {QStringLiteral("currency"), currency}};
}

}  // namespace

QJsonObject ReportJson::of(const GroupReportTable& view)
{
    QJsonArray rows;
    for (const GroupRow& row : view.report().rows)
        rows.append(groupRow(row));
    return document(rows, view.report().totals, view.context().currencies, view.report().currency);
}

QJsonObject ReportJson::of(TransactionListTable& view)
{
    QJsonArray rows;
    for (qint64 i = 0; i < view.rowCount(); ++i) {
        if (const std::optional<TransactionEntry> e = view.entry(i))
            rows.append(listRow(view.rows()[static_cast<size_t>(i)].record, *e));
    }
    return document(rows, view.totals(), view.context().currencies, view.reportCurrency());
}
