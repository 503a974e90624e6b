#include "platform/ProgramStart.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

bool ProgramStart::startDetached(const QString& path, const QString& bookFolder)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isExecutable())
        return false;
    QProcess process;
    process.setProgram(file.absoluteFilePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TALLYRA_HOME"), bookFolder);
    process.setProcessEnvironment(environment);
    return process.startDetached();
}
