#pragma once

#include "reports/ReportFormat.h"
#include "reports/ReportKind.h"

#include <QString>

#include <optional>

class QWidget;
class ReportSettings;

// The report program's questions before a file is written or read: the
// report's title, where a report goes, where a filter file goes or comes
// from. Each answers nullopt on Cancel. The folder of a chosen file becomes
// the next starting folder ("Export Folder", "Filter Folder").
class ReportFileDialogs {
public:
    static constexpr const char* TitleCaption = "Title ";
    static constexpr const char* TitleLabel = "Title Report";
    static constexpr const char* SaveReportCaption = "Save Report";
    static constexpr const char* SaveFilterCaption = "Save Filter";
    static constexpr const char* LoadFilterCaption = "Load Filter";
    static constexpr const char* FilterType = "Sumora Filter (*.tyf)";

    static constexpr const char* WithChartText = "Include Chart";

    // With `withChart`, the dialog offers WithChartText (off) and reports it there.
    static std::optional<QString> askTitle(QWidget* parent, ReportKind kind, bool* withChart = nullptr);
    static std::optional<QString> askReportPath(QWidget* parent, ReportSettings& settings,
                                                ReportFormat format, const QString& title);
    static std::optional<QString> askFilterPath(QWidget* parent, ReportSettings& settings, bool saving);
};
