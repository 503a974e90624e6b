#include "shell/CliArgs.h"

#include <gtest/gtest.h>

namespace {

struct ArgsCase {
    QStringList arguments;
    QStringList positional;
    QString name;   // the --name value expected, "<unset>" when absent
    QString error;  // non-empty: parsing must fail with this text
};

class CliArgsTest : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(CliArgsTest, SplitsPositionalsAndOptions)
{
    const ArgsCase& c = GetParam();
    QString error;
    const auto args = CliArgs::parse(c.arguments, {QStringLiteral("name"), QStringLiteral("note")}, &error);
    if (!c.error.isEmpty()) {
        EXPECT_FALSE(args);
        EXPECT_EQ(error, c.error);
        return;
    }
    ASSERT_TRUE(args) << error.toStdString();
    EXPECT_EQ(args->positional, c.positional);
    EXPECT_EQ(args->has(QStringLiteral("name")) ? args->value(QStringLiteral("name"))
                                                : QStringLiteral("<unset>"),
              c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliArgsTest,
    ::testing::Values(ArgsCase{{}, {}, "<unset>", {}},
                      ArgsCase{{"Cash", "USD", "-50"}, {"Cash", "USD", "-50"}, "<unset>", {}},
                      ArgsCase{{"1", "--name", "New"}, {"1"}, "New", {}},
                      ArgsCase{{"--name=A=B", "1"}, {"1"}, "A=B", {}}, ArgsCase{{"--name", ""}, {}, "", {}},
                      ArgsCase{{"--name", "--note"}, {}, "--note", {}},
                      ArgsCase{{"-", "--"}, {"-", "--"}, "<unset>", {}},
                      ArgsCase{{"1", "--name"}, {}, {}, "option --name needs a value"},
                      ArgsCase{{"--bogus", "x"}, {}, {}, "unknown option --bogus"},
                      ArgsCase{{"--bogus=1"}, {}, {}, "unknown option --bogus=1"}));

}  // namespace
