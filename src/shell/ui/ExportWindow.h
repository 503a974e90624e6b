#pragma once

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

class QWidget;

// "&Export..." as the window runs it: the "Export" window opens on the range
// from where the account's last export ended to today and on the file last
// written; AccountExport writes, tells and remembers.
class ExportWindow {
public:
    struct Context {
        QWidget* parent;
        MainBook& book;
        const Clock& clock;
        const LocaleValues& locale;
        const CodePage& codePage;
        Interaction& ui;
    };

    explicit ExportWindow(Context context) : m_c(context) {}

    // False when the window was cancelled, the account is gone or the export failed.
    bool run(qint32 account);

private:
    Context m_c;
};
