#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>

InstanceLock::InstanceLock(std::unique_ptr<QLockFile> file) : m_file(std::move(file))
{
}

InstanceLock::~InstanceLock()
{
    m_file->unlock();
}

std::unique_ptr<InstanceLock> InstanceLock::acquire(const QString& folder, const QString& fileName, QString* error)
{
    auto file = std::make_unique<QLockFile>(QDir(folder).filePath(fileName));
    // A holder that stays alive keeps the lock however old it is; only a dead
    // holder's file is taken over, which QLockFile checks by process id.
    file->setStaleLockTime(0);
    if (file->tryLock(0))
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
    file.setStaleLockTime(0);
    if (file.tryLock(0)) {
        file.unlock();
        return false;
    }
    return file.error() == QLockFile::LockFailedError;
}
