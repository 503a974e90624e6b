#include "shell/StartFileOffer.h"

#include "accounts/AccountList.h"
#include "interchange/QifImport.h"
#include "shell/BookBackup.h"
#include "shell/StartFile.h"

#include <QFileInfo>

StartFileOffer::Outcome StartFileOffer::run(const QString& path, qint32 account)
{
    const StartFile::Result file = StartFile::classify(path, {StartFile::Kind::Qif, StartFile::Kind::Backup});
    if (!file.kind) {
        m_c.ui.showMessage(file.message, Interaction::Icon::Exclamation);
        return Outcome::NotTaken;
    }
    if (*file.kind == StartFile::Kind::Qif)
        return offerImport(path, account);
    // The restore asks its own questions before anything is replaced.
    const BookBackup::RestoreResult restored = BookBackup(m_c.book, m_c.ui).restore(path, m_c.locale);
    if (restored.outcome != Restore::Outcome::NotStarted)
        return Outcome::RestoreStarted;
    if (!restored.notStartedText.isEmpty())
        m_c.ui.showMessage(restored.notStartedText, Interaction::Icon::Exclamation);
    return Outcome::NotTaken;
}

StartFileOffer::Outcome StartFileOffer::offerImport(const QString& path, qint32 account)
{
    MainBook& b = m_c.book;
    const std::optional<AccountRecord> record = AccountList(b.tables().accounts()).find(account);
    if (!record)
        return Outcome::NotTaken;
    const QString question =
        QString::fromLatin1(ImportQuestion).arg(QFileInfo(path).fileName(), record->name);
    if (!m_c.ui.askYesNo(question))
        return Outcome::NotTaken;
    QifImport import(QifImportContext{b.tables(), b.categories(), b.projects(), b.totals(),
                                      b.state().defaultCurrency, m_c.clock, m_c.locale, m_c.codePage,
                                      m_c.ui});
    import.importAndTell(path, account);
    return Outcome::Imported;
}
