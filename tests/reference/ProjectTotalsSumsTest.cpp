#include "reference/ProjectTotalsSums.h"

#include "ProjectTotalsTestBook.h"

#include <gtest/gtest.h>

namespace {

struct Entry {
    qint64 amount;
    const char* code;
};

struct SumsCase {
    const char* what;
    std::vector<Entry> entries;
    const char* defaultCode;
    qint64 deposits;
    qint64 payments;
    PropList fields;
};

constexpr qint64 Max = ProjectTotalsTestBook::Max;

// USD is number 1, EUR number 2; one EUR buys 1.1 USD.
TEST(ProjectTotalsSumsTest, SumsByCurrencyConvertEachTermOnce)
{
    ProjectTotalsTestBook b;
    b.makeStandardBook();
    using V = PropValue;
    const SumsCase cases[] = {
        {"nothing", {}, "USD", 0, 0, {}},
        {"a zero amount is nothing", {{0, "USD"}}, "USD", 0, 0, {}},
        {"deposit and payment of one currency",
         {{500, "USD"}, {-200, "USD"}},
         "USD",
         500,
         200,
         {V::ofInt64(1002, 500), V::ofInt64(1003, 200)}},
        {"into the other currency", {{110, "USD"}}, "EUR", 100, 0, {V::ofInt64(1002, 110)}},
        {"half a hundredth rounds away from zero", {{5, "EUR"}}, "USD", 6, 0, {V::ofInt64(1004, 5)}},
        {"the currency's sum is rounded, not each amount",
         {{5, "EUR"}, {5, "EUR"}},
         "USD",
         11,
         0,
         {V::ofInt64(1004, 10)}},
        {"payments are magnitudes", {{-5, "EUR"}, {-5, "EUR"}}, "USD", 0, 11, {V::ofInt64(1005, 10)}},
        {"an uncached code counts at rate 1 with no field",
         {{700, "XYZ"}, {-3, "XYZ"}, {10, "EUR"}},
         "USD",
         711,
         3,
         {V::ofInt64(1004, 10)}},
        {"an uncached default converts nothing", {{10, "EUR"}}, "XYZ", 10, 0, {V::ofInt64(1004, 10)}},
        {"a code is matched exactly", {{10, "eur"}}, "USD", 10, 0, {}},
        {"the most negative amount saturates",
         {{std::numeric_limits<qint64>::min(), "USD"}},
         "USD",
         0,
         Max,
         {V::ofInt64(1003, Max)}},
        {"deposits saturate",
         {{Max, "USD"}, {1, "USD"}, {Max, "EUR"}},
         "USD",
         Max,
         0,
         {V::ofInt64(1002, Max), V::ofInt64(1004, Max)}},
    };
    for (const SumsCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectTotalsSums sums(b.currencies);
        for (const Entry& e : c.entries)
            sums.add(Money::fromHundredths(e.amount), QString::fromUtf8(e.code));
        const QString defaultCode = QString::fromUtf8(c.defaultCode);
        EXPECT_EQ(sums.ownDeposits(defaultCode).hundredths(), c.deposits);
        EXPECT_EQ(sums.ownPayments(defaultCode).hundredths(), c.payments);
        EXPECT_EQ(sums.currencyFields(), c.fields);
    }
}

TEST(ProjectTotalsSumsTest, ACurrencyNumberWithoutFieldIdsIsConvertedButNotFiled)
{
    ProjectTotalsTestBook b;
    b.addCurrency(1, "USD", "$");
    b.addCurrency(Prop::MaxCurrencyNumber + 1, "BIG", "b", {1, "2.00000"});
    b.addCurrency(-4, "NEG", "n", {1, "3.00000"});
    ASSERT_TRUE(b.currencies.reload());
    ProjectTotalsSums sums(b.currencies);
    sums.add(Money::fromHundredths(10), QStringLiteral("BIG"));
    sums.add(Money::fromHundredths(-10), QStringLiteral("NEG"));
    EXPECT_EQ(sums.ownDeposits(QStringLiteral("USD")).hundredths(), 20);
    EXPECT_EQ(sums.ownPayments(QStringLiteral("USD")).hundredths(), 30);
    EXPECT_TRUE(sums.currencyFields().empty());
}

}  // namespace
