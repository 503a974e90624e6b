#pragma once

#include "accounts/PasswordPrompt.h"

#include <QStringList>

#include <deque>
#include <optional>

// Answers the password prompt from a script (nullopt is Cancel) and records
// what the lock did with the window. An unscripted prompt is cancelled.
class ScriptedPrompt : public PasswordPrompt {
public:
    void type(const QString& text) { m_answers.push_back(text); }
    void cancel() { m_answers.push_back(std::nullopt); }

    std::optional<QString> askPassword() override
    {
        ++asked;
        events << QStringLiteral("ask");
        if (m_answers.empty())
            return std::nullopt;
        const auto answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void hideMainWindow() override { events << QStringLiteral("hide"); }
    void showMainWindow() override { events << QStringLiteral("show"); }
    void showLockOut(const QString& text) override
    {
        events << QStringLiteral("lockout");
        lockOutTexts << text;
    }

    int asked = 0;
    QStringList events;
    QStringList lockOutTexts;

private:
    std::deque<std::optional<QString>> m_answers;
};
