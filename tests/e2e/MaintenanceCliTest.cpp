// find, purge, clear-database, repair, password-set and password-clear run
// through the built tallyra-cli on a temporary book.

#include "CliBook.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLockFile>

namespace {

class MaintenanceCliTest : public CliBook {
protected:
    // Cash with its reconciled opening balance of 2024-01-10, Bank opened on
    // 2024-02-10 with the opening's mark moved on to unreconciled, and an
    // Empty account without transactions.
    void makeBook()
    {
        ASSERT_EQ(ok({"init", "Cash", "USD", "100"}, QStringLiteral("2024-01-10T09:00:00")),
                  QStringLiteral("1\n"));
        ASSERT_EQ(ok({"account-add", "Bank", "USD", "50"}, QStringLiteral("2024-02-10T09:00:00")),
                  QStringLiteral("2\n"));
        ASSERT_EQ(ok({"account-add", "Empty", "USD"}), QStringLiteral("3\n"));
        ok({"mark", "Bank", "0"});
    }
    QJsonArray transactions(const QString& account)
    {
        return json({"register", account}).object().value(QStringLiteral("transactions")).toArray();
    }
    qint64 balanceOf(int row)
    {
        return json({"accounts"}).array().at(row).toObject().value(QStringLiteral("balance")).toInteger();
    }
    static void expectRefusedWith(const CliResult& r, const QString& text)
    {
        EXPECT_EQ(r.exit, 1);
        EXPECT_TRUE(r.err.contains(text)) << r.err.toStdString();
    }
};

TEST_F(MaintenanceCliTest, FindWalksBackFromTheRowAndAcrossAccounts)
{
    makeBook();
    EXPECT_EQ(ok({"find", "opening", "--account", "Cash"}), QStringLiteral("1\t0\n"));
    // From Cash's only row the walk wraps to the last account and goes back.
    EXPECT_EQ(ok({"find", "Opening", "--account", "Cash", "--row", "0"}), QStringLiteral("2\t0\n"));
    EXPECT_EQ(json({"find", "Balance", "--account", "Empty"}).object(),
              (QJsonObject{{"account", 2}, {"row", 0}}));
    expectRefusedWith(cli({"find", "opening", "--match-case"}),
                      QStringLiteral("The string was not found in all accounts."));
    expectRefusedWith(cli({"find", "Opening", "--account", "Nope"}), QStringLiteral("no account Nope"));
    EXPECT_EQ(cli({"find"}).exit, 2);
    EXPECT_EQ(cli({"find", "x", "--row", "-1"}).exit, 2);
}

TEST_F(MaintenanceCliTest, FindWithoutAnAccountStartsWhereTheRegisterWould)
{
    ASSERT_EQ(ok({"init", "Cash", "USD", "100"}), QStringLiteral("1\n"));
    ASSERT_EQ(ok({"account-add", "Bank", "USD", "50"}), QStringLiteral("2\n"));
    ASSERT_EQ(ok({"account-add", "Card", "USD", "20"}), QStringLiteral("3\n"));
    // No account shown yet: the register shows the first one.
    EXPECT_EQ(ok({"find", "opening"}), QStringLiteral("1\t0\n"));
    // The shown account deleted: the selection moves to the one now in its place.
    ok({"register", "Bank"});
    ok({"--yes", "account-delete", "Bank"});
    EXPECT_EQ(ok({"find", "opening"}), QStringLiteral("3\t0\n"));
    // The last one deleted: the new last one.
    ok({"--yes", "account-delete", "Card"});
    EXPECT_EQ(ok({"find", "opening"}), QStringLiteral("1\t0\n"));
    expectCheckPasses();
}

TEST_F(MaintenanceCliTest, FindOnABookWithoutTransactionsEnds)
{
    ASSERT_EQ(ok({"init", "Cash", "USD"}), QStringLiteral("1\n"));
    expectRefusedWith(cli({"find", "anything"}), QStringLiteral("The string was not found in all accounts."));
}

TEST_F(MaintenanceCliTest, PurgeNeedsYesAndKeepsTheBalance)
{
    makeBook();
    expectRefusedWith(cli({"purge", "Cash", "all"}),
                      QStringLiteral("Delete transactions in account \"Cash\" older than: All"));
    EXPECT_EQ(transactions(QStringLiteral("Cash")).size(), 1);

    EXPECT_EQ(
        json({"--yes", "purge", "Cash", "all", "--cleared-only"}).object(),
        (QJsonObject{{"removed", 1}, {"moved_to_holder", 0}, {"refiled", 0}, {"begin_balance", 10000}}));
    const QJsonArray rows = transactions(QStringLiteral("Cash"));
    ASSERT_EQ(rows.size(), 1);
    const QJsonObject begin = rows.at(0).toObject();
    EXPECT_EQ(begin.value(QStringLiteral("description")).toString(), QStringLiteral("Begin Balance"));
    EXPECT_EQ(begin.value(QStringLiteral("amount")).toInteger(), 10000);
    EXPECT_EQ(begin.value(QStringLiteral("mark")).toInt(), 2);
    // At the removed one's date, made unique: one millisecond later.
    EXPECT_EQ(begin.value(QStringLiteral("date")).toString(), QStringLiteral("2024-01-10T09:00:00.001"));
    EXPECT_EQ(balanceOf(0), 10000);
    expectCheckPasses();
}

TEST_F(MaintenanceCliTest, PurgeKeepsUnreconciledAndWhatIsTooYoung)
{
    makeBook();
    // Bank's opening is unreconciled: only cleared ones were asked for.
    EXPECT_EQ(ok({"--yes", "purge", "Bank", "all", "--cleared-only"}),
              QStringLiteral("0 transactions removed\n"));
    // A month back from 2024-03-05 does not reach 2024-02-10.
    EXPECT_EQ(ok({"--yes", "purge", "Bank", "1m"}), QStringLiteral("0 transactions removed\n"));
    EXPECT_EQ(ok({"--yes", "purge", "Bank", "all"}),
              QStringLiteral("1 transactions removed, Begin Balance 50.00\n"));
    EXPECT_EQ(balanceOf(1), 5000);
    // An account without transactions gains nothing.
    EXPECT_EQ(ok({"--yes", "purge", "Empty", "all"}), QStringLiteral("0 transactions removed\n"));
    EXPECT_TRUE(transactions(QStringLiteral("Empty")).isEmpty());
    EXPECT_EQ(cli({"--yes", "purge", "Bank", "5y"}).exit, 2);
    expectCheckPasses();
}

TEST_F(MaintenanceCliTest, OldTransfersLeaveOrdinaryCounterpartsAndFindReadsContacts)
{
    makeBook();
    ok({"add", "Cash", "-30", "--category", "[Bank]", "--desc", "To bank"},
       QStringLiteral("2024-02-12T10:00:00"));
    ok({"add", "Cash", "-20", "--desc", "Rent", "--contact", "Landlord Ltd"},
       QStringLiteral("2024-02-13T10:00:00"));
    // Only the contact holds "landlord"; the lower-case rent is no "Rent" when case matters.
    EXPECT_EQ(ok({"find", "landlord", "--account", "Bank"}), QStringLiteral("1\t2\n"));
    expectRefusedWith(cli({"find", "rent", "--match-case"}),
                      QStringLiteral("The string was not found in all accounts."));
    EXPECT_EQ(ok({"find", "Rent", "--match-case"}), QStringLiteral("1\t2\n"));

    EXPECT_EQ(ok({"--yes", "purge", "Cash", "all"}),
              QStringLiteral("3 transactions removed, Begin Balance 50.00\n"));
    EXPECT_EQ(balanceOf(0), 5000);
    EXPECT_EQ(balanceOf(1), 5000 + 3000);
    const QJsonObject counterpart = transactions(QStringLiteral("Bank")).at(1).toObject();
    EXPECT_EQ(counterpart.value(QStringLiteral("category")).toString(), QStringLiteral("*Cash"));
    EXPECT_EQ(counterpart.value(QStringLiteral("link")).toString(), QString());
    EXPECT_EQ(counterpart.value(QStringLiteral("amount")).toInteger(), 3000);
    expectCheckPasses();
}

TEST_F(MaintenanceCliTest, ClearDatabaseStartsTheBookAfreshButKeepsThePassword)
{
    makeBook();
    ok({"password-set", "secret"});
    expectRefusedWith(cli({"--password", "secret", "clear-database"}),
                      QStringLiteral("All program data will be lost! Do you wish to continue?"));
    EXPECT_EQ(json({"--password", "secret", "accounts"}).array().size(), 3);

    ok({"--yes", "--password", "secret", "clear-database"});
    expectRefusedWith(cli({"--password", "secret", "accounts"}), QStringLiteral("run init first"));
    EXPECT_EQ(ok({"--password", "secret", "init", "Fresh", "EUR", "7"}), QStringLiteral("1\n"));
    EXPECT_EQ(ok({"--password", "secret", "accounts"}), QStringLiteral("1\tFresh\tEUR\t7.00\n"));
    // The lock outlived the clearing.
    expectRefusedWith(cli({"accounts"}), QStringLiteral("Wrong password"));
    EXPECT_EQ(json({"--password", "secret", "categories"}).array().size(), 75);
    const CliResult check = cli({"--password", "secret", "check"});
    EXPECT_EQ(check.exit, 0) << check.out.toStdString() << check.err.toStdString();
}

TEST_F(MaintenanceCliTest, ClearDatabaseIsRefusedWhileTheReportProgramRuns)
{
    makeBook();
    QLockFile report(QDir(m_dir.path()).filePath(QStringLiteral("sumora.lock")));
    ASSERT_TRUE(report.tryLock(0));
    expectRefusedWith(cli({"--yes", "clear-database"}), QStringLiteral("Please, quit programm \"Sumora\""));
    EXPECT_EQ(json({"accounts"}).array().size(), 3);
    report.unlock();
    ok({"--yes", "clear-database"});
}

TEST_F(MaintenanceCliTest, RepairLeavesACheckedBook)
{
    makeBook();
    ok({"repair"});
    expectCheckPasses();
    EXPECT_EQ(ok({"accounts"}),
              QStringLiteral("1\tCash\tUSD\t100.00\n2\tBank\tUSD\t50.00\n3\tEmpty\tUSD\t0.00\n"));
}

TEST_F(MaintenanceCliTest, PasswordSetAndClear)
{
    makeBook();
    expectRefusedWith(cli({"password-set", "secret", "--idle-minutes", "0.5"}),
                      QStringLiteral("Time must be more or equal one minute."));
    ok({"password-set", "secret", "--idle-minutes", "1.5"});
    expectRefusedWith(cli({"accounts"}), QStringLiteral("Wrong password"));
    expectRefusedWith(cli({"--password", "Secret", "accounts"}), QStringLiteral("Wrong password"));
    ok({"--password", "secret", "accounts"});
    // Changing it takes the old one to get in.
    ok({"--password", "secret", "password-set", "other"});
    ok({"--password", "other", "accounts"});
    EXPECT_EQ(cli({"--password", "other", "password-set", QString(101, u'x')}).exit, 2);
    ok({"--password", "other", "password-clear"});
    ok({"accounts"});
}

}  // namespace
