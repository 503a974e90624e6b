#pragma once

#include <QString>

#include <optional>

// The book folder: one folder holds one book (the store, each program's
// settings, the contacts file, the single-instance locks), so copying the
// folder copies everything.
//
// Where it is: the folder given (--data) when there is one, else
// $TALLYRA_HOME, else $XDG_DATA_HOME/Brenfield, else ~/.local/share/Brenfield.
class BookFolder {
public:
    static constexpr const char* VendorFolder = "Brenfield";

    // The folder a run uses, made absolute; nothing is created. Empty
    // variables count as unset, and a relative $XDG_DATA_HOME is ignored as
    // the XDG rules say.
    static QString locate(const QString& explicitDir);
    static QString choose(const QString& explicitDir, const QString& tallyraHome, const QString& xdgDataHome,
                          const QString& home);

    // The book folder at `dir` (as locate() gives it), created with its
    // parents when missing. nullopt with *error filled when it cannot be made
    // or is not a folder.
    static std::optional<BookFolder> open(const QString& dir, QString* error = nullptr);

    QString path() const { return m_path; }
    QString storePath() const;           // tallyra.db
    QString mainSettingsPath() const;    // Tallyra.ini
    QString reportSettingsPath() const;  // Sumora.ini
    QString contactsPath() const;        // contacts.vcf
    QString filePath(const QString& name) const;

    static QString homeFolder();
    // Folder settings store a single backslash (or nothing) for "the user's
    // home folder"; any other value is a folder path and is returned as it is.
    static QString resolveFolderSetting(const QString& value);

private:
    explicit BookFolder(const QString& path) : m_path(path) {}

    QString m_path;
};
