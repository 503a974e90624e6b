#include "shell/CliCommandTable.h"
#include "shell/CliRunner.h"

#ifdef TALLYRA_CHARTS
#include "reports/ui/ChartProgram.h"
#endif

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
#ifdef TALLYRA_CHARTS
    const std::unique_ptr<QCoreApplication> app = ChartProgram::application(argc, argv);
#else
    const auto app = std::make_unique<QCoreApplication>(argc, argv);
#endif
    QCoreApplication::setApplicationName(QStringLiteral("tallyra-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CliCommandTable commands = CliCommandTable::standard();
    CliRunner runner(commands, out, err);
    return runner.run(QCoreApplication::arguments().mid(1),
                      [](const char* name) { return qEnvironmentVariable(name); });
}
