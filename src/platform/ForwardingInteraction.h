#pragma once

#include "platform/Interaction.h"

// Passes everything on to another interaction; a subclass overrides only what
// it watches or changes (a question it answers itself, a message it keeps).
class ForwardingInteraction : public Interaction {
public:
    explicit ForwardingInteraction(Interaction& inner) : m_inner(inner) {}

    bool askYesNo(const QString& text, const QString& title = {}) override
    {
        return m_inner.askYesNo(text, title);
    }
    void showMessage(const QString& text, Icon icon = Icon::Information, const QString& title = {}) override
    {
        m_inner.showMessage(text, icon, title);
    }
    void showStatus(const QString& text) override { m_inner.showStatus(text); }
    void progressLabel(const QString& text) override { m_inner.progressLabel(text); }
    void progressRange(qint64 steps) override { m_inner.progressRange(steps); }
    void progressStep(qint64 done) override { m_inner.progressStep(done); }
    bool progressStopRequested() override { return m_inner.progressStopRequested(); }

protected:
    Interaction& inner() { return m_inner; }

private:
    Interaction& m_inner;
};
