#pragma once

#include <QString>

#include <vector>

// One line of a row-detail popup: "Label:\tvalue", or a separator.
struct ReportPopupLine {
    QString text;
    bool separator = false;

    static ReportPopupLine line(const QString& text) { return {text, false}; }
    static ReportPopupLine rule() { return {QString(), true}; }
    friend bool operator==(const ReportPopupLine&, const ReportPopupLine&) = default;
};

using ReportPopup = std::vector<ReportPopupLine>;
