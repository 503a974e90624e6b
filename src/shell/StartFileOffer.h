#pragma once

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

#include <QString>

// A file handed to the main program on its command line or by a second start
// (a double click in the desktop's file manager): a QIF file is offered for
// import into the account shown, a backup for restoring the book. Any other
// file, or one that is missing or unreadable, is named in a message and
// nothing is read from it.
class StartFileOffer {
public:
    // %1 the file's name, %2 the account's.
    static constexpr const char* ImportQuestion = "Import %1 into the account %2?";

    struct Context {
        MainBook& book;
        const Clock& clock;
        const LocaleValues& locale;
        const CodePage& codePage;
        Interaction& ui;
    };

    enum class Outcome {
        NotTaken,        // the file was refused or the offer declined: nothing changed
        Imported,        // the import ran and told how it went
        RestoreStarted,  // the program must end, as after Restore...
    };

    explicit StartFileOffer(Context context) : m_c(context) {}

    Outcome run(const QString& path, qint32 account);

private:
    Outcome offerImport(const QString& path, qint32 account);

    Context m_c;
};
