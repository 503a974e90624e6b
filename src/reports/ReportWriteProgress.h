#pragma once

// The progress window of a writer's row loop: "Calculation Report", ten
// steps, "Stop" ends the loop. The closing part of the file is still written,
// so a stopped file is complete with fewer rows.

#include <QtGlobal>

class Interaction;

class ReportWriteProgress {
public:
    ReportWriteProgress(Interaction& ui, qint64 rows);
    // Before row `index`: false once "Stop" was pressed.
    bool next(qint64 index);
    bool stopped() const { return m_stopped; }

private:
    Interaction& m_ui;
    qint64 m_every;
    bool m_stopped = false;
};
