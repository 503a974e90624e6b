#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a second run of a program off a book folder while the first one has it:
// a lock file in the folder, held for the life of this object. A lock left by
// a run that crashed is taken over (its process no longer exists).
class InstanceLock {
public:
    // The lock of the main program; tallyra-cli holds it too for every command
    // that runs as the main program.
    static constexpr const char* MainProgramFile = "tallyra.lock";
    // The lock of the report program's window; the main program looks at it
    // (isHeld) before it clears the whole book under the report program.
    static constexpr const char* ReportProgramFile = "sumora.lock";

    // Tries once, without waiting. Null when another live process holds the
    // lock or the file cannot be made; *error then says which.
    static std::unique_ptr<InstanceLock> acquire(const QString& folder, const QString& fileName,
                                                 QString* error = nullptr);
    // Whether a live process holds the lock now. Looks by taking the lock for
    // a moment and letting it go at once; false when the file cannot be made.
    static bool isHeld(const QString& folder, const QString& fileName);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

private:
    explicit InstanceLock(std::unique_ptr<QLockFile> file);

    std::unique_ptr<QLockFile> m_file;
};
