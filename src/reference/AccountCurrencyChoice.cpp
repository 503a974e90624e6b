#include "reference/AccountCurrencyChoice.h"

#include "reference/BuiltInCurrencies.h"

std::vector<AccountCurrencyChoice::Item> AccountCurrencyChoice::items()
{
    std::vector<Item> list;
    list.reserve(BuiltInCurrencies::Count);
    for (int k = 0; k < BuiltInCurrencies::Count; ++k)
        list.push_back({BuiltInCurrencies::displayText(k), k});
    return list;
}

int AccountCurrencyChoice::preselectedRow(QStringView defaultCode)
{
    const int row = BuiltInCurrencies::firstRowOf(defaultCode);
    return row < 0 ? 0 : row;
}

QString AccountCurrencyChoice::commit(CurrencyCache& cache, int row)
{
    const QString code = BuiltInCurrencies::code(row);
    if (code.isEmpty())
        return {};
    if (cache.contains(code))
        return code;
    if (cache.registerCurrency(code, BuiltInCurrencies::symbol(row), BuiltInCurrencies::name(row)) == 0)
        return {};
    return code;
}
