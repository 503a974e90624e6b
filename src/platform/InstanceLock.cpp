#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QThread>

namespace {

// QLockFile takes over the file of a holder that died, which it tells by the
// process id written in the file. A holder killed between making the file
// and writing its id leaves an empty file that would lock the book for good:
// a live holder writes its id right after making the file, so a file that
// still names nobody a moment later is taken over too.
bool tryLock(QLockFile& file)
{
    file.setStaleLockTime(0);
    if (file.tryLock(0) || file.error() != QLockFile::LockFailedError)
        return file.error() == QLockFile::NoError;
    qint64 pid = 0;
    QString host;
    QString app;
    if (file.getLockInfo(&pid, &host, &app))
        return false;
    QThread::msleep(200);
    if (file.getLockInfo(&pid, &host, &app))
        return false;
    return file.removeStaleLockFile() && file.tryLock(0);
}

}  // namespace

InstanceLock::InstanceLock(std::unique_ptr<QLockFile> file) : m_file(std::move(file))
{
}

InstanceLock::~InstanceLock()
{
    m_file->unlock();
}

std::unique_ptr<InstanceLock> InstanceLock::acquire(const QString& folder, const QString& fileName,
                                                    QString* error)
{
    auto file = std::make_unique<QLockFile>(QDir(folder).filePath(fileName));
    // A holder that stays alive keeps the lock however old it is; only a dead
    // holder's file is taken over.
    if (tryLock(*file))
        return std::unique_ptr<InstanceLock>(new InstanceLock(std::move(file)));
    if (error) {
        *error = file->error() == QLockFile::LockFailedError
                     ? QStringLiteral("The book is in use by another running program.")
                     : QStringLiteral("Can not create the lock file in %1.").arg(folder);
    }
    return nullptr;
}

bool InstanceLock::isHeld(const QString& folder, const QString& fileName)
{
    QLockFile file(QDir(folder).filePath(fileName));
    if (tryLock(file)) {
        file.unlock();
        return false;
    }
    return file.error() == QLockFile::LockFailedError;
}
