#include "interchange/OfxStatementSource.h"

#include "interchange/OfxFile.h"

bool OfxStatementSource::read(std::vector<StatementLine>& lines)
{
    OfxFile file = OfxFile::read(m_path);
    if (!file.ok)
        return fail(file.failure);
    if (file.currency.compare(accountCurrency(), Qt::CaseInsensitive) != 0)
        return fail(QString::fromUtf8(CurrencyText).arg(file.currency, accountCurrency()));
    lines = std::move(file.lines);
    return true;
}
