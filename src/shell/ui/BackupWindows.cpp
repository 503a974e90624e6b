#include "shell/ui/BackupWindows.h"

#include "shell/BookBackup.h"
#include "store/FileTime.h"
#include "toolkit/ui/FileDialog.h"

namespace {

FileDialogRequest fileRequest(MainBook& book, const char* title)
{
    const TallyraSettings& s = book.settings();
    return FileDialogRequest{QString::fromLatin1(title), s.folder(TallyraSettings::Text::BackUpFolder),
                             s.read(TallyraSettings::Text::BackUpFile),
                             QString::fromLatin1(BackupWindows::Filter),
                             QString::fromLatin1(BackupWindows::Suffix)};
}

}  // namespace

void BackupWindows::backup()
{
    const std::optional<QString> path = FileDialog::save(m_parent, fileRequest(m_book, BackupTitle));
    if (!path)
        return;
    BookBackup(m_book, m_ui).backup(*path, fileTimeNow(m_clock).value_or(0));
}

bool BackupWindows::restore(const LocaleValues& locale)
{
    const auto choose = [this] { return FileDialog::open(m_parent, fileRequest(m_book, RestoreTitle)); };
    return BookBackup(m_book, m_ui).restore(choose, locale).outcome != Restore::Outcome::NotStarted;
}
