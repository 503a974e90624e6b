#pragma once

// The CSV mapping of an import command: a saved one by name (--mapping),
// changed by any option given beside it, or one made from the options alone;
// saved under a name when --save-mapping asks.

#include "interchange/CsvMapping.h"
#include "shell/CliArgs.h"
#include "shell/TallyraSettings.h"

#include <QStringList>

#include <optional>

struct CsvMappingOptions {
    static constexpr const char* UnknownMappingText = "No saved mapping is named \"%1\".";
    static constexpr const char* NoColumnsText = "A CSV file needs --columns or --mapping.";
    static constexpr const char* BadCharacterText = "--%1 takes one character.";
    static constexpr const char* BadHeaderText = "--header takes a number of lines.";
    static constexpr const char* SaveFailedText = "The mapping could not be saved.";

    // The options these read, without "--".
    static QStringList names();
    // nullopt with *error set when the options do not make a mapping.
    static std::optional<CsvMapping> build(const CliArgs& args, TallyraSettings& settings, QString* error);
};
