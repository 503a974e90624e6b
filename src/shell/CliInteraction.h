#pragma once

#include "platform/Interaction.h"

#include <QTextStream>

// The interaction of tallyra-cli: there is nobody to ask, so the options answer.
// A question is answered Yes only when the run was given --yes; otherwise it is
// written to the error stream and answered No, so the command refuses and
// writes nothing. Messages go to the error stream; status texts only when
// TALLYRA_VERBOSE is set; progress is silent and a stop is never requested.
class CliInteraction : public Interaction {
public:
    CliInteraction(QTextStream& err, bool assumeYes, bool verbose);

    bool askYesNo(const QString& text, const QString& title = {}) override;
    void showMessage(const QString& text, Icon icon = Icon::Information, const QString& title = {}) override;
    void showStatus(const QString& text) override;
    void progressLabel(const QString&) override {}
    void progressRange(qint64) override {}
    void progressStep(qint64) override {}
    bool progressStopRequested() override { return false; }

private:
    QTextStream& m_err;
    bool m_assumeYes;
    bool m_verbose;
};
