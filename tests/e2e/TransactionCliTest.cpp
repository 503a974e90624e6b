// The transaction commands of the built tallyra-cli: add, edit, delete, post
// and dismiss on a temporary book, with the clock at 2024-03-05 10:00. A
// question needs --yes; without it the command fails and the book stays as
// it was. Every scenario ends with `check` passing.

#include "CliBook.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

class TransactionCliTest : public CliBook {
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({"init", "Cash", "USD", "100"}).exit, 0);
        ASSERT_EQ(cli({"account-add", "Savings", "EUR"}).exit, 0);
    }

    QJsonArray transactions(const QString& account)
    {
        return json({"register", account}).object()[QStringLiteral("transactions")].toArray();
    }
    QJsonObject row(const QString& account, int row) { return transactions(account)[row].toObject(); }
    qint64 amountAt(const QString& account, int r)
    {
        return row(account, r)[QStringLiteral("amount")].toInteger();
    }
    QJsonArray future(const QString& account)
    {
        return json({"register", account}).object()[QStringLiteral("future")].toArray();
    }
    void expectRefused(const QStringList& arguments, int exit, const char* message)
    {
        const CliResult r = cli(arguments);
        EXPECT_EQ(r.exit, exit) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << r.err.toStdString();
    }
};

TEST_F(TransactionCliTest, AddTakesSignedAmountsAndAsksBeforeMakingACategory)
{
    expectRefused({"add", "Cash", "-12.346", "--desc", "Lunch", "--category", "Kites:Strings"}, 1,
                  "Category 'Kites:Strings' does not exist. Do You want to create new?");
    EXPECT_EQ(transactions("Cash").size(), 1) << "a refused question writes nothing";

    EXPECT_EQ(ok({"--yes", "add", "Cash", "-12.346", "--desc", "Lunch", "--category", "Kites:Strings",
                  "--number", "7", "--mark", "1", "--note", "with Ann"}),
              QStringLiteral("1\n"));
    const QJsonObject lunch = row("Cash", 1);
    EXPECT_EQ(lunch[QStringLiteral("amount")].toInteger(), -1235);
    EXPECT_EQ(lunch[QStringLiteral("balance")].toInteger(), 8765);
    EXPECT_EQ(lunch[QStringLiteral("category")].toString(), QStringLiteral("Kites:Strings"));
    EXPECT_EQ(lunch[QStringLiteral("number")].toString(), QStringLiteral("7"));
    EXPECT_EQ(lunch[QStringLiteral("mark")].toInt(), 1);
    EXPECT_EQ(lunch[QStringLiteral("note")].toString(), QStringLiteral("with Ann"));

    EXPECT_EQ(ok({"--json", "add", "Cash", "5", "--date", "2024-03-01"}),
              QStringLiteral("{\"key\":\"1_20240301100000001\",\"row\":0}\n"));
    EXPECT_EQ(row("Cash", 0)[QStringLiteral("description")].toString(),
              QStringLiteral("untitled transaction"));
    expectCheckPasses();
}

TEST_F(TransactionCliTest, BadValuesAreRefusedBeforeAnythingIsWritten)
{
    expectRefused({"add", "Cash", "abc"}, 2, "malformed amount abc");
    expectRefused({"add", "Cash", "5", "--date", "2024-13-01"}, 2, "malformed date 2024-13-01");
    expectRefused({"add", "Cash", "5", "--mark", "3"}, 2, "malformed mark 3");
    expectRefused({"add", "Cash"}, 2, "expected ACCOUNT AMOUNT");
    expectRefused({"edit", "Cash", "x"}, 2, "malformed row x");
    expectRefused({"add", "Cash", "10,000,000,000.00"}, 1, "This number too large.");
    expectRefused({"add", "Cash", "-10000000000"}, 1, "This number too large.");
    expectRefused({"add", "Cash", "5", "--category", "[Nowhere]"}, 1, "Invalid Account name.");
    expectRefused({"edit", "Cash", "1"}, 1, "row 1 is no transaction row");
    expectRefused({"post", "Cash", "0"}, 1, "row 0 is no future-list row");
    EXPECT_EQ(transactions("Cash").size(), 1);
}

TEST_F(TransactionCliTest, TransfersBetweenCurrenciesTakeTheRateOrTheCounterAmount)
{
    // 1 EUR = 1.25 USD: 20.00 USD out of Cash is 16.00 EUR into Savings.
    EXPECT_EQ(ok({"add", "Cash", "-20", "--category", "[Savings]", "--rate", "1.25"}), QStringLiteral("1\n"));
    EXPECT_EQ(amountAt("Savings", 0), 1600);
    EXPECT_EQ(row("Savings", 0)[QStringLiteral("link")].toString(),
              row("Cash", 1)[QStringLiteral("key")].toString());
    EXPECT_EQ(ok({"add", "Cash", "-30", "--category", "[Savings]", "--counter-amount", "20"}),
              QStringLiteral("2\n"));
    EXPECT_EQ(amountAt("Savings", 1), 2000);
    // Without either, the stored rate (now 1.5) decides.
    EXPECT_EQ(ok({"add", "Savings", "-10", "--category", "[Cash]"}), QStringLiteral("2\n"));
    EXPECT_EQ(amountAt("Cash", 3), 1500);

    // A note alone keeps the converted amount; the other side is made anew.
    const QString before = row("Savings", 0)[QStringLiteral("key")].toString();
    ok({"edit", "Cash", "1", "--note", "moved"}, QStringLiteral("2024-03-05T11:00:00"));
    const QJsonObject other = row("Savings", 2);
    EXPECT_NE(other[QStringLiteral("key")].toString(), before);
    EXPECT_EQ(other[QStringLiteral("amount")].toInteger(), 1600);
    EXPECT_EQ(other[QStringLiteral("note")].toString(), QStringLiteral("moved"));
    EXPECT_EQ(transactions("Savings").size(), 3);

    // Turned into a category, the transfer loses its other side.
    ok({"--yes", "edit", "Cash", "1", "--category", "Fees"});
    EXPECT_EQ(transactions("Savings").size(), 2);
    EXPECT_EQ(json({"register", "Savings"})
                  .object()[QStringLiteral("account")]
                  .toObject()[QStringLiteral("balance")]
                  .toInteger(),
              1000);
    expectCheckPasses();
}

TEST_F(TransactionCliTest, ARateThatIsNoPositiveNumberIsRefused)
{
    ok({"add", "Cash", "-20", "--category", "[Savings]", "--rate", "1.25"});
    for (const char* rate : {"abc", "-2", "0"}) {
        expectRefused({"add", "Cash", "-20", "--category", "[Savings]", "--rate", rate}, 1,
                      "is not a positive number");
        expectRefused({"edit", "Cash", "1", "--amount", "-40", "--rate", rate}, 1,
                      "is not a positive number");
    }
    EXPECT_EQ(transactions("Cash").size(), 2);
    EXPECT_EQ(amountAt("Cash", 1), -2000);
    EXPECT_EQ(amountAt("Savings", 0), 1600);
    // The stored rate is still the one confirmed.
    const QJsonArray rates = json({"currencies"}).object()[QStringLiteral("rates")].toArray();
    EXPECT_DOUBLE_EQ(rates[1].toArray()[0].toDouble(), 1.25);
    expectCheckPasses();
}

TEST_F(TransactionCliTest, EditingFieldsToTheValuesTheyHoldIsNoFailure)
{
    ok({"--yes", "add", "Cash", "-30", "--desc", "Books", "--category", "Fees", "--project", "Home", "--mark",
        "1"});
    const QJsonObject before = row("Cash", 1);
    const std::vector<QStringList> edits = {
        {"--category", "Fees"}, {"--project", "Home"}, {"--desc", "Books"},
        {"--amount", "-30"},    {"--mark", "1"},       {"--category", "Fees", "--project", "Home"},
    };
    for (const QStringList& edit : edits) {
        const CliResult r = cli(QStringList{"edit", "Cash", "1"} + edit);
        EXPECT_EQ(r.exit, 0) << edit.join(u' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("1\n")) << edit.join(u' ').toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("not saved"))) << r.err.toStdString();
        for (const char* field : {"amount", "description", "category", "project", "mark", "balance"})
            EXPECT_EQ(row("Cash", 1)[QString::fromLatin1(field)], before[QString::fromLatin1(field)])
                << edit.join(u' ').toStdString() << " " << field;
    }
    EXPECT_TRUE(
        cli({"edit", "Cash", "1", "--category", "Fees"}).err.contains(QStringLiteral("Nothing was changed")));
    expectCheckPasses();
}

TEST_F(TransactionCliTest, EditAndDeleteChangeOnlyWhatTheyAreTold)
{
    ok({"add", "Cash", "-30", "--desc", "Books"});
    ok({"edit", "Cash", "1", "--amount", "-45"});
    EXPECT_EQ(amountAt("Cash", 1), -4500);
    EXPECT_EQ(row("Cash", 1)[QStringLiteral("description")].toString(), QStringLiteral("Books"));
    // Re-dated before the opening balance, it moves to row 0.
    EXPECT_EQ(ok({"edit", "Cash", "1", "--date", "2024-03-01"}), QStringLiteral("0\n"));
    EXPECT_EQ(row("Cash", 0)[QStringLiteral("balance")].toInteger(), -4500);
    EXPECT_EQ(row("Cash", 1)[QStringLiteral("balance")].toInteger(), 5500);

    expectRefused({"delete", "Cash", "0"}, 1, "This transaction will be deleted. Do you wish to continue?");
    EXPECT_EQ(transactions("Cash").size(), 2);
    ok({"--yes", "delete", "Cash", "0"});
    EXPECT_EQ(transactions("Cash").size(), 1);
    EXPECT_EQ(row("Cash", 0)[QStringLiteral("balance")].toInteger(), 10000);
    expectCheckPasses();
}

TEST_F(TransactionCliTest, PostAndDismissFutureRows)
{
    ASSERT_EQ(cli({"plan-add", "-30", "USD", "--desc", "Rent", "--start", "2024-03-01", "--rule", "monthly",
                   "--entries", "3"})
                  .exit,
              0);
    ASSERT_EQ(future("Cash").size(), 1);
    expectRefused({"post", "Cash", "2"}, 1, "Save scheduled to a new transaction");
    EXPECT_EQ(transactions("Cash").size(), 1);

    // A third of it, dated before the opening balance.
    EXPECT_EQ(ok({"--yes", "post", "Cash", "2", "--amount", "-10", "--date", "2024-03-04"}),
              QStringLiteral("0\n"));
    EXPECT_EQ(amountAt("Cash", 0), -1000);
    EXPECT_EQ(row("Cash", 0)[QStringLiteral("planner_id")].toInt(), 1);
    const QJsonArray rest = future("Cash");
    ASSERT_EQ(rest.size(), 1);
    EXPECT_EQ(rest[0].toObject()[QStringLiteral("amount")].toInteger(), -2000);

    expectRefused({"dismiss", "Cash", "3"}, 1, "This incomplited transaction will be deleted.");
    ok({"--yes", "dismiss", "Cash", "3"});
    EXPECT_TRUE(future("Cash").isEmpty());
    EXPECT_EQ(transactions("Cash").size(), 2) << "a dismissed occurrence goes to no account";
    EXPECT_EQ(json({"plans"}).array()[0].toObject()[QStringLiteral("completed")].toInt(), 1);
    expectCheckPasses();
}

}  // namespace
