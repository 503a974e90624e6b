// The built tallyra-cli run on a temporary book, command after command, with the
// locale and the clock pinned: each step states the exact output expected.

#include "CliBook.h"

#include <QLockFile>

namespace {

class CliBookTest : public CliBook {
protected:
    void init()
    {
        ASSERT_EQ(ok({"init", "Cash", "USD", "100"}), QStringLiteral("1\n"));
        ASSERT_EQ(ok({"account-add", "Savings", "eur", "-50"}), QStringLiteral("2\n"));
    }
};

TEST_F(CliBookTest, InitMakesTheFirstAccountOnce)
{
    init();
    const CliResult again = cli({"init", "Other", "USD"});
    EXPECT_EQ(again.exit, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("The book has accounts already.")))
        << again.err.toStdString();
    EXPECT_EQ(ok({"accounts"}), QStringLiteral("1\tCash\tUSD\t100.00\n2\tSavings\tEUR\t-50.00\n"));
    EXPECT_EQ(ok({"--json", "accounts"}),
              QStringLiteral(
                  "[{\"balance\":10000,\"currency\":\"USD\",\"id\":1,\"name\":\"Cash\",\"note\":\"\"},"
                  "{\"balance\":-5000,\"currency\":\"EUR\",\"id\":2,\"name\":\"Savings\",\"note\":\"\"}]\n"));
}

TEST_F(CliBookTest, EmptyBookIsRefusedUntilInit)
{
    const CliResult r = cli({"accounts"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("run init first"))) << r.err.toStdString();
    // The refused run wrote no account and the book can still be made.
    EXPECT_EQ(ok({"--json", "init", "Cash", "USD"}), QStringLiteral("{\"account\":1}\n"));
}

TEST_F(CliBookTest, BadArgumentsAreUsageErrors)
{
    init();
    const std::vector<std::pair<QStringList, const char*>> cases = {
        {{"init", "Cash", "XYZ"}, "unknown currency XYZ"},
        {{"account-add", "Cash", "USD", "abc"}, "malformed amount abc"},
        {{"account-add", "Cash"}, "expected NAME CURRENCY [OPENING]"},
        {{"account-edit", "1", "--colour", "red"}, "unknown option --colour"},
        {{"mark", "Cash", "x"}, "malformed row x"},
        {{"register"}, "expected ACCOUNT"},
    };
    for (const auto& [arguments, message] : cases) {
        const CliResult r = cli(arguments);
        EXPECT_EQ(r.exit, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(message))) << r.err.toStdString();
    }
}

TEST_F(CliBookTest, RegisterBalanceInfoAndMark)
{
    init();
    EXPECT_EQ(
        ok({"register", "Cash"}),
        QStringLiteral("0\tTue, 3/5/2024\t\tOpening Balance\t100.00\t100.00\tR\t\t\nBalance:  $100.00\n"));
    EXPECT_EQ(ok({"--json", "register", "2"}),
              QStringLiteral(
                  "{\"account\":{\"balance\":-5000,\"currency\":\"EUR\",\"id\":2,\"name\":\"Savings\"},"
                  "\"future\":[],\"prognosis\":0,\"transactions\":[{\"amount\":-5000,\"balance\":-5000,"
                  "\"category\":\"\",\"category_id\":0,\"contact\":\"\",\"date\":\"2024-03-05T10:00:00.000\","
                  "\"description\":\"Opening Balance\",\"key\":\"2_20240305100000000\",\"link\":\"\","
                  "\"mark\":2,\"note\":\"\",\"number\":\"\",\"planner_id\":0,\"project\":\"\","
                  "\"project_id\":0,\"row\":0}]}\n"));
    EXPECT_EQ(ok({"mark", "Cash", "0"}), QStringLiteral("Unreconciled\n"));
    EXPECT_EQ(ok({"mark", "Cash", "0"}), QStringLiteral("Cleared (C)\n"));
    EXPECT_EQ(
        ok({"balance", "Cash"}),
        QStringLiteral("Account: Cash\n-\nBalance Total: 100.00 USD\n-\nBalance Cleared: 100.00 USD\n"
                       "  Balance Cleared: 100.00 USD\n  -\n  Deposit: 100.00 USD\n  Count Transactions: 1\n"
                       "  -\n  Payment: 0.00 USD\n  Count Transactions: 0\n"
                       "Balance Unreconciled: 0.00 USD\n  Balance Unreconciled: 0.00 USD\n  -\n"
                       "  Deposit: 0.00 USD\n  Count Transactions: 0\n  -\n  Payment: 0.00 USD\n"
                       "  Count Transactions: 0\n-\nCount Transactions: 1\n"));
    EXPECT_EQ(ok({"info", "Savings", "0"}),
              QStringLiteral("Current Transaction\nDescription:\tOpening Balance\nAccount:\tSavings\n"
                             "Date:\tTue, 3/5/2024\nAmount:\teu-50.00\nMark As:\tReconciled (R)\n"
                             "Balance:\teu-50.00\n-\nEdit...\n"));
    EXPECT_TRUE(ok({"--json", "balance", "Savings"})
                    .startsWith(QStringLiteral(
                        "{\"lines\":[\"Account: Savings\",\"-\",\"Balance Total: -50.00 EUR\"")));
    const CliResult newRow = cli({"mark", "Cash", "1"});
    EXPECT_EQ(newRow.exit, 1);
    EXPECT_EQ(cli({"info", "Cash", "5"}).exit, 1);
    const CliResult missing = cli({"register", "Nope"});
    EXPECT_EQ(missing.exit, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("no account Nope")));
}

TEST_F(CliBookTest, EditAndDeleteAccounts)
{
    init();
    ok({"account-edit", "2", "--name", "Reserve", "--note", "rainy days"});
    EXPECT_TRUE(
        ok({"--json", "accounts"}).contains(QStringLiteral("\"name\":\"Reserve\",\"note\":\"rainy days\"")));
    const CliResult refused = cli({"account-delete", "Reserve"});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("All data in your current account will be lost!")));
    EXPECT_EQ(ok({"accounts"}).count(u'\n'), 2);
    ok({"--yes", "account-delete", "Reserve"});
    EXPECT_EQ(ok({"accounts"}), QStringLiteral("1\tCash\tUSD\t100.00\n"));
    const CliResult last = cli({"--yes", "account-delete", "Cash"});
    EXPECT_EQ(last.exit, 1);
    EXPECT_TRUE(last.err.contains(QStringLiteral("You can not delete a last account.")));
}

TEST_F(CliBookTest, SecondRunWhileTheBookIsHeldIsRefused)
{
    init();
    QLockFile held(m_dir.filePath(QStringLiteral("tallyra.lock")));
    ASSERT_TRUE(held.tryLock(0));
    const CliResult r = cli({"accounts"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.out, QString());
    held.unlock();
    EXPECT_EQ(cli({"accounts"}).exit, 0);
}

TEST_F(CliBookTest, LocaleShapesTheAmounts)
{
    init();
    const QString text = cli({"--locale", "de_DE", "accounts"}).out;
    EXPECT_TRUE(text.contains(QStringLiteral("100,00"))) << text.toStdString();
}

}  // namespace
