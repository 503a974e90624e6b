#include "shell/StartFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cctype>

namespace {

constexpr qint64 SniffBytes = 256;

// The filter file's magic and version; a backup begins with its format byte.
const QByteArray FilterMagic = QByteArrayLiteral("tyf\x01");
constexpr char BackupFirstByte = '\x01';

// A QIF file is text whose first line that is not blank is a "!" header
// (!Type:Bank, !Account, !Option:...), after an optional byte-order mark.
bool looksLikeQif(QByteArray head)
{
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    const QByteArray text = head.trimmed();
    return text.startsWith('!') && text.size() > 1 && std::isalpha(static_cast<unsigned char>(text.at(1)));
}

std::optional<StartFile::Kind> sniff(const QString& path, const QByteArray& head)
{
    if (head.startsWith(FilterMagic))
        return StartFile::Kind::Filter;
    if (looksLikeQif(head))
        return StartFile::Kind::Qif;
    // The backup's header is checked in full by the restore; here its name and
    // first byte keep a stray file from being offered.
    if (QFileInfo(path).suffix().compare(QStringLiteral("tyb"), Qt::CaseInsensitive) == 0 &&
        head.startsWith(BackupFirstByte))
        return StartFile::Kind::Backup;
    return std::nullopt;
}

}  // namespace

QString StartFile::describe(Kind kind)
{
    switch (kind) {
    case Kind::Backup:
        return QStringLiteral("a Tallyra backup (.tyb)");
    case Kind::Qif:
        return QStringLiteral("a QIF file (.qif)");
    case Kind::Filter:
        return QStringLiteral("a report filter (.tyf)");
    }
    return {};
}

StartFile::Result StartFile::classify(const QString& path, std::initializer_list<Kind> accepted)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return {std::nullopt, QString::fromLatin1(MissingText).arg(shown)};
    QStringList kinds;
    for (const Kind kind : accepted)
        kinds << describe(kind);
    const QString wrongType =
        QString::fromLatin1(WrongTypeText).arg(shown, kinds.join(QStringLiteral(" or ")));
    if (!info.isFile())
        return {std::nullopt, wrongType};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QString::fromLatin1(UnreadableText).arg(shown)};
    const std::optional<Kind> kind = sniff(path, file.read(SniffBytes));
    if (!kind || std::find(accepted.begin(), accepted.end(), *kind) == accepted.end())
        return {std::nullopt, wrongType};
    return {kind, {}};
}
