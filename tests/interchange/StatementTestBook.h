#pragma once

// The import test book with statement files: each import writes its bytes to
// a file of its own (OFX is read from files only) and imports it.

#include "QifImportTestBook.h"

#include "interchange/StatementFileImport.h"

#include <QFile>
#include <QTemporaryDir>

class StatementTestBook : public QifImportTestBook {
public:
    StatementImportResult importBytes(const QByteArray& bytes, StatementFormat format,
                                      const CsvMapping& mapping = {}, qint32 account = 1)
    {
        const QString path = m_dir.filePath(QStringLiteral("statement%1").arg(++m_files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        return importStatementFile(StatementImportContext{tables(), categories, projects, totals,
                                                          QStringLiteral("USD"), clock, locale, codePage, ui},
                                   path, format, mapping, account);
    }

    qint64 transactionCount() { return tables().transactions().count(); }

    // The FITIDs of account 1's transactions, in account-key order.
    QStringList fitIds(qint32 account = 1)
    {
        QStringList out;
        DbTable& t = tables().transactions();
        const AccountRun run = AccountRun::locate(t, account);
        for (qint64 p = run.first; p < run.end(); ++p) {
            EXPECT_TRUE(t.moveTo(p));
            out << t.getText(Prop::FitId);
        }
        t.moveTo(DbTable::NoRecord);
        return out;
    }

private:
    QTemporaryDir m_dir;
    int m_files = 0;
};
