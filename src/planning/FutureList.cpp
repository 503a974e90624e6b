// PLACEHOLDER so the tree links while the future list is written; replaced whole.
#include "planning/FutureList.h"

FutureList::FutureList(TableSet& tables, ProjectTotals& totals, const QLocale& locale, FileTime& horizon)
    : m_tables(tables), m_totals(totals), m_locale(locale), m_horizon(horizon)
{
}

bool FutureList::build(FileTime targetDay, bool force)
{
    (void)force;
    m_horizon = endOfDay(targetDay);
    ++m_version;
    return true;
}

qint64 FutureList::count() { return 0; }
std::optional<FutureEntry> FutureList::entryAt(qint64) { return std::nullopt; }
std::vector<FutureEntry> FutureList::entries() { return {}; }
QString FutureList::post(const OccurrencePosting&) { return {}; }
bool FutureList::completeOccurrences(qint32) { return false; }
std::vector<ExpectedOccurrence> FutureList::expected(FileTime) { return {}; }
QStringList FutureList::takeReminderLines(FileTime, const CurrencyCache&, const LocaleValues&) { return {}; }
bool FutureList::showReminders(FileTime, const CurrencyCache&, const LocaleValues&, Interaction&) { return false; }
