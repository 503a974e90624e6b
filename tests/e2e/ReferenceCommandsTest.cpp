// The reference-data commands of the built tallyra-cli on a temporary book:
// currencies and rates, symbols, the default currency, and the two trees.

#include "CliBook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

class ReferenceCommandsTest : public CliBook {
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({"init", "Cash", "USD", "100"}).exit, 0);
        ASSERT_EQ(cli({"account-add", "Euro Cash", "EUR"}).exit, 0);
    }
};

TEST_F(ReferenceCommandsTest, RatesAreStoredBothWaysAndBadRatesAreRefused)
{
    ASSERT_EQ(cli({"rate", "usd", "EUR", "0,8"}).exit, 0);
    QJsonObject all = json({"currencies"}).object();
    EXPECT_EQ(all[QStringLiteral("default")].toString(), QStringLiteral("USD"));
    const QJsonArray rates = all[QStringLiteral("rates")].toArray();
    ASSERT_EQ(rates.size(), 2);
    EXPECT_DOUBLE_EQ(rates[0].toArray()[1].toDouble(), 0.8);
    EXPECT_DOUBLE_EQ(rates[1].toArray()[0].toDouble(), 1.25);

    for (const char* bad : {"0", "-2", "abc"}) {
        const CliResult r = cli({"rate", "USD", "EUR", bad});
        EXPECT_EQ(r.exit, 1) << bad;
    }
    EXPECT_EQ(cli({"rate", "USD", "GBP", "2"}).exit, 1) << "GBP is not in the book";
    EXPECT_DOUBLE_EQ(
        json({"currencies"}).object()[QStringLiteral("rates")].toArray()[0].toArray()[1].toDouble(), 0.8)
        << "a refused rate leaves the stored one";
}

TEST_F(ReferenceCommandsTest, DefaultCurrencyAndSymbolOnlyForCurrenciesOfTheBook)
{
    EXPECT_EQ(cli({"default-currency", "JPY"}).exit, 1);
    ASSERT_EQ(cli({"default-currency", "eur"}).exit, 0);
    ASSERT_EQ(cli({"symbol", "EUR", "E"}).exit, 0);
    const QJsonObject all = json({"currencies"}).object();
    EXPECT_EQ(all[QStringLiteral("default")].toString(), QStringLiteral("EUR"));
    const QJsonArray currencies = all[QStringLiteral("currencies")].toArray();
    EXPECT_EQ(currencies[1].toObject()[QStringLiteral("symbol")].toString(), QStringLiteral("E"));
    EXPECT_EQ(cli({"symbol", "XAU", "g"}).exit, 1);
}

// Project totals are sums converted into the default currency: a new rate or
// a new default currency recomputes them, and the book's check still holds.
TEST_F(ReferenceCommandsTest, RateAndDefaultCurrencyChangesRecomputeProjectTotals)
{
    ASSERT_EQ(cli({"rate", "EUR", "USD", "2"}).exit, 0);
    ASSERT_EQ(cli({"--yes", "add", "Euro Cash", "-10", "--project", "Trip"}).exit, 0);
    auto tripPayments = [this] {
        for (const QJsonValue& p : json({"projects"}).array()) {
            if (p[QStringLiteral("path")].toString() == QStringLiteral("Trip"))
                return p[QStringLiteral("own_payments")].toInteger();
        }
        return qint64(-1);
    };
    EXPECT_EQ(tripPayments(), 2000);

    ASSERT_EQ(cli({"rate", "EUR", "USD", "3"}).exit, 0);
    expectCheckPasses();
    EXPECT_EQ(tripPayments(), 3000);

    ASSERT_EQ(cli({"default-currency", "EUR"}).exit, 0);
    expectCheckPasses();
    EXPECT_EQ(tripPayments(), 1000);
}

TEST_F(ReferenceCommandsTest, TreesGrowByPathAndRefuseCycles)
{
    const QJsonArray before = json({"categories"}).array();
    EXPECT_EQ(before.size(), 75) << "the default categories";
    ASSERT_EQ(cli({"category-add", "Hobbies:Garden"}).out, QStringLiteral("77\n"));
    EXPECT_EQ(cli({"category-add", "hobbies:garden"}).exit, 1) << "paths compare ignoring case";
    EXPECT_EQ(cli({"category-move", "76", "77"}).exit, 1) << "a parent can not go under its child";
    ASSERT_EQ(cli({"category-copy", "77", "2"}).exit, 0);
    const QJsonArray after = json({"categories"}).array();
    ASSERT_EQ(after.size(), 78);
    EXPECT_EQ(after[77].toObject()[QStringLiteral("parent")].toInt(), 2);
    EXPECT_EQ(after[77].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Garden"));

    ASSERT_EQ(cli({"project-add", "House:Roof"}).exit, 0);
    const QJsonArray projects = json({"projects"}).array();
    ASSERT_EQ(projects.size(), 3);
    EXPECT_EQ(projects[2].toObject()[QStringLiteral("path")].toString(), QStringLiteral("House:Roof"));
    EXPECT_EQ(cli({"project-delete", "3"}).exit, 1) << "without --yes nothing is deleted";
    EXPECT_EQ(cli({"--yes", "project-delete", "2"}).exit, 1) << "a project with children stays";
    EXPECT_EQ(cli({"--yes", "project-delete", "3"}).exit, 0);
    EXPECT_EQ(json({"projects"}).array().size(), 2);
}

}  // namespace
