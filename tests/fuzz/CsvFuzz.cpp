// Fuzz target of the CSV reader and the row mapping: any text must read to
// its end or stop at a fault that names a line within the text, without
// crash or hang; every row the mapping accepts has a date and an amount in
// the store's range.
//
// The input's first byte picks the delimiter, the decimal separator and
// whether debit and credit columns stand in for the amount.

#include "interchange/CsvAmount.h"
#include "interchange/CsvReader.h"
#include "interchange/CsvStatementSource.h"
#include "interchange/CsvText.h"

#include <cstdint>
#include <cstdlib>

namespace {

CsvMapping mappingFor(uint8_t pick)
{
    using C = CsvMapping::Column;
    CsvMapping m;
    m.delimiter = (pick & 1) ? u';' : u',';
    m.decimal = (pick & 2) ? u',' : u'.';
    m.dateFormat = (pick & 4) ? QStringLiteral("dd.MM.yy") : QStringLiteral("yyyy-MM-dd");
    if (pick & 8)
        m.columns = {C::Date, C::Description, C::Debit, C::Credit, C::Category};
    else
        m.columns = {C::Date, C::Skip, C::Description, C::Amount, C::Memo, C::Number};
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const CsvMapping mapping = mappingFor(data[0]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const std::optional<QString> text = decodeCsvText(bytes, QStringLiteral("windows-1252"));
    if (!text)
        std::abort();
    const qint64 lines = text->count(u'\n') + text->count(u'\r') + 1;
    CsvReader reader(*text, mapping.delimiter, mapping.quote);
    qint64 lastLine = 0;
    for (std::optional<CsvRow> row = reader.next(); row; row = reader.next()) {
        if (row->line < lastLine || row->line > lines)
            std::abort();
        lastLine = row->line;
        StatementLine line;
        QString error;
        if (CsvStatementSource::lineOf(*row, mapping, line, &error)) {
            if (!line.dateValid || !line.amount || qAbs(line.amount->hundredths()) > MaxEnteredHundredths)
                std::abort();
        } else if (!error.startsWith(QStringLiteral("Line %1:").arg(row->line))) {
            std::abort();
        }
        for (const QString& field : row->fields)
            static_cast<void>(parseCsvAmount(field, mapping.decimal));
    }
    return 0;
}
