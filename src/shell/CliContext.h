#pragma once

#include "platform/BookFolder.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/CliOptions.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>

// What a command of tallyra-cli runs with: everything the global options and
// the environment settled, and the command's own arguments. Owned by the
// runner for the length of one command.
struct CliContext {
    const CliOptions& options;
    const BookFolder& book;
    const QLocale& locale;
    const LocaleValues& localeValues;
    Clock& clock;
    const CodePage& codePage;
    Interaction& interaction;
    const QStringList& arguments;
    QTextStream& out;
    QTextStream& err;
};
