// The reminder message of the future list: the due entries not yet reminded.
#include "planning/FutureList.h"

#include "planning/FutureListRecord.h"
#include "platform/StoreTransaction.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

// A failed marking does not hold back the lines: the entries then simply come
// up again in the next reminder.
QStringList FutureList::takeReminderLines(FileTime now, const CurrencyCache& currencies,
                                          const LocaleValues& locale)
{
    ObjectStore* store = m_tables.store();
    if (!store)
        return {};
    DbTable& scheduled = m_tables.scheduled();
    SortScope scope(scheduled, Prop::Date, DbTable::SortKind::Date);
    StoreTransaction transaction(*store);
    if (!scope.ok())
        return {};
    const FileTime lastDue = endOfDay(now);
    QStringList lines;
    bool marked = transaction.isOpen();
    for (qint64 position = 0; position < scheduled.count(); ++position) {
        if (!scheduled.moveTo(position))
            continue;
        const FutureEntry entry = FutureListRecord::read(scheduled);
        if (entry.reminded || entry.showDate() > lastDue)
            continue;
        // The fifth due entry is neither named nor marked: it leads the next reminder.
        if (lines.size() == MaxReminderLines) {
            lines << QStringLiteral("...\n");
            break;
        }
        lines << entry.description + QStringLiteral(": ") +
                     currencies.amountText(entry.amount, entry.currency, locale) + QLatin1Char('\n');
        marked = marked && scheduled.setInt(Prop::Reminded, 1);
    }
    if (marked && !lines.isEmpty())
        (void)transaction.commit();
    return lines;
}

bool FutureList::showReminders(FileTime now, const CurrencyCache& currencies, const LocaleValues& locale,
                               Interaction& ui)
{
    const QStringList lines = takeReminderLines(now, currencies, locale);
    if (lines.isEmpty())
        return false;
    ui.showMessage(QString::fromUtf8(RemindersTitle) + QStringLiteral(":\n\n") + lines.join(QString()),
                   Interaction::Icon::Information);
    return true;
}
