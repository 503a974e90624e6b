#include "reports/ReportWriteProgress.h"

#include "platform/Interaction.h"
#include "reports/ReportScan.h"

#include <algorithm>

ReportWriteProgress::ReportWriteProgress(Interaction& ui, qint64 rows)
    : m_ui(ui), m_every(std::max<qint64>(1, rows / ReportScan::ProgressSteps))
{
    m_ui.progressLabel(ReportScan::ProgressText);
    m_ui.progressRange(ReportScan::ProgressSteps);
}

bool ReportWriteProgress::next(qint64 index)
{
    if (m_stopped)
        return false;
    if (index > 0 && index % m_every == 0) {
        m_ui.progressStep(std::min<qint64>(index / m_every, ReportScan::ProgressSteps));
        m_stopped = m_ui.progressStopRequested();
    }
    return !m_stopped;
}
