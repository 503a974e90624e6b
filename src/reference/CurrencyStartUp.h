#pragma once

// The currency duties of the main program's start-up. The default currency
// setting belongs to the shell; these take its value in and say what to write
// back, so this layer never reads settings itself.

#include "reference/CurrencyCache.h"

#include <QString>

#include <optional>

class CurrencyStartUp {
public:
    // The splash text while the cache loads.
    static const QString LoadingText;  // "Loading currency table..."

    struct DefaultCheck {
        bool loaded = false;     // the cache could be read
        QString code;            // the default currency from now on
        bool writeBack = false;  // the setting must be written with `code`
    };

    // The rebuild path: stored codes upper-cased, names reset to the built-in
    // ones (later row wins). False when a write failed; nothing changed then.
    static bool repairRecords(DbTable& currencies);

    // Loads the cache and checks the stored default (empty means the fallback,
    // the code of built-in row 0). When the cache holds currencies and none has
    // the default's code, the first currency in table order becomes the default
    // and must be written back.
    static DefaultCheck loadCache(CurrencyCache& cache, const QString& storedDefault);

    // After the first account was created: the first currency in table order
    // (the first account's), to be written as the default. nullopt when the
    // cache is empty.
    static std::optional<QString> defaultAfterFirstAccount(const CurrencyCache& cache);
};
