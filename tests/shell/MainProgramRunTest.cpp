#include "shell/MainProgramRun.h"

#include "accounts/PasswordLockRecord.h"
#include "shell/CliCommandTable.h"
#include "shell/CliExit.h"
#include "shell/CliRunner.h"
#include "store/PasswordDigest.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Whole runs of main-program commands through the runner, on a book of their own.
class MainProgramRunTest : public ::testing::Test {
protected:
    MainProgramRunTest() : m_commands(CliCommandTable::standard()) {}

    int run(QStringList arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        CliRunner runner(m_commands, out, err);
        arguments.prepend(QStringLiteral("2024-03-05T10:00:00"));
        arguments.prepend(QStringLiteral("--now"));
        return runner.run(arguments, [this](const char* name) {
            return QByteArray(name) == "TALLYRA_HOME" ? m_dir.path() : QString();
        });
    }
    void setPassword(const QString& password)
    {
        auto store = ObjectStore::open(m_dir.filePath(QStringLiteral("tallyra.db")));
        ASSERT_TRUE(store);
        TableSet tables;
        tables.attach(store.get());
        ASSERT_TRUE(tables.openAll() && tables.setWorkingSorts());
        ASSERT_TRUE(
            PasswordLockRecord::write(tables.transactions(), LockSettings{passwordDigest(password), 0}));
        tables.closeAll();
    }

    QTemporaryDir m_dir;
    CliCommandTable m_commands;
    QString m_out;
    QString m_err;
};

TEST_F(MainProgramRunTest, PasswordIsCheckedAtStartUp)
{
    ASSERT_EQ(run({QStringLiteral("init"), QStringLiteral("Cash"), QStringLiteral("USD")}), CliDone);
    setPassword(QStringLiteral("secret"));
    EXPECT_EQ(run({QStringLiteral("accounts")}), CliFailed);
    EXPECT_EQ(m_out, QString());
    EXPECT_TRUE(m_err.contains(QStringLiteral("Wrong password"))) << m_err.toStdString();
    EXPECT_EQ(run({QStringLiteral("--password"), QStringLiteral("wrong"), QStringLiteral("accounts")}),
              CliFailed);
    EXPECT_EQ(run({QStringLiteral("--password"), QStringLiteral("secret"), QStringLiteral("accounts")}),
              CliDone);
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("1\tCash\tUSD\t"))) << m_out.toStdString();
}

TEST_F(MainProgramRunTest, WithoutAPasswordNoneIsAsked)
{
    ASSERT_EQ(run({QStringLiteral("init"), QStringLiteral("Cash"), QStringLiteral("USD")}), CliDone);
    EXPECT_EQ(run({QStringLiteral("--password"), QStringLiteral("anything"), QStringLiteral("accounts")}),
              CliDone);
}

TEST_F(MainProgramRunTest, CheckPassesOnAFreshBookAndAfterDeletingAnAccount)
{
    ASSERT_EQ(
        run({QStringLiteral("init"), QStringLiteral("Cash"), QStringLiteral("USD"), QStringLiteral("10")}),
        CliDone);
    ASSERT_EQ(run({QStringLiteral("account-add"), QStringLiteral("Bank"), QStringLiteral("EUR"),
                   QStringLiteral("5")}),
              CliDone);
    EXPECT_EQ(run({QStringLiteral("check")}), CliDone);
    EXPECT_EQ(m_out, QString());
    ASSERT_EQ(run({QStringLiteral("--yes"), QStringLiteral("account-delete"), QStringLiteral("Bank")}),
              CliDone);
    EXPECT_EQ(run({QStringLiteral("--json"), QStringLiteral("check")}), CliDone);
    EXPECT_EQ(m_out, QStringLiteral("{\"problems\":[]}\n"));
}

}  // namespace
