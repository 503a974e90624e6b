#include "shell/ReportLaunch.h"

#include "accounts/DatabaseClearing.h"
#include "platform/ProgramStart.h"

QString ReportLaunch::programPath(const QString& programFolder)
{
    return ProgramStart::locate(programFolder, QString::fromLatin1(ProgramName));
}

ReportLaunch::Outcome ReportLaunch::run(const QString& programFolder, const QString& bookFolder,
                                        Interaction& ui, const Starter& start)
{
    if (DatabaseClearing::reportProgramHolds(bookFolder))
        return Outcome::AlreadyRunning;
    if (start(programPath(programFolder), bookFolder))
        return Outcome::Started;
    ui.showMessage(QString::fromLatin1(NotFoundText).arg(QString::fromLatin1(ProgramName)),
                   Interaction::Icon::Exclamation);
    return Outcome::NotFound;
}
