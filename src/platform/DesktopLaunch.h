#pragma once

#include <QString>

// Hands a file to the desktop's own handler (a saved HTML report in the
// browser). The suite's own programs are started by ProgramStart.
class DesktopLaunch {
public:
    // The desktop's opener of files by type (xdg-open); TALLYRA_OPENER in the
    // environment names another, so that a test or a headless run can see
    // what would be opened without a browser.
    static QString opener();
    // False when the opener could not be started.
    static bool openFile(const QString& path);
};
