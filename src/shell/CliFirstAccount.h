#pragma once

#include "shell/FirstAccountSource.h"

#include <QTextStream>

// tallyra-cli's answer to start-up's first-account request: the account that
// `init` names, or, for every other command, a refusal that tells the user to
// run init (the run then ends without touching the book further).
class CliFirstAccount : public FirstAccountSource {
public:
    static constexpr const char* NoAccountText = "The book has no account yet: run init first.";

    CliFirstAccount(std::optional<AccountDraft> draft, QTextStream& err)
        : m_draft(std::move(draft)), m_err(err)
    {
    }

    std::optional<AccountDraft> firstAccount(QStringView) override
    {
        m_asked = true;
        if (!m_draft)
            m_err << NoAccountText << '\n';
        return m_draft;
    }
    bool asked() const { return m_asked; }

private:
    std::optional<AccountDraft> m_draft;
    QTextStream& m_err;
    bool m_asked = false;
};
