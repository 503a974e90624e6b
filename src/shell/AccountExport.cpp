#include "shell/AccountExport.h"

#include "accounts/AccountList.h"

std::optional<ExportRequest> AccountExport::request(const Choices& choices, FileTime now)
{
    const std::optional<AccountRecord> account =
        AccountList(m_book.tables().accounts()).find(choices.account);
    if (!account)
        return std::nullopt;
    return ExportRequest{
        choices.account,          choices.path,
        choices.format,           choices.from.value_or(m_book.settings().exportStartDate(account->name)),
        choices.to.value_or(now), choices.fullYearDates};
}

bool AccountExport::run(const Choices& choices, FileTime now)
{
    const std::optional<ExportRequest> request = this->request(choices, now);
    if (!request)
        return false;
    const std::optional<AccountRecord> account =
        AccountList(m_book.tables().accounts()).find(choices.account);
    TallyraSettings& settings = m_book.settings();
    ExportWriter writer(m_book.tables(), m_book.categories(), m_book.projects(), m_locale, m_codePage);
    return ExportCommand::run(writer, *request, m_ui, [&](const ExportMemory& m) {
        settings.setExportStartDate(account->name, m.nextStart);
        settings.write(TallyraSettings::Int::ExportFullYearDates, m.fullYearDates ? 1 : 0);
        settings.write(TallyraSettings::Text::ExportFolder, m.folder);
        settings.setExportFile(account->name, m.file);
    });
}
