#include "interchange/CsvPreview.h"

#include "interchange/CsvStatementSource.h"
#include "interchange/CsvText.h"

CsvPreview CsvPreview::of(const QByteArray& head, const CsvMapping& mapping, int maxRows)
{
    CsvPreview p;
    const std::optional<QString> text = decodeCsvText(head, mapping.encoding);
    if (!text) {
        p.problem = QString::fromUtf8(CsvStatementSource::EncodingText).arg(mapping.encoding);
        return p;
    }
    CsvReader reader(*text, mapping.delimiter, mapping.quote);
    p.problem = mapping.problem();
    for (std::optional<CsvRow> row = reader.next(); row && static_cast<int>(p.rows.size()) < maxRows;
         row = reader.next()) {
        p.widest = qMax(p.widest, static_cast<int>(row->fields.size()));
        const bool header = static_cast<int>(p.rows.size()) < mapping.headerRows;
        if (!header && !row->isBlank() && p.problem.isEmpty()) {
            StatementLine line;
            CsvStatementSource::lineOf(*row, mapping, line, &p.problem);
        }
        p.rows.push_back(std::move(*row));
    }
    // A quote left open at the end of the head may close further on.
    return p;
}
