#pragma once

// Reading the values typed on tallyra-cli's command line and writing the JSON
// forms of cli.md, shared by the commands.

#include "store/FileTime.h"
#include "store/Money.h"

#include <QJsonDocument>
#include <QString>
#include <QTextStream>

#include <optional>

class CliValues {
public:
    // A signed amount by the lenient number rule; nullopt when it has no digit
    // or is out of range.
    static std::optional<Money> amount(const QString& text);
    // The built-in currency row of a code (any case); nullopt for an unknown code.
    static std::optional<int> currencyRow(const QString& code);
    // A register row number: 0 or more.
    static std::optional<qint64> row(const QString& text);
    // Lower case without blanks, '-' and '_': the form list names are compared
    // in ("Only once", "only-once", "onlyonce").
    static QString folded(const QString& name);
    // "YYYY-MM-DD", a real calendar day from 1601 on; nullopt for anything else.
    static std::optional<LocalTime> date(const QString& text);
    // The same day's start as a file time.
    static std::optional<FileTime> day(const QString& text);

    // "YYYY-MM-DDTHH:MM:SS.mmm".
    static QString jsonDate(FileTime t);
    static void printJson(QTextStream& out, const QJsonDocument& document);
};
