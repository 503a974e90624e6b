#include "shell/ui/ExportWindow.h"

#include "accounts/AccountList.h"
#include "interchange/ui/ExportDialog.h"
#include "shell/AccountExport.h"
#include "store/FileTime.h"

#include <QDir>

bool ExportWindow::run(qint32 account)
{
    const std::optional<AccountRecord> record = AccountList(m_c.book.tables().accounts()).find(account);
    if (!record)
        return false;
    const TallyraSettings& settings = m_c.book.settings();
    const QString file = QDir(settings.folder(TallyraSettings::Text::ExportFolder))
                             .filePath(settings.exportFile(record->name));
    AccountExport exporter(m_c.book, m_c.locale, m_c.codePage, m_c.ui);
    const FileTime now = fileTimeNow(m_c.clock).value_or(0);
    const std::optional<ExportRequest> start = exporter.request(
        AccountExport::Choices{account, file, ExportFormat::Qif, std::nullopt, std::nullopt,
                               settings.read(TallyraSettings::Int::ExportFullYearDates) != 0},
        now);
    if (!start)
        return false;
    ExportDialog dialog(*start, record->name, m_c.parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const ExportRequest chosen = dialog.request();
    return exporter.run(AccountExport::Choices{account, chosen.path, chosen.format, chosen.from, chosen.to,
                                               chosen.fullYearDates},
                        now);
}
