#include "shell/CurrencyChange.h"

CurrencyChange::Outcome CurrencyChange::setRate(MainBook& book, const QString& from, const QString& to,
                                                double rate)
{
    CurrencyCache& cache = book.currencies();
    if (!cache.contains(from) || !cache.contains(to))
        return Outcome::NotInBook;
    if (from == to)
        return Outcome::SameCurrency;
    if (!cache.storeRate(from, to, rate))
        return Outcome::BadRate;
    return restateProjectTotals(book) ? Outcome::Done : Outcome::TotalsNotUpdated;
}

CurrencyChange::Outcome CurrencyChange::setDefault(MainBook& book, const QString& code)
{
    if (!book.currencies().contains(code))
        return Outcome::NotInBook;
    if (!book.settings().write(TallyraSettings::Text::DefaultCurrency, code))
        return Outcome::SettingsNotWritten;
    book.state().defaultCurrency = code;
    return restateProjectTotals(book) ? Outcome::Done : Outcome::TotalsNotUpdated;
}

bool CurrencyChange::restateProjectTotals(MainBook& book)
{
    ProjectTotals& totals = book.totals();
    return totals.markAllStale() && totals.updateStale(book.state().defaultCurrency);
}
