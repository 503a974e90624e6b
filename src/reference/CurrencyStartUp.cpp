#include "reference/CurrencyStartUp.h"

#include "reference/BuiltInCurrencies.h"
#include "reference/CurrencyRecords.h"

const QString CurrencyStartUp::LoadingText = QStringLiteral("Loading currency table...");

bool CurrencyStartUp::repairRecords(DbTable& currencies)
{
    return CurrencyRecords(currencies).normalise();
}

CurrencyStartUp::DefaultCheck CurrencyStartUp::loadCache(CurrencyCache& cache, const QString& storedDefault)
{
    DefaultCheck check;
    check.loaded = cache.reload();
    check.code = storedDefault.isEmpty() ? BuiltInCurrencies::fallbackCode() : storedDefault;
    if (!cache.isEmpty() && !cache.contains(check.code)) {
        check.code = cache.entries().front().code;
        check.writeBack = true;
    }
    return check;
}

std::optional<QString> CurrencyStartUp::defaultAfterFirstAccount(const CurrencyCache& cache)
{
    if (cache.isEmpty())
        return std::nullopt;
    return cache.entries().front().code;
}
