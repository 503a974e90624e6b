#include "shell/ui/WindowRun.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tallyra"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tallyra"));
    QApplication::setApplicationVersion(QString::fromLatin1(TALLYRA_VERSION));
    return WindowRun::run(QApplication::arguments().mid(1),
                          [](const char* name) { return qEnvironmentVariable(name); });
}
