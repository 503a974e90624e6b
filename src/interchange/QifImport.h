#pragma once

// Importing a QIF file into one account: QifStatementSource read through the
// common statement import (StatementImport), which says what a record merges
// into, what it adds and how a stop or a failure ends.

#include "interchange/QifStatementSource.h"
#include "interchange/StatementImport.h"

#include <QIODevice>
#include <QString>

using QifImportContext = StatementImportContext;
using QifImportResult = StatementImportResult;

class QifImport {
public:
    static constexpr const char* FileReadErrorText = QifStatementSource::FileReadErrorText;
    static constexpr const char* StopQuestion = StatementImport::StopQuestion;
    static constexpr const char* RecalcText = StatementImport::RecalcText;
    // What the import command says afterwards (the spelling is the program's own).
    static constexpr const char* SucceededText = "Import Succesful";
    static constexpr const char* FailedText = "Import Failure";
    // The description of a record without a payee.
    static constexpr const char* UntitledText = StatementImport::UntitledText;

    explicit QifImport(QifImportContext context) : m_context(context) {}

    // Opens the file and imports it. A file that cannot be opened or read
    // shows FileReadErrorText and fails, changing nothing.
    QifImportResult importFile(const QString& path, qint32 account);
    // The same from an open, seekable device.
    QifImportResult importDevice(QIODevice& device, qint32 account);
    // The import command once its file is chosen: importFile, then
    // SucceededText (information icon) or FailedText (exclamation icon).
    QifImportResult importAndTell(const QString& path, qint32 account);

private:
    QifImportContext m_context;
};
