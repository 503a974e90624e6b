#pragma once

#include "platform/Interaction.h"

#include <QString>

#include <functional>

// "&Reports...": the report program is started from the main program's own
// folder, else from the PATH, unless a copy of it already has the book open, which is then left
// to be the one (no second copy starts). A missing program is named in
// NotFoundText.
class ReportLaunch {
public:
    static constexpr const char* ProgramName = "sumora";
    static constexpr const char* NotFoundText = "'%1' not found.";

    enum class Outcome { AlreadyRunning, Started, NotFound };

    // Starts the file at the path; false when it could not.
    using Starter = std::function<bool(const QString& path, const QString& bookFolder)>;

    static Outcome run(const QString& programFolder, const QString& bookFolder, Interaction& ui,
                       const Starter& start);
    // The program in `programFolder`, else on the PATH (ProgramStart::locate).
    static QString programPath(const QString& programFolder);
};
