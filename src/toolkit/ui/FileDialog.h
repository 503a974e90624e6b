#pragma once

#include <QString>

#include <optional>

class QWidget;

// The open and save file windows of the interchange commands: a title, the
// folder and file name to start with, one filter and the extension added to
// a name typed without one. Qt's own window rather than the desktop's, so a
// screen reader and the tests meet the same controls everywhere.
struct FileDialogRequest {
    QString title;
    QString folder;
    QString file;
    QString filter;  // "Quicken (*.qif)"
    QString suffix;  // "qif"
};

namespace FileDialog {

// The chosen path of an existing file; nullopt on Cancel.
std::optional<QString> open(QWidget* parent, const FileDialogRequest& request);
// The chosen path to write, in an existing folder, after asking before an
// existing file is replaced; nullopt on Cancel.
std::optional<QString> save(QWidget* parent, const FileDialogRequest& request);

}  // namespace FileDialog
