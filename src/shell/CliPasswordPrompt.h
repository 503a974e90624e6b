#pragma once

#include "accounts/PasswordPrompt.h"

#include <QTextStream>

// The password prompt of tallyra-cli: the --password text, offered once; a
// second request is answered with Cancel, so a wrong password ends the run at
// once instead of being tried five times. There is no window to hide.
class CliPasswordPrompt : public PasswordPrompt {
public:
    static constexpr const char* WrongPasswordText = "Wrong password (--password).";

    CliPasswordPrompt(std::optional<QString> password, QTextStream& err)
        : m_password(std::move(password)), m_err(err)
    {
    }

    std::optional<QString> askPassword() override
    {
        std::optional<QString> typed;
        std::swap(typed, m_password);
        return typed;
    }
    void hideMainWindow() override {}
    void showMainWindow() override {}
    void showLockOut(const QString& text) override { m_err << text << '\n'; }

private:
    std::optional<QString> m_password;
    QTextStream& m_err;
};
