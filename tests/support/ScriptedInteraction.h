#pragma once

#include "platform/Interaction.h"

#include <QStringList>

#include <deque>

// Answers questions from a script and records everything the logic said, so a
// test can assert the exact texts. An unscripted question is answered No.
class ScriptedInteraction : public Interaction {
public:
    void answer(bool yes) { m_answers.push_back(yes); }
    // Requests "Stop" once the progress has been stepped this many times.
    void stopAfterSteps(qint64 steps) { m_stopAfter = steps; }

    bool askYesNo(const QString& text, const QString& title = {}) override
    {
        questions << text;
        titles << title;
        if (m_answers.empty())
            return false;
        const bool yes = m_answers.front();
        m_answers.pop_front();
        return yes;
    }
    void showMessage(const QString& text, Icon icon = Icon::Information, const QString& title = {}) override
    {
        messages << text;
        icons.push_back(icon);
        titles << title;
    }
    void showStatus(const QString& text) override { statuses << text; }
    void progressLabel(const QString& text) override { progressLabels << text; }
    void progressRange(qint64 steps) override { progressSteps = steps; }
    void progressStep(qint64 done) override
    {
        progressDone = done;
        ++m_stepCalls;
    }
    bool progressStopRequested() override { return m_stopAfter >= 0 && m_stepCalls >= m_stopAfter; }

    QStringList questions;
    QStringList messages;
    QStringList titles;
    QStringList statuses;
    QStringList progressLabels;
    std::vector<Icon> icons;
    qint64 progressSteps = 0;
    qint64 progressDone = 0;

private:
    std::deque<bool> m_answers;
    qint64 m_stopAfter = -1;
    qint64 m_stepCalls = 0;
};
