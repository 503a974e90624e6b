#include "platform/DesktopLaunch.h"

#include <QProcess>

QString DesktopLaunch::opener()
{
    const QString chosen = qEnvironmentVariable("TALLYRA_OPENER");
    return chosen.isEmpty() ? QStringLiteral("xdg-open") : chosen;
}

bool DesktopLaunch::openFile(const QString& path)
{
    return QProcess::startDetached(opener(), {path});
}
