#include "reports/ReportSession.h"

#include "reference/CurrencyStartUp.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

const QString ReportSession::EngineErrorText = QStringLiteral("Can't init engine databases.");
const QString ReportSession::OpeningText = QStringLiteral("Opening tables...");
const QString ReportSession::CurrencyListText = QStringLiteral("Load table translate currency...");

namespace {

// The report program's tables in the order they are opened; the first that
// fails stops the opening.
constexpr std::array<TableKind, 5> SharedTables = {
    TableKind::Transaction, TableKind::Account, TableKind::Project, TableKind::Category, TableKind::Currency};

bool openInWorkingSort(DbTable& table, const TableDefinition& spec)
{
    const auto sort = std::find_if(spec.sorts.begin(), spec.sorts.end(),
                                   [&](const SortSpec& s) { return s.propId == spec.workingSort; });
    if (sort == spec.sorts.end())
        return false;
    switch (sort->type) {
    case PropType::Int:
        return table.openByInteger(sort->propId);
    case PropType::Text:
        return table.openByText(sort->propId);
    case PropType::Int64:
        return table.openByDate(sort->propId);
    }
    return false;
}

}  // namespace

ReportSession::ReportSession(const BookFolder& folder, const Clock& clock, Interaction& ui)
    : m_clock(clock), m_ui(ui), m_storePath(folder.storePath()), m_settings(folder.reportSettingsPath()),
      m_currencies(m_tables.currencies())
{
}

ReportSession::~ReportSession()
{
    m_tables.closeAll();
}

ReportSession::Outcome ReportSession::start(const PasswordCheck& checkPassword)
{
    if (m_started)
        return m_ready ? Outcome::Ready : Outcome::EngineFailed;
    m_started = true;
    m_ui.showStatus(OpeningText);
    if (!openStore() || !openSharedTables())
        return fail();
    const std::optional<FileTime> today = fileTimeNow(m_clock);
    m_filter.initialise(m_tables, m_settings.read(ReportSettings::Text::FilterCurrency), today.value_or(0));
    loadCurrencies();
    if (m_tables.accounts().count() == 0)
        return Outcome::NoAccount;
    if (checkPassword && !checkPassword(m_tables.transactions()))
        return Outcome::Locked;
    m_ready = true;
    return Outcome::Ready;
}

// A store file that does not exist or is empty would be made into a new book
// by opening it; the report program has nothing to report there.
bool ReportSession::openStore()
{
    const QFileInfo file(m_storePath);
    if (!file.isFile() || file.size() == 0)
        return false;
    m_store = ObjectStore::open(m_storePath);
    if (!m_store)
        return false;
    m_tables.attach(m_store.get());
    return true;
}

bool ReportSession::openSharedTables()
{
    for (const TableKind kind : SharedTables) {
        if (!openInWorkingSort(m_tables.table(kind), TableDefinitions::of(kind)))
            return false;
    }
    return true;
}

// The default currency is only held, never written: the key lies in the
// report program's own file, where neither program writes it.
void ReportSession::loadCurrencies()
{
    m_ui.showStatus(CurrencyListText);
    const QString stored = m_settings.read(ReportSettings::Text::DefaultCurrency);
    m_defaultCurrency = CurrencyStartUp::loadCache(m_currencies, stored).code;
}

ReportSession::Outcome ReportSession::fail()
{
    m_ui.showMessage(EngineErrorText, Interaction::Icon::Exclamation);
    return Outcome::EngineFailed;
}

ReportContext ReportSession::context(const LocaleValues& locale)
{
    return ReportContext{m_tables, m_currencies, m_filter, locale, m_ui};
}

bool ReportSession::reactivate()
{
    if (!m_ready)
        return false;
    (void)m_store->checkForChanges();
    if (!m_filter.countsChanged(m_tables))
        return false;
    m_filter.refresh(m_tables);
    (void)m_currencies.reload();
    ++m_changesSeen;
    return true;
}

bool ReportSession::finish()
{
    if (!m_ready)
        return true;
    m_ready = false;
    const bool written = m_settings.write(ReportSettings::Text::FilterCurrency, m_filter.currency());
    m_tables.closeAll();
    return written;
}
