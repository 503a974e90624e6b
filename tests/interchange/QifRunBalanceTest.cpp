#include "interchange/QifRunBalance.h"

#include <gtest/gtest.h>

namespace {

TEST(QifRunBalance, SumsTheAmountsUnderSmallerKeys)
{
    QifRunBalance run;
    EXPECT_EQ(run.before("1_20240101000000000").hundredths(), 0);
    run.add("1_20240101090000000", Money::fromHundredths(100));
    run.add("1_20240102090000000", Money::fromHundredths(-30));
    run.add("1_20240103090000000", Money::fromHundredths(5));
    EXPECT_EQ(run.before("1_20231231000000000").hundredths(), 0);
    EXPECT_EQ(run.before("1_20240101090000000").hundredths(), 0);  // strictly smaller keys only
    EXPECT_EQ(run.before("1_20240101090000001").hundredths(), 100);
    EXPECT_EQ(run.before("1_20240102235959999").hundredths(), 70);
    EXPECT_EQ(run.before("1_z").hundredths(), 75);
}

}  // namespace
