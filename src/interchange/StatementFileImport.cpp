#include "interchange/StatementFileImport.h"

#include "interchange/CsvStatementSource.h"
#include "interchange/OfxStatementSource.h"
#include "interchange/QifImport.h"

StatementImportResult importStatementFile(const StatementImportContext& context, const QString& path,
                                          StatementFormat format, const CsvMapping& mapping, qint32 account)
{
    switch (format) {
    case StatementFormat::Qif:
        return QifImport(context).importFile(path, account);
    case StatementFormat::Ofx: {
        OfxStatementSource source(path);
        return StatementImport(context).run(source, account);
    }
    case StatementFormat::Csv: {
        CsvStatementSource source(path, mapping);
        return StatementImport(context).run(source, account);
    }
    }
    return {};
}
