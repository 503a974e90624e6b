#pragma once

#include "accounts/BalanceHistory.h"
#include "reports/ReportChart.h"

#include <QDialog>

// The balance history of the shown account, opened from the balance bar's
// popup: its running balance over time as a line, the planned future up to
// the horizon as a dashed continuation.
class BalanceHistoryWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* MenuText = "Balance History...";
    static constexpr const char* TitleText = "Balance History";

    explicit BalanceHistoryWindow(const BalanceHistory& history, QWidget* parent = nullptr);

    // The chart the window shows, in the terms the chart files use.
    static ReportChart chartOf(const BalanceHistory& history);
    const ReportChart& chart() const { return m_chart; }

private:
    ReportChart m_chart;
};
