#include "reports/ui/ChartProgram.h"

#include "reports/ui/ChartRenderer.h"

#include <QApplication>

#include <cstring>

namespace {

class ChartApplication : public QApplication {
public:
    ChartApplication(int& argc, char** argv) : QApplication(argc, argv)
    {
        ChartPainter::install(&m_renderer);
    }
    ~ChartApplication() override { ChartPainter::install(nullptr); }

private:
    ChartRenderer m_renderer;
};

bool isImageFormat(const char* value)
{
    return std::strcmp(value, "png") == 0 || std::strcmp(value, "svg") == 0;
}

}  // namespace

bool ChartProgram::drawsChart(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--chart") == 0 || std::strncmp(a, "--chart=", 8) == 0)
            return true;
        if (std::strncmp(a, "--format=", 9) == 0 && isImageFormat(a + 9))
            return true;
        if (std::strcmp(a, "--format") == 0 && i + 1 < argc && isImageFormat(argv[i + 1]))
            return true;
    }
    return false;
}

std::unique_ptr<QCoreApplication> ChartProgram::application(int& argc, char** argv)
{
    if (!drawsChart(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<ChartApplication>(argc, argv);
}
