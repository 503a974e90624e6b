#pragma once

#include "platform/LocaleValues.h"

#include <QLocale>
#include <QString>

#include <optional>

// Reads the locale values that start-up keeps from a QLocale: the user's
// own, or one named on the command line (--locale, TALLYRA_LOCALE) so tests and
// scripts pin the formats.
class SystemLocale {
public:
    SystemLocale() = delete;

    // The locale a run uses: the named one, or the user's when the name is
    // empty. nullopt for a name that no locale answers to ("xx_YY", "garbage");
    // "C" and "POSIX" name the C locale.
    static std::optional<QLocale> choose(const QString& name);
    static QLocale userLocale();

    // The locale values of `locale`, starting from `start`. The five table
    // items are read in order (negative-currency format, date order, date
    // separator, decimal separator, thousands separator); when one cannot be
    // read, it and the ones after it keep their values from `start` and the
    // date-picker format is not rebuilt. The short date format and the weekday
    // names are always taken from the locale.
    static LocaleValues read(const QLocale& locale, const LocaleValues& start = {});

    // The classic negative-currency pattern number (0..15) of the locale's
    // negative amounts, or -1 when its currency text shows no symbol or sign.
    static int negativeCurrencyFormat(const QLocale& locale);
};
