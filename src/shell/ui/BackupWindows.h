#pragma once

#include "platform/Clock.h"
#include "platform/Interaction.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

class QWidget;

// "&Backup..." and "Re&store..." as the window runs them: the file windows
// start in the remembered folder with the remembered name, and the work, its
// progress and its messages are BookBackup's.
class BackupWindows {
public:
    static constexpr const char* BackupTitle = "Save data as file...";
    static constexpr const char* RestoreTitle = "Restore data from file...";
    static constexpr const char* Filter = "BackUp Tallyra (*.tyb)";
    static constexpr const char* Suffix = "tyb";

    // All must outlive the object.
    BackupWindows(QWidget* parent, MainBook& book, const Clock& clock, Interaction& ui)
        : m_parent(parent), m_book(book), m_clock(clock), m_ui(ui)
    {
    }

    // Cancel in the file window ends it silently; a failure has been told.
    void backup();
    // True when a restore started, whatever its outcome: the program must
    // then end, so that the next start rebuilds what the file does not carry.
    bool restore(const LocaleValues& locale);

private:
    QWidget* m_parent;
    MainBook& m_book;
    const Clock& m_clock;
    Interaction& m_ui;
};
