#pragma once

#include <QString>

// Hands work to other programs of the desktop: a file opened with the
// desktop's own handler (a saved HTML report, the help page in the browser)
// and a program started on its own, detached from this one.
class DesktopLaunch {
public:
    // The desktop's opener of files by type (xdg-open); TALLYRA_OPENER in the
    // environment names another, so that a test or a headless run can see
    // what would be opened without a browser.
    static QString opener();
    // False when the opener could not be started.
    static bool openFile(const QString& path);
    // Starts `program` with no arguments; false when it could not be started.
    static bool startProgram(const QString& program);
};
