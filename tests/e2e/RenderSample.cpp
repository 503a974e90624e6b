// Writes the sample book into OUTDIR/book and an HTML report of each view
// (transactions.htm, categories.htm, projects.htm) into OUTDIR through the
// report command, for the browser check of RenderHtml.sh. Each report's title
// is "Rendered " + the view's name, which the check looks for in the page.

#include "ReportSampleBook.h"

#include "shell/CliCommandTable.h"
#include "shell/CliRunner.h"
#include "shell/ReportCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: report_render_sample OUTDIR\n";
        return 2;
    }
    const QDir outDir(arguments[1]);
    const QString book = outDir.filePath(QStringLiteral("book"));
    QDir(book).removeRecursively();
    if (!ReportSampleBook::write(book)) {
        err << "the sample book could not be written to " << book << '\n';
        return 1;
    }
    CliCommandTable commands;
    addReportCommands(commands);
    CliRunner runner(commands, out, err);
    for (const QString& view :
         {QStringLiteral("transactions"), QStringLiteral("categories"), QStringLiteral("projects")}) {
        const QString file = outDir.filePath(view + QStringLiteral(".htm"));
        const int status = runner.run(
            {QStringLiteral("--data"), book, QStringLiteral("--locale"), QStringLiteral("en_US"),
             QStringLiteral("--now"), QStringLiteral("2024-03-15T10:00:00"), QStringLiteral("report"), view,
             QStringLiteral("--period"), QStringLiteral("current-month"), QStringLiteral("--format"),
             QStringLiteral("html"), QStringLiteral("--title"), QStringLiteral("Rendered ") + view,
             QStringLiteral("--out"), file},
            [](const char*) { return QString(); });
        if (status != 0)
            return status;
        out << file << '\n' << Qt::flush;
    }
    return 0;
}
