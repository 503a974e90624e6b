#include "SumoraRun.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sumora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Sumora"));
    QApplication::setApplicationVersion(QString::fromLatin1(TALLYRA_VERSION));
    return SumoraRun::run(QApplication::arguments().mid(1),
                          [](const char* name) { return qEnvironmentVariable(name); });
}
