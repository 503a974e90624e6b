#include "interchange/QifImport.h"

#include <QFile>

QifImportResult QifImport::importFile(const QString& path, qint32 account)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_context.ui.showMessage(QString::fromUtf8(FileReadErrorText), Interaction::Icon::Exclamation);
        return {};
    }
    return importDevice(file, account);
}

QifImportResult QifImport::importDevice(QIODevice& device, qint32 account)
{
    QifStatementSource source(device, m_context.codePage, m_context.locale);
    return StatementImport(m_context).run(source, account);
}

QifImportResult QifImport::importAndTell(const QString& path, qint32 account)
{
    const QifImportResult result = importFile(path, account);
    if (result.ok)
        m_context.ui.showMessage(QString::fromUtf8(SucceededText), Interaction::Icon::Information);
    else
        m_context.ui.showMessage(QString::fromUtf8(FailedText), Interaction::Icon::Exclamation);
    return result;
}
