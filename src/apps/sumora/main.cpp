#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// The window of this program is not written yet; until it is, the program
// says so and points to the command-line front end, which runs the same logic.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("sumora"));
    QTextStream(stderr) << "sumora: the window is not built yet; use tallyra-cli.\n";
    return 1;
}
