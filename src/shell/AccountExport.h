#pragma once

// "&Export..." as the main program runs it: the dialog's starting values come
// from the settings (from where the account's last export ended, to today),
// and a successful export remembers the account's next start date, the date
// switch and the file's folder and name there.

#include "interchange/ExportCommand.h"
#include "platform/CodePage.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

#include <optional>

class AccountExport {
public:
    struct Choices {
        qint32 account = 0;
        QString path;
        ExportFormat format = ExportFormat::Qif;
        std::optional<FileTime> from;  // none: where the last export of the account ended
        std::optional<FileTime> to;    // none: `now`
        bool fullYearDates = false;
    };

    // All must outlive the operation.
    AccountExport(MainBook& book, const LocaleValues& locale, const CodePage& codePage, Interaction& ui)
        : m_book(book), m_locale(locale), m_codePage(codePage), m_ui(ui)
    {
    }

    // The request the dialog opens with; nullopt when the account is gone.
    std::optional<ExportRequest> request(const Choices& choices, FileTime now);
    // Writes and, on success, remembers. False when the account is gone or the
    // export failed (the export said so itself).
    bool run(const Choices& choices, FileTime now);

private:
    MainBook& m_book;
    const LocaleValues& m_locale;
    const CodePage& m_codePage;
    Interaction& m_ui;
};
