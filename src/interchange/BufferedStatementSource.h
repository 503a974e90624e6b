#pragma once

// A statement source that reads and checks its whole file in prepare(), so a
// file with one bad line is refused before the book is touched, and then
// hands the lines out one by one. The formats whose readers work on a whole
// file (OFX through its library, CSV with its mapping) build on it.

#include "interchange/StatementSource.h"

#include <vector>

class BufferedStatementSource : public StatementSource {
public:
    std::optional<qint64> prepare(const QString& accountCurrency) final
    {
        m_accountCurrency = accountCurrency;
        m_lines.clear();
        m_next = 0;
        if (!read(m_lines)) {
            m_lines.clear();
            return std::nullopt;
        }
        return static_cast<qint64>(m_lines.size());
    }

    Next next(StatementLine& line) final
    {
        if (m_next >= m_lines.size())
            return Next::End;
        line = std::move(m_lines[m_next++]);
        return Next::Line;
    }

    QString failure() const final { return m_failure; }

protected:
    // Reads every line of the file into `lines`; false (with fail()) when the
    // file is refused.
    virtual bool read(std::vector<StatementLine>& lines) = 0;
    const QString& accountCurrency() const { return m_accountCurrency; }
    bool fail(const QString& text)
    {
        m_failure = text;
        return false;
    }

private:
    std::vector<StatementLine> m_lines;
    size_t m_next = 0;
    QString m_failure;
    QString m_accountCurrency;
};
