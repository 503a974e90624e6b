#pragma once

// The one application object of the window benchmarks, on the offscreen
// platform, made by whichever benchmark needs it first. It is never
// destroyed: torn down among the exit handlers it would outlive the input
// devices a shown window registers, and crash.
#ifdef TALLYRA_BENCH_WINDOWS

#include <QApplication>

namespace BenchBook {

inline QApplication& application()
{
    static int argc = 1;
    static char name[] = "tallyra_bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *static_cast<QApplication*>(QApplication::instance());
}

}  // namespace BenchBook

#endif
