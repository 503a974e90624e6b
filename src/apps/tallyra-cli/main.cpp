#include "shell/CliCommandTable.h"
#include "shell/CliRunner.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tallyra-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CliCommandTable commands = CliCommandTable::standard();
    CliRunner runner(commands, out, err);
    return runner.run(QCoreApplication::arguments().mid(1),
                      [](const char* name) { return qEnvironmentVariable(name); });
}
