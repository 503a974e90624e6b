#pragma once

// What the future list will do to the money up to the horizon: the future
// bar's label and the "Balance of Planned Transactions" popup. Computed on
// demand from the future list's entries dated not after the horizon (entries
// listed early for their reminder window but dated later take no part);
// nothing of it is stored.

#include "planning/FutureList.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "toolkit/PopupLines.h"

#include <QString>

class Prognosis {
public:
    static constexpr const char* LabelWord = "Prognosis";
    static constexpr const char* PopupTitle = "Balance of Planned Transactions";

    // All owned by the caller; they must outlive this object.
    Prognosis(FutureList& future, const CurrencyCache& currencies, Categories& categories,
              const LocaleValues& locale);

    // Every included entry's amount converted into `code` and rounded on its own, summed.
    Money total(FileTime horizon, const QString& code);
    // "Prognosis: " and the total as money with the currency of `code`.
    QString label(FileTime horizon, const QString& code);
    // The popup's lines; the breakdown by category only on the account page
    // (`withCategories`), where `code` is the shown account's currency.
    PopupLines popup(FileTime horizon, const QString& code, bool withCategories);

private:
    FutureList& m_future;
    const CurrencyCache& m_currencies;
    Categories& m_categories;
    const LocaleValues& m_locale;
};
