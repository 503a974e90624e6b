#pragma once

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

class QWidget;

// "&Import from QIF..." as the window runs it: the file window titled after
// the account, starting in the "Import Folder", which then remembers the
// chosen file's folder; the import itself shows its progress with "Stop" and
// says how it went.
class ImportWindow {
public:
    struct Context {
        QWidget* parent;
        MainBook& book;
        const Clock& clock;
        const LocaleValues& locale;
        const CodePage& codePage;
        Interaction& ui;
    };

    explicit ImportWindow(Context context) : m_c(context) {}

    // Imports into `account`; false when no file was chosen or the account is gone.
    bool run(qint32 account);

private:
    Context m_c;
};
