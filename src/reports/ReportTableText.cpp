#include "reports/ReportTableText.h"

#include "reference/CurrencyCache.h"
#include "reports/GroupReportView.h"
#include "reports/ReportDateText.h"
#include "reports/TransactionListView.h"

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

QString ReportTableText::of(const GroupReportView& view)
{
    const ReportKind kind = view.kind();
    QString text = line({GroupReportView::columnTitle(kind, 1), GroupReportView::columnTitle(kind, 2),
                         GroupReportView::columnTitle(kind, 3), GroupReportView::columnTitle(kind, 4)});
    if (view.isEmpty())
        text += line({GroupReportView::EmptyText});
    for (qint64 i = 0; i < view.rowCount(); ++i)
        text += line({view.cellText(i, 1), view.cellText(i, 2), view.cellText(i, 3), view.cellText(i, 4)});
    return text + sumLine(view.sumText(), view.report().currency);
}

QString ReportTableText::of(TransactionListView& view)
{
    const ReportContext& c = view.context();
    QString text = line({TransactionListView::columnTitle(1), TransactionListView::columnTitle(2),
                         TransactionListView::columnTitle(3), QStringLiteral("Account")});
    if (view.isEmpty())
        text += line({GroupReportView::EmptyText});
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
