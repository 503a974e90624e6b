#pragma once

// The pieces of the HTML reports that speak about currencies.

#include "store/Money.h"

#include <QString>

class CurrencyCache;
struct LocaleValues;

class HtmlRateText {
public:
    // "1" + code + " = " + rate + report currency when a unit of `code` buys
    // one or more of the report currency, else the other way round with the
    // inverse rate ("1USD = 0.5EUR" reads "1EUR = 2USD"). Rates with "%g".
    static QString statement(const CurrencyCache& currencies, const QString& code,
                             const QString& reportCurrency);
    // The amount in the currency form (grouped, then the currency's symbol), escaped.
    static QString amount(const CurrencyCache& currencies, Money value, const QString& code,
                          const LocaleValues& locale);
};
