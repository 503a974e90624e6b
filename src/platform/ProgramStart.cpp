#include "platform/ProgramStart.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

bool runnable(const QFileInfo& file)
{
    return file.isFile() && file.isExecutable();
}

}  // namespace

QString ProgramStart::locate(const QString& programFolder, const QString& name)
{
    const QString beside = QDir(programFolder).absoluteFilePath(name);
    if (runnable(QFileInfo(beside)))
        return beside;
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? beside : onPath;
}

bool ProgramStart::startDetached(const QString& path, const QString& bookFolder)
{
    const QFileInfo file(path);
    if (!runnable(file))
        return false;
    QProcess process;
    process.setProgram(file.absoluteFilePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TALLYRA_HOME"), bookFolder);
    process.setProcessEnvironment(environment);
    return process.startDetached();
}
