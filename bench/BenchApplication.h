#pragma once

// The one application object of the window benchmarks, on the offscreen
// platform, made by whichever benchmark needs it first.
#ifdef TALLYRA_BENCH_WINDOWS

#include <QApplication>

namespace BenchBook {

inline QApplication& application()
{
    static int argc = 1;
    static char name[] = "tallyra_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

}  // namespace BenchBook

#endif
