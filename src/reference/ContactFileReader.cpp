#include "reference/ContactFileReader.h"

#include "reference/ContactVCardParser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString ContactFileReader::pathInBook(const QString& bookFolder)
{
    return QDir(bookFolder).filePath(QStringLiteral("contacts.vcf"));
}

ContactStoreResult ContactFileReader::read(const QString& path) const
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {ContactStoreResult::Status::Missing, {}};
    // Only a regular file is opened: a pipe would block the reader.
    if (!info.isFile() || info.size() > MaxFileBytes)
        return ContactStoreResult::damaged();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ContactStoreResult::damaged();
    // One byte more than allowed tells a file that grew since the check.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileBytes)
        return ContactStoreResult::damaged();
    return ContactVCardParser(m_fallback).parse(bytes);
}
