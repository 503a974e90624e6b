#include "shell/MainBook.h"

MainBook::MainBook(const BookFolder& folder, const QLocale& locale)
    : m_folder(folder), m_settings(folder.mainSettingsPath()), m_currencies(m_tables.currencies()),
      m_categories(m_tables), m_projects(m_tables), m_totals(m_tables, m_projects, m_currencies),
      m_future(m_tables, m_totals, locale, m_state.horizon)
{
    // Own sums of projects are kept in the default currency, converted at the
    // rates of their last recompute: a new rate makes them stale.
    m_currencies.setRateListener([this] { (void)m_totals.markAllStale(); });
}

MainBook::~MainBook()
{
    m_tables.closeAll();
}

bool MainBook::lock(QString* error)
{
    m_lock =
        InstanceLock::acquire(m_folder.path(), QString::fromLatin1(InstanceLock::MainProgramFile), error);
    return m_lock != nullptr;
}

bool MainBook::openStore(QString* error)
{
    m_store = ObjectStore::open(m_folder.storePath(), error);
    if (!m_store)
        return false;
    m_tables.attach(m_store.get());
    return true;
}

bool MainBook::updateAllProjectTotals()
{
    return m_totals.updateAll(m_state.defaultCurrency, nullptr);
}
