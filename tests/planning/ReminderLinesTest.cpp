#include "planning/FutureList.h"

#include "planning/PlanningTestBook.h"

#include <gtest/gtest.h>

namespace {

using R = RecurrenceRule;

void addWeekly(PlanningTestBook& b, qint32 id, FileTime start, qint64 amount = -123456)
{
    PlanSpec p;
    p.id = id;
    p.start = start;
    p.rule = R::Weekly;
    p.amount = amount;
    p.description = QStringLiteral("Rent {day}");
    b.addPlan(p);
}

std::vector<bool> remindedFlags(PlanningTestBook& b)
{
    std::vector<bool> flags;
    for (const FutureEntry& e : b.future.entries())
        flags.push_back(e.reminded);
    return flags;
}

}  // namespace

TEST(Reminders, AtMostFourEntriesAreNamedAndTheRestWaitForTheNextReminder)
{
    PlanningTestBook b;
    addWeekly(b, 1, day(2024, 3, 1));
    ASSERT_TRUE(b.future.build(day(2024, 4, 10), false));
    ASSERT_EQ(b.future.count(), 6);  // 1, 8, 15, 22, 29 March and 5 April

    const FileTime now = day(2024, 4, 10, 9);
    EXPECT_EQ(b.future.takeReminderLines(now, b.currencies, b.locale),
              (QStringList{QStringLiteral("Rent 01: $-1 234.56\n"), QStringLiteral("Rent 08: $-1 234.56\n"),
                           QStringLiteral("Rent 15: $-1 234.56\n"), QStringLiteral("Rent 22: $-1 234.56\n"),
                           QStringLiteral("...\n")}));
    EXPECT_EQ(remindedFlags(b), (std::vector<bool>{true, true, true, true, false, false}));

    EXPECT_EQ(
        b.future.takeReminderLines(now, b.currencies, b.locale),
        (QStringList{QStringLiteral("Rent 29: $-1 234.56\n"), QStringLiteral("Rent 05: $-1 234.56\n")}));
    EXPECT_EQ(remindedFlags(b), std::vector<bool>(6, true));
    EXPECT_TRUE(b.future.takeReminderLines(now, b.currencies, b.locale).isEmpty());
    EXPECT_TRUE(b.inWorkingSorts());
}

TEST(Reminders, AForcedRebuildKeepsTheMarksOfTheOccurrencesThatStay)
{
    PlanningTestBook b;
    addWeekly(b, 1, day(2024, 3, 1));
    ASSERT_TRUE(b.future.build(day(2024, 3, 10), false));
    const FileTime now = day(2024, 3, 10, 9);
    ASSERT_EQ(b.future.takeReminderLines(now, b.currencies, b.locale).size(), 2);  // 1 and 8 March

    // Another plan is added and the list is built afresh, further out.
    addWeekly(b, 2, day(2024, 3, 9), -100);
    ASSERT_TRUE(b.future.build(day(2024, 3, 16), true));
    EXPECT_EQ(remindedFlags(b),
              (std::vector<bool>{true, true, false, false, false}));  // 1, 8, 9, 15, 16 March
    EXPECT_EQ(b.future.takeReminderLines(now, b.currencies, b.locale),
              QStringList{QStringLiteral("Rent 09: $-1.00\n")});
}

TEST(Reminders, ExactlyFourDueEntriesNeedNoDots)
{
    PlanningTestBook b;
    addWeekly(b, 1, day(2024, 3, 1));
    ASSERT_TRUE(b.future.build(day(2024, 3, 22), false));
    const QStringList lines = b.future.takeReminderLines(day(2024, 3, 22), b.currencies, b.locale);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.last(), QStringLiteral("Rent 22: $-1 234.56\n"));
}

TEST(Reminders, AnEntryIsDueFromItsShowDateUntilTheEndOfToday)
{
    PlanningTestBook b;
    PlanSpec soon;
    soon.id = 1;
    soon.rule = R::OnlyOnce;
    soon.entries = 1;
    soon.start = day(2024, 3, 13, 8);
    soon.reminderDays = 3;  // shown from 10 March, 08:00
    soon.description = QStringLiteral("Soon");
    soon.currency = QStringLiteral("EUR");
    soon.amount = 2500;
    b.addPlan(soon);
    PlanSpec later = soon;
    later.id = 2;
    later.start = day(2024, 3, 14, 8);  // shown from 11 March
    later.description = QStringLiteral("Later");
    b.addPlan(later);
    PlanSpec tonight = soon;
    tonight.id = 3;
    tonight.start = day(2024, 3, 10, 23, 30);
    tonight.reminderDays = 0;
    tonight.description = QStringLiteral("Tonight");
    b.addPlan(tonight);
    ASSERT_TRUE(b.future.build(day(2024, 3, 11), false));
    ASSERT_EQ(b.future.count(), 3);

    EXPECT_EQ(b.future.takeReminderLines(day(2024, 3, 10, 7), b.currencies, b.locale),
              (QStringList{QStringLiteral("Tonight: eu25.00\n"), QStringLiteral("Soon: eu25.00\n")}));
    EXPECT_EQ(b.future.takeReminderLines(day(2024, 3, 11, 0, 1), b.currencies, b.locale),
              (QStringList{QStringLiteral("Later: eu25.00\n")}));
}

TEST(Reminders, TheMessageNamesTheDueEntriesUnderItsTitle)
{
    PlanningTestBook b;
    addWeekly(b, 1, day(2024, 3, 1), 5000);
    ASSERT_TRUE(b.future.build(day(2024, 3, 8), false));
    b.locale.negativeCurrencyFormat = 5;  // symbol after the number
    EXPECT_FALSE(b.future.showReminders(day(2024, 2, 27), b.currencies, b.locale, b.ui));  // nothing due yet
    EXPECT_TRUE(b.ui.messages.isEmpty());

    EXPECT_TRUE(b.future.showReminders(day(2024, 3, 8), b.currencies, b.locale, b.ui));
    ASSERT_EQ(b.ui.messages.size(), 1);
    EXPECT_EQ(b.ui.messages[0],
              QStringLiteral("Planned Transactions:\n\nRent 01: 50.00$\nRent 08: 50.00$\n"));
    EXPECT_EQ(b.ui.icons[0], Interaction::Icon::Information);

    EXPECT_FALSE(b.future.showReminders(day(2024, 3, 8), b.currencies, b.locale, b.ui));
    EXPECT_EQ(b.ui.messages.size(), 1);
}
