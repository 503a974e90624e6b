#include "planning/Prognosis.h"

#include "planning/PlannerTestBook.h"

namespace {

class PrognosisTest : public ::testing::Test {
protected:
    PrognosisTest() { b.horizon = endOfDay(at(2024, 3, 31)); }

    Prognosis prognosis() { return Prognosis(b.future, b.currencies, b.categories, b.locale); }

    // A future-list entry written straight into the Scheduled table.
    void addEntry(FileTime date, qint64 amount, const char* currency, qint32 category = 0,
                  qint32 reminderDays = 0)
    {
        DbTable& s = b.tables().scheduled();
        s.beginNew();
        s.setInt(Prop::PlannerId, 1);
        s.setInt64(Prop::Date, date);
        s.setText(Prop::Name, QStringLiteral("entry"));
        s.setText(Prop::CurrencyCode, QString::fromLatin1(currency));
        if (category != 0)
            s.setInt(Prop::CategoryId, category);
        if (reminderDays > 0)
            s.setInt(Prop::ReminderMinutes, reminderDays * 1440);
        ASSERT_TRUE(s.setInt64(Prop::Amount, amount, true));
    }

    QStringList lines(const QString& code, bool withCategories)
    {
        return prognosis().popup(b.horizon, code, withCategories).printed();
    }

    PlannerTestBook b;
};

TEST_F(PrognosisTest, AnEmptyListGivesZeroAndNoCurrencyLines)
{
    EXPECT_EQ(prognosis().total(b.horizon, QStringLiteral("USD")).hundredths(), 0);
    EXPECT_EQ(prognosis().label(b.horizon, QStringLiteral("USD")), QStringLiteral("Prognosis: $0.00"));
    const QString total = QStringLiteral("Total: 0.00 USD - Total amount of all currencies (converted)");
    EXPECT_EQ(lines(QStringLiteral("USD"), true),
              QStringList({QStringLiteral("Balance of Planned Transactions"), QStringLiteral("-"), total,
                           QStringLiteral("  ") + total}));
}

TEST_F(PrognosisTest, CurrenciesAreListedUnconvertedWhileTheTotalConvertsThem)
{
    addEntry(at(2024, 3, 10), -5000, "USD");
    addEntry(at(2024, 3, 11), 10000, "EUR");
    addEntry(at(2024, 3, 12), -2000, "EUR");
    // -50.00 + 100.00 x 1.1 - 20.00 x 1.1
    EXPECT_EQ(prognosis().total(b.horizon, QStringLiteral("USD")).hundredths(), 3800);
    EXPECT_EQ(prognosis().label(b.horizon, QStringLiteral("USD")), QStringLiteral("Prognosis: $38.00"));
    const QString total = QStringLiteral("Total: 38.00 USD - Total amount of all currencies (converted)");
    EXPECT_EQ(lines(QStringLiteral("USD"), false),
              QStringList({QStringLiteral("Balance of Planned Transactions"), QStringLiteral("-"), total,
                           QStringLiteral("  ") + total, QStringLiteral("  -"),
                           QStringLiteral("  Deposit:  0.00 USD"), QStringLiteral("  Payment:  -50.00 USD"),
                           QStringLiteral("  -"), QStringLiteral("  Deposit:  100.00 EUR"),
                           QStringLiteral("  Payment:  -20.00 EUR")}));
    // In the other direction: -50.00 / 1.1 rounds to -45.45.
    EXPECT_EQ(prognosis().total(b.horizon, QStringLiteral("EUR")).hundredths(), -4545 + 8000);
}

TEST_F(PrognosisTest, EachEntryIsConvertedAndRoundedOnItsOwn)
{
    // 0.05 EUR is 0.055 USD, rounded to 0.06 each: 0.12, not 0.11.
    addEntry(at(2024, 3, 10), 5, "EUR");
    addEntry(at(2024, 3, 11), 5, "EUR");
    EXPECT_EQ(prognosis().total(b.horizon, QStringLiteral("USD")).hundredths(), 12);
}

TEST_F(PrognosisTest, EntriesAfterTheHorizonDoNotCount)
{
    addEntry(at(2024, 3, 31, 23), -100, "USD");
    // Listed early for its reminder window, but dated after the horizon.
    addEntry(at(2024, 4, 1), -7000, "USD", 0, 5);
    EXPECT_EQ(prognosis().total(b.horizon, QStringLiteral("USD")).hundredths(), -100);
    EXPECT_EQ(prognosis().total(endOfDay(at(2024, 4, 1)), QStringLiteral("USD")).hundredths(), -7100);
    EXPECT_FALSE(lines(QStringLiteral("USD"), true).contains(QStringLiteral("  Payment:  -71.00 USD")));
}

TEST_F(PrognosisTest, CategoriesInTheOrderFirstMetWithTransfersByAccountName)
{
    const qint32 food = b.categories.create(1, QStringLiteral("Food"));
    addEntry(at(2024, 3, 10), -1000, "USD", -PlannerTestBook::Savings);
    addEntry(at(2024, 3, 11), -2000, "USD", food);
    addEntry(at(2024, 3, 12), 9900, "USD");
    addEntry(at(2024, 3, 13), -1000, "EUR", food);
    const QStringList all = lines(QStringLiteral("USD"), true);
    const qsizetype start = all.indexOf(QStringLiteral("Prognosis by Categories"));
    ASSERT_GE(start, 0) << all.join(u'\n').toStdString();
    EXPECT_EQ(all.mid(start),
              QStringList({QStringLiteral("Prognosis by Categories"), QStringLiteral("  Category\tTotal"),
                           QStringLiteral("  -"), QStringLiteral("  [Savings]\t-10.00 USD"),
                           QStringLiteral("  Food\t-31.00 USD")}));
    // The project page's popup has no breakdown.
    EXPECT_FALSE(lines(QStringLiteral("USD"), false).contains(QStringLiteral("Prognosis by Categories")));
}

TEST_F(PrognosisTest, NoBreakdownWithoutACategory)
{
    addEntry(at(2024, 3, 10), -1000, "USD");
    EXPECT_FALSE(lines(QStringLiteral("USD"), true).contains(QStringLiteral("Prognosis by Categories")));
}

}  // namespace
