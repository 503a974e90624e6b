#include "reports/HtmlRateText.h"

#include "reference/CurrencyCache.h"
#include "reports/AmountForms.h"
#include "reports/HtmlText.h"

QString HtmlRateText::statement(const CurrencyCache& currencies, const QString& code,
                                const QString& reportCurrency)
{
    const double rate = currencies.rate(code, reportCurrency);
    if (rate >= 1.0)
        return QLatin1Char('1') + HtmlText::escape(code) + QStringLiteral(" = ") +
               QString::asprintf("%g", rate) + HtmlText::escape(reportCurrency);
    // The cache keeps every rate above 0, so the inverse is finite.
    return QLatin1Char('1') + HtmlText::escape(reportCurrency) + QStringLiteral(" = ") +
           QString::asprintf("%g", 1.0 / rate) + HtmlText::escape(code);
}

QString HtmlRateText::amount(const CurrencyCache& currencies, Money value, const QString& code,
                             const LocaleValues& locale)
{
    return HtmlText::escape(AmountForms::withCurrency(value, currencies.symbolOf(code), locale));
}
