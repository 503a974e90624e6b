#include "reports/ReportSortKey.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr qint64 Min = std::numeric_limits<qint64>::min();
constexpr qint64 Max = std::numeric_limits<qint64>::max();

QString key(qint64 hundredths)
{
    return ReportSortKey::amountKey(Money::fromHundredths(hundredths));
}

TEST(ReportSortKey, KeysHaveOneWidthAndKnownValues)
{
    const std::pair<qint64, const char*> cases[] = {
        {Min, "00000000000000000000"}, {-1, "09223372036854775807"},  {0, "09223372036854775808"},
        {1, "09223372036854775809"},   {Max, "18446744073709551615"},
    };
    for (const auto& [amount, expected] : cases)
        EXPECT_EQ(key(amount), QString::fromLatin1(expected)) << amount;
}

TEST(ReportSortKey, TextOrderIsNumericOrderForEveryAmount)
{
    // Around the old bias of 55,999,999,999, where a plain decimal text broke
    // the order, and across the whole range.
    const std::vector<qint64> ascending = {
        Min, Min + 1, -56'000'000'000, -55'999'999'999, -55'999'999'998, -100, -99, -10, -9, -1, 0, 1, 9, 10,
        99,  100,     55'999'999'999,  56'000'000'000,  Max - 1,         Max};
    for (size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(key(ascending[i]), key(ascending[i + 1])) << ascending[i] << " < " << ascending[i + 1];
        EXPECT_EQ(key(ascending[i]).size(), ReportSortKey::Width);
    }
}

}  // namespace
