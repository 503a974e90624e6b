#include "shell/ui/ImportWindow.h"

#include "accounts/AccountList.h"
#include "interchange/QifImport.h"
#include "interchange/QifImportDialog.h"
#include "interchange/StatementFileImport.h"
#include "interchange/TransferPairing.h"
#include "interchange/ui/CsvMappingDialog.h"
#include "interchange/ui/TransferPairsDialog.h"
#include "toolkit/ui/FileDialog.h"

#include <QFile>

namespace {

// The first bytes of a CSV file the mapping window previews.
constexpr qint64 PreviewBytes = 64 * 1024;

struct FileKind {
    const char* filter;
    const char* suffix;
};

FileKind kindOf(StatementFormat format)
{
    switch (format) {
    case StatementFormat::Ofx:
        return {"OFX/QFX statements (*.ofx *.qfx)", "ofx"};
    case StatementFormat::Csv:
        return {"CSV files (*.csv *.txt)", "csv"};
    case StatementFormat::Qif:
        break;
    }
    return {QifImportDialog::Filter, QifImportDialog::DefaultExtension};
}

}  // namespace

bool ImportWindow::run(qint32 account, StatementFormat format)
{
    const std::optional<AccountRecord> record = AccountList(m_c.book.tables().accounts()).find(account);
    if (!record)
        return false;
    TallyraSettings& settings = m_c.book.settings();
    const FileKind kind = kindOf(format);
    const std::optional<QString> path =
        FileDialog::open(m_c.parent, FileDialogRequest{QifImportDialog::title(record->name),
                                                       settings.folder(TallyraSettings::Text::ImportFolder),
                                                       {},
                                                       QString::fromLatin1(kind.filter),
                                                       QString::fromLatin1(kind.suffix)});
    if (!path)
        return false;
    settings.write(TallyraSettings::Text::ImportFolder, QifImportDialog::folderToRemember(*path));
    CsvMapping mapping;
    if (format == StatementFormat::Csv) {
        const std::optional<CsvMapping> chosen = chooseMapping(*path);
        if (!chosen)
            return false;
        mapping = *chosen;
    }
    MainBook& b = m_c.book;
    const StatementImportContext context{
        b.tables(), b.categories(), b.projects(), b.totals(), b.state().defaultCurrency,
        m_c.clock,  m_c.locale,     m_c.codePage, m_c.ui};
    const StatementImportResult result = importStatementFile(context, *path, format, mapping, account);
    if (result.ok)
        m_c.ui.showMessage(QString::fromUtf8(QifImport::SucceededText), Interaction::Icon::Information);
    else
        m_c.ui.showMessage(QString::fromUtf8(QifImport::FailedText), Interaction::Icon::Exclamation);
    if (result.ok && format != StatementFormat::Qif)
        offerPairs(account, result);
    return true;
}

// The mapping window over the file's first rows; the mapping saved under the
// name it was given. nullopt on Cancel.
std::optional<CsvMapping> ImportWindow::chooseMapping(const QString& path)
{
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(PreviewBytes) : QByteArray();
    TallyraSettings& settings = m_c.book.settings();
    CsvMappingDialog::Saved saved;
    for (const QString& name : settings.csvMappingNames()) {
        if (const std::optional<CsvMapping> m = CsvMapping::fromText(settings.csvMapping(name)))
            saved.append({name, *m});
    }
    CsvMappingDialog dialog(head, saved, settings.read(TallyraSettings::Text::LastCsvMapping), m_c.parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const CsvMapping mapping = dialog.mapping();
    if (!dialog.saveName().isEmpty()) {
        settings.setCsvMapping(dialog.saveName(), mapping.toText());
        settings.write(TallyraSettings::Text::LastCsvMapping, dialog.saveName());
    }
    return mapping;
}

void ImportWindow::offerPairs(qint32 account, const StatementImportResult& result)
{
    TransferPairing pairing(m_c.book.tables());
    const std::optional<std::vector<TransferPair>> found = pairing.find(account, result.keys);
    if (!found || found->empty())
        return;
    AccountList accounts(m_c.book.tables().accounts());
    const auto accountName = [&accounts](qint32 id) {
        const std::optional<AccountRecord> a = accounts.find(id);
        return a ? a->name : QString::number(id);
    };
    TransferPairsDialog dialog(*found, accountName, m_c.locale, m_c.parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<TransferPair> chosen = dialog.chosen();
    if (chosen.empty())
        return;
    if (!pairing.link(chosen) || !m_c.book.totals().updateAll(m_c.book.state().defaultCurrency))
        m_c.ui.showMessage(QString::fromUtf8(PairingFailedText), Interaction::Icon::Exclamation);
}
