#include "shell/ui/ImportWindow.h"

#include "accounts/AccountList.h"
#include "interchange/QifImport.h"
#include "interchange/QifImportDialog.h"
#include "toolkit/ui/FileDialog.h"

bool ImportWindow::run(qint32 account)
{
    const std::optional<AccountRecord> record = AccountList(m_c.book.tables().accounts()).find(account);
    if (!record)
        return false;
    TallyraSettings& settings = m_c.book.settings();
    const std::optional<QString> path = FileDialog::open(
        m_c.parent, FileDialogRequest{QifImportDialog::title(record->name),
                                      settings.folder(TallyraSettings::Text::ImportFolder),
                                      {},
                                      QString::fromLatin1(QifImportDialog::Filter),
                                      QString::fromLatin1(QifImportDialog::DefaultExtension)});
    if (!path)
        return false;
    settings.write(TallyraSettings::Text::ImportFolder, QifImportDialog::folderToRemember(*path));
    MainBook& b = m_c.book;
    QifImport import(QifImportContext{b.tables(), b.categories(), b.projects(), b.totals(),
                                      b.state().defaultCurrency, m_c.clock, m_c.locale, m_c.codePage,
                                      m_c.ui});
    import.importAndTell(*path, account);
    return true;
}
