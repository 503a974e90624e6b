#pragma once

// An OFX or QFX statement (OfxFile) as statement lines for one account: the
// statement must be in the account's currency, since its amounts are taken
// as they stand.

#include "interchange/BufferedStatementSource.h"

class OfxStatementSource : public BufferedStatementSource {
public:
    static constexpr const char* CurrencyText = "The statement is in %1, the account in %2.";

    explicit OfxStatementSource(QString path) : m_path(std::move(path)) {}

protected:
    bool read(std::vector<StatementLine>& lines) override;

private:
    QString m_path;
};
