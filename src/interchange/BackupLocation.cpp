#include "interchange/BackupLocation.h"

#include <algorithm>

BackupLocation BackupLocation::of(const QString& path)
{
    // Either separator: the desktop's own or the handheld's.
    const qsizetype last = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (last <= 1)
        return BackupLocation{QString::fromLatin1(DefaultFolder), QString::fromLatin1(DefaultFile)};
    return BackupLocation{path.left(last + 1), path.mid(last + 1)};
}
