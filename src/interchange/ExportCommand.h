#pragma once

// "&Export...": runs the export writer with the dialog's values and tells the
// user how it went. Only a successful export is remembered: the next start
// date of the account (the day after the end date, so the next export goes on
// without overlap), the date switch, and the folder and name of the file.
// The caller owns the settings and stores what it is handed.

#include "interchange/ExportWriter.h"
#include "platform/Interaction.h"

#include <QString>

#include <functional>

struct ExportMemory {
    FileTime nextStart = 0;
    bool fullYearDates = false;
    QString folder;  // up to and including the last separator; "\" for the home folder
    QString file;    // the part after the last separator
};

class ExportCommand {
public:
    static constexpr const char* SucceededText = "Export Succesful.";
    static constexpr const char* FailedText = "Export Failure.\nBad File Name or Not Enough Memory.";
    // The folder setting's value for the user's home folder.
    static constexpr const char* HomeFolder = "\\";

    // What a successful export of `request` leaves to remember.
    static ExportMemory memoryAfter(const ExportRequest& request);

    // Writes, then on success hands memoryAfter() to `remember` and shows
    // SucceededText (information icon); on failure shows FailedText
    // (exclamation icon) and remembers nothing. True on success.
    static bool run(ExportWriter& writer, const ExportRequest& request, Interaction& ui,
                    const std::function<void(const ExportMemory&)>& remember);
};
