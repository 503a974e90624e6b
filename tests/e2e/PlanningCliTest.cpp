// The planning commands of the built tallyra-cli on a temporary book: the
// Time-Table entries, the future list with its horizon, reminders and the
// prognosis. The clock reads 2024-03-05 10:00 unless a step says otherwise.

#include "CliBook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

class PlanningCliTest : public CliBook {
protected:
    void SetUp() override { ASSERT_EQ(cli({"init", "Cash", "USD", "100"}).exit, 0); }

    QJsonArray plans() { return json({"plans"}).array(); }
    QJsonObject future(const QStringList& options = {})
    {
        return json(QStringList{"future"} + options).object();
    }
    static QStringList descriptions(const QJsonObject& list)
    {
        QStringList out;
        for (const QJsonValue& e : list[QStringLiteral("entries")].toArray())
            out << e.toObject()[QStringLiteral("description")].toString();
        return out;
    }
};

TEST_F(PlanningCliTest, APlanIsListedAndFillsTheFutureListUpToTheHorizon)
{
    ASSERT_EQ(ok({"plan-add", "-50", "usd", "--desc", "Rent {month}", "--start", "2024-03-01", "--rule",
                  "monthly", "--entries", "3", "--note", "flat"}),
              QStringLiteral("1\n"));
    EXPECT_EQ(
        ok({"--json", "plans"}),
        QStringLiteral("[{\"amount\":-5000,\"completed\":0,\"currency\":\"USD\",\"description\":\"Rent "
                       "{month}\",\"entries\":3,\"id\":1,\"next\":\"2024-03-01T10:00:00.000\",\"rule\":5,"
                       "\"stopped\":false}]\n"));
    EXPECT_EQ(ok({"plans"}), QStringLiteral("1\tFri, 3/1/2024\tRent {month}\t$-50.00\tMonthly\t3\t\n"));

    const QJsonObject list = future({"--horizon", "2024-05-31", "--account", "Cash"});
    EXPECT_EQ(list[QStringLiteral("horizon")].toString(), QStringLiteral("2024-05-31T23:59:59.999"));
    EXPECT_EQ(descriptions(list), QStringList({QStringLiteral("Rent March"), QStringLiteral("Rent April"),
                                               QStringLiteral("Rent May")}));
    EXPECT_EQ(list[QStringLiteral("prognosis")].toInt(), -15000);
    const QJsonObject first = list[QStringLiteral("entries")].toArray()[0].toObject();
    EXPECT_EQ(first[QStringLiteral("date")].toString(), QStringLiteral("2024-03-01T10:00:00.000"));
    EXPECT_EQ(first[QStringLiteral("note")].toString(), QStringLiteral("flat"));
    EXPECT_EQ(first[QStringLiteral("amount")].toInt(), -5000);
    EXPECT_EQ(first[QStringLiteral("full_amount")].toInt(), 0);
    EXPECT_EQ(first[QStringLiteral("planner_id")].toInt(), 1);
    EXPECT_FALSE(first[QStringLiteral("reminded")].toBool());

    // The horizon persists to the next run; an earlier one shrinks the list.
    EXPECT_EQ(future()[QStringLiteral("horizon")].toString(), QStringLiteral("2024-05-31T23:59:59.999"));
    EXPECT_EQ(descriptions(future({"--horizon", "2024-04-15"})).size(), 2);
    const QJsonObject noAccount = future();
    EXPECT_TRUE(noAccount[QStringLiteral("prognosis")].isNull());
    expectCheckPasses();
}

TEST_F(PlanningCliTest, EditingRebasesAndStopActivateDelete)
{
    ASSERT_EQ(
        cli({"plan-add", "-50", "USD", "--desc", "Gym", "--start", "2024-03-01", "--rule", "1", "--ongoing"})
            .exit,
        0);
    ASSERT_EQ(descriptions(future({"--horizon", "2024-03-31"})).size(), 5);

    ASSERT_EQ(cli({"plan-edit", "1", "--amount", "-60", "--desc", "Pool"}).exit, 0);
    QJsonObject plan = plans()[0].toObject();
    EXPECT_EQ(plan[QStringLiteral("amount")].toInt(), -6000);
    EXPECT_EQ(plan[QStringLiteral("entries")].toInt(), -1);
    EXPECT_EQ(plan[QStringLiteral("next")].toString(), QStringLiteral("2024-03-01T10:00:00.000"));
    EXPECT_EQ(descriptions(future()), QStringList(5, QStringLiteral("Pool")));

    ASSERT_EQ(cli({"plan-edit", "1", "--start", "2024-03-20"}).exit, 0);
    EXPECT_EQ(plans()[0].toObject()[QStringLiteral("next")].toString(),
              QStringLiteral("2024-03-20T10:00:00.000"));
    EXPECT_EQ(descriptions(future()).size(), 2);

    ASSERT_EQ(cli({"plan-stop", "1"}).exit, 0);
    EXPECT_TRUE(plans()[0].toObject()[QStringLiteral("stopped")].toBool());
    EXPECT_TRUE(descriptions(future()).isEmpty());
    ASSERT_EQ(cli({"plan-stop", "1"}).exit, 0) << "stopping a stopped plan changes nothing";
    EXPECT_TRUE(plans()[0].toObject()[QStringLiteral("stopped")].toBool());
    ASSERT_EQ(cli({"plan-activate", "1"}).exit, 0);
    EXPECT_FALSE(plans()[0].toObject()[QStringLiteral("stopped")].toBool());
    EXPECT_EQ(descriptions(future()).size(), 2);

    const CliResult refused = cli({"plan-delete", "1"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_TRUE(refused.err.contains(
        QStringLiteral("This Time-Table transaction will be deleted. Do you wish to continue?")))
        << refused.err.toStdString();
    EXPECT_EQ(plans().size(), 1);
    ASSERT_EQ(cli({"--yes", "plan-delete", "1"}).exit, 0);
    EXPECT_TRUE(plans().isEmpty());
    EXPECT_TRUE(descriptions(future()).isEmpty());
    EXPECT_EQ(cli({"--yes", "plan-delete", "1"}).exit, 1);
    expectCheckPasses();
}

TEST_F(PlanningCliTest, MissingCategoriesAndProjectsNeedYes)
{
    const CliResult refused =
        cli({"plan-add", "-5", "USD", "--desc", "Tea", "--category", "Drinks:Tea", "--project", "Kitchen"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_TRUE(refused.err.contains(
        QStringLiteral("Category 'Drinks:Tea' does not exist. Do You want to create new?")));
    EXPECT_TRUE(plans().isEmpty());

    ASSERT_EQ(cli({"--yes", "plan-add", "-5", "USD", "--desc", "Tea", "--category", "Drinks:Tea", "--project",
                   "Kitchen"})
                  .exit,
              0);
    const QJsonObject entry = future()[QStringLiteral("entries")].toArray()[0].toObject();
    EXPECT_GT(entry[QStringLiteral("category_id")].toInt(), 0);
    EXPECT_GT(entry[QStringLiteral("project_id")].toInt(), 1);

    const CliResult invalid = cli({"plan-add", "-5", "USD", "--desc", "Move", "--category", "[Bank]"});
    EXPECT_EQ(invalid.exit, 1);
    EXPECT_TRUE(invalid.err.contains(QStringLiteral("Invalid Account name."))) << invalid.err.toStdString();
    EXPECT_EQ(plans().size(), 1);
}

TEST_F(PlanningCliTest, RemindersAreShownOnce)
{
    ASSERT_EQ(
        cli({"plan-add", "-20", "USD", "--desc", "Dentist", "--start", "2024-03-07", "--reminder-days", "3"})
            .exit,
        0);
    const CliResult shown = cli({"reminders"});
    ASSERT_EQ(shown.exit, 0);
    EXPECT_TRUE(shown.out.startsWith(QStringLiteral("Planned Transactions:\n\nDentist: ")))
        << shown.out.toStdString();
    EXPECT_TRUE(
        future()[QStringLiteral("entries")].toArray()[0].toObject()[QStringLiteral("reminded")].toBool());
    EXPECT_EQ(ok({"reminders"}), QString());
}

TEST_F(PlanningCliTest, PrognosisLines)
{
    ASSERT_EQ(
        cli({"plan-add", "-20", "USD", "--desc", "Tea", "--start", "2024-03-05", "--category", "[Cash]"})
            .exit,
        0);
    const QString total = QStringLiteral("Total: -20.00 USD - Total amount of all currencies (converted)");
    EXPECT_EQ(ok({"prognosis", "Cash"}),
              QStringList({QStringLiteral("Balance of Planned Transactions"), QStringLiteral("-"), total,
                           QStringLiteral("  ") + total, QStringLiteral("  -"),
                           QStringLiteral("  Deposit:  0.00 USD"), QStringLiteral("  Payment:  -20.00 USD"),
                           QStringLiteral("Prognosis by Categories"), QStringLiteral("  Category\tTotal"),
                           QStringLiteral("  -"), QStringLiteral("  [Cash]\t-20.00 USD")})
                      .join(u'\n') +
                  u'\n');
    EXPECT_EQ(cli({"prognosis", "Nobody"}).exit, 1);
}

TEST_F(PlanningCliTest, BadArgumentsAreUsageErrors)
{
    const std::vector<std::pair<QStringList, const char*>> cases = {
        {{"plan-add", "-5", "USD"}, "plan-add needs --desc"},
        {{"plan-add", "abc", "USD", "--desc", "x"}, "malformed amount abc"},
        {{"plan-add", "-5", "USD", "--desc", "x", "--rule", "fortnightly"}, "unknown rule fortnightly"},
        {{"plan-add", "-5", "USD", "--desc", "x", "--entries", "3", "--ongoing"}, "exclude each other"},
        {{"plan-add", "-5", "USD", "--desc", "x", "--start", "2024-02-30"}, "malformed date 2024-02-30"},
        {{"plan-add", "-5", "USD", "--desc", "x", "--mark", "3"}, "malformed mark 3"},
        {{"plan-edit", "x"}, "malformed plan id x"},
        {{"plan-stop"}, "expected ID"},
        {{"future", "--horizon", "soon"}, "malformed date soon"},
    };
    for (const auto& [arguments, message] : cases) {
        const CliResult r = cli(arguments);
        EXPECT_EQ(r.exit, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(message))) << r.err.toStdString();
    }
    // A currency the book does not keep is refused, not made.
    EXPECT_EQ(cli({"plan-add", "-5", "JPY", "--desc", "x"}).exit, 1);
    EXPECT_EQ(cli({"plan-edit", "9", "--desc", "x"}).exit, 1);
    EXPECT_TRUE(plans().isEmpty());
}

}  // namespace
