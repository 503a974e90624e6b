#include "interchange/QifImportDialog.h"

QString QifImportDialog::title(const QString& accountName)
{
    return QStringLiteral("Import to  ") + accountName + QStringLiteral(" ") + QStringLiteral(" from file ");
}

QString QifImportDialog::folderToRemember(const QString& chosenPath)
{
    const qsizetype last = qMax(chosenPath.lastIndexOf(u'\\'), chosenPath.lastIndexOf(u'/'));
    if (last <= 1)
        return QString::fromLatin1(DefaultFolder);
    return chosenPath.left(last);
}
