#pragma once

// A statement file of any format imported into one account: the source the
// format reads with, run through the common import.

#include "interchange/CsvMapping.h"
#include "interchange/StatementFormat.h"
#include "interchange/StatementImport.h"

#include <QString>

// `mapping` is read for CSV only.
StatementImportResult importStatementFile(const StatementImportContext& context, const QString& path,
                                          StatementFormat format, const CsvMapping& mapping, qint32 account);
