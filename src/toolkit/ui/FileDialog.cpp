#include "toolkit/ui/FileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace {

std::optional<QString> run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAccessibleName(request.title);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.suffix);
    if (!request.file.isEmpty())
        dialog.selectFile(QDir(request.folder).filePath(request.file));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> FileDialog::open(QWidget* parent, const FileDialogRequest& request)
{
    return run(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> FileDialog::save(QWidget* parent, const FileDialogRequest& request)
{
    return run(parent, request, QFileDialog::AcceptSave);
}
