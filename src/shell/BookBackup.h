#pragma once

// Backup and restore as the main program runs them, with what surrounds the
// file work: the file's folder and name remembered for the next file dialog
// ("BackUp Folder", "BackUp File"), and around a restore the exit step told to
// leave the horizon at 0 (so the next start rebuilds the future list and every
// project's totals) and the horizon a restored settings item may have named
// zeroed again.

#include "interchange/Restore.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

#include <QString>

#include <functional>
#include <optional>

class BookBackup {
public:
    // `book` and `ui` must outlive the operation.
    BookBackup(MainBook& book, Interaction& ui) : m_book(book), m_ui(ui) {}

    bool backup(const QString& path, FileTime now);

    struct RestoreResult {
        Restore::Outcome outcome = Restore::Outcome::NotStarted;
        // Why a file was not restored ("The file ... could not be read.", "...
        // is not a backup file."); empty when the user declined or the report
        // program held the book (the restore said so itself).
        QString notStartedText;
    };
    RestoreResult restore(const QString& path, const LocaleValues& locale);
    // The window's order: the loss question and the report program's check
    // come before the file is chosen; `choosePath` answers nullopt on Cancel
    // (not started, nothing said).
    using PathChoice = std::function<std::optional<QString>()>;
    RestoreResult restore(const PathChoice& choosePath, const LocaleValues& locale);

private:
    void rememberFile(const QString& path);

    MainBook& m_book;
    Interaction& m_ui;
};
