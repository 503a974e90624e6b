#include "reports/SumPopup.h"

#include "reference/CurrencyCache.h"

namespace {

QString labelled(const QString& label, const QString& value)
{
    return label + QStringLiteral(":\t") + value;
}

}  // namespace

PopupLines SumPopup::lines(const Report& report, const CurrencyCache& currencies, const LocaleValues& locale)
{
    PopupLines popup;
    const std::vector<CurrencyTotals>& parts = report.totals.perCurrency;
    for (size_t i = 0; i < parts.size() && i < static_cast<size_t>(currencies.size()); ++i) {
        if (parts[i].isZero())
            continue;
        const QString& code = currencies.entries()[i].code;
        const CurrencyTotals& t = parts[i];
        popup.add(
            labelled(QStringLiteral("Deposit in  ") + code, currencies.amountText(t.deposits, code, locale)));
        popup.add(labelled(QStringLiteral("Payment in ") + code,
                           currencies.amountText(t.payments.magnitude(), code, locale)));
        popup.add(labelled(QStringLiteral("Total in ") + code,
                           currencies.amountText(t.deposits + t.payments, code, locale)));
        popup.addSeparator();
    }
    if (popup.empty())
        return popup;
    popup.add(
        labelled(QStringLiteral("OVERALL TOTAL"), report.sumText + QLatin1Char(' ') + report.reportCurrency));
    if (report.countsTransactions) {
        popup.addSeparator();
        popup.add(labelled(QStringLiteral("Count Transactions"), QString::number(report.totals.count)));
    }
    return popup;
}
