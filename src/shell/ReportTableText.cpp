#include "shell/ReportTableText.h"

#include "reference/CurrencyCache.h"
#include "reports/GroupReportTable.h"
#include "reports/ReportDateText.h"
#include "reports/TransactionListTable.h"

namespace {

QString line(const QStringList& cells)
{
    return cells.join(u'\t') + u'\n';
}

QString sumLine(const QString& sum, const QString& currency)
{
    return line({QStringLiteral("Sum:"), sum + u' ' + currency});
}

}  // namespace

QString ReportTableText::of(const GroupReportTable& view)
{
    const ReportKind kind = view.kind();
    QString text = line({GroupReportTable::columnTitle(kind, 1), GroupReportTable::columnTitle(kind, 2),
                         GroupReportTable::columnTitle(kind, 3), GroupReportTable::columnTitle(kind, 4)});
    if (view.isEmpty())
        text += line({GroupReportTable::EmptyText});
    for (qint64 i = 0; i < view.rowCount(); ++i)
        text += line({view.cellText(i, 1), view.cellText(i, 2), view.cellText(i, 3), view.cellText(i, 4)});
    return text + sumLine(view.sumText(), view.report().currency);
}

QString ReportTableText::of(TransactionListTable& view)
{
    const ReportContext& c = view.context();
    QString text = line({TransactionListTable::columnTitle(1), TransactionListTable::columnTitle(2),
                         TransactionListTable::columnTitle(3), QStringLiteral("Account")});
    if (view.isEmpty())
        text += line({GroupReportTable::EmptyText});
    for (qint64 i = 0; i < view.rowCount(); ++i) {
        const std::optional<TransactionEntry> e = view.entry(i);
        if (!e)
            continue;
        text += line({reportDateTime(e->date, c.locale), e->description,
                      c.currencies.amountText(e->amount, e->currency, c.locale),
                      QLatin1Char('[') + e->accountName + QLatin1Char(']')});
    }
    text += sumLine(view.sumText(), view.reportCurrency());
    return text + line({QStringLiteral("Count Transactions:"), QString::number(view.totals().count)});
}
