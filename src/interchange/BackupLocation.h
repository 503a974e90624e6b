#pragma once

// The folder and file name a backup or a restore remembers of the file chosen
// ("BackUp Folder", "BackUp File"): the path up to and including its last
// separator, and the rest. A file at the top of the tree (the separator at
// position 0 or 1) is remembered as the defaults instead.

#include <QString>

struct BackupLocation {
    static constexpr const char* DefaultFile = "BackUp.tyb";
    static constexpr const char* DefaultFolder = "\\";  // the user's home folder

    QString folder;
    QString file;

    static BackupLocation of(const QString& path);
};
