#pragma once

// What the "&Import from QIF..." command shows and remembers around its file
// dialog; the window that shows it lives in the user-interface layer.

#include <QString>

struct QifImportDialog {
    static constexpr const char* Filter = "Quicken (*.qif)";
    static constexpr const char* DefaultExtension = "qif";
    static constexpr int MaxFileNameLength = 200;
    // The "Import Folder" setting before any import.
    static constexpr const char* DefaultFolder = "\\";

    // "Import to  " + name + " " + " from file ", blanks as the program has them.
    static QString title(const QString& accountName);
    // The folder written back to "Import Folder" after a file was chosen: the
    // path up to its last separator ('\' or '/'), or DefaultFolder when that
    // separator is the first or second character (or there is none).
    static QString folderToRemember(const QString& chosenPath);
};
