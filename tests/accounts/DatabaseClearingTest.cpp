#include "accounts/DatabaseClearing.h"

#include "AccountTestBook.h"
#include "accounts/PasswordLockRecord.h"
#include "platform/InstanceLock.h"
#include "support/ScriptedInteraction.h"

namespace {

using Outcome = DatabaseClearing::Outcome;

class DatabaseClearingTest : public ::testing::Test {
protected:
    DatabaseClearingTest()
    {
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Bank"));
        m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(1), 10));
        m_book.addTransaction(RawTransaction::of(2, AccountTestBook::at(2), 20));
        m_book.addTransaction(RawTransaction::of(ReservedAccount::Holder, AccountTestBook::at(3), 30));
        EXPECT_TRUE(PasswordLockRecord::write(tables().transactions(), m_lock));
        m_book.addTransaction(RawTransaction::of(1, AccountTestBook::at(4), 40));
        for (TableKind kind : {TableKind::Project, TableKind::Scheduled, TableKind::Planner,
                               TableKind::Category, TableKind::Currency})
            addRecord(kind);
    }

    TableSet& tables() { return m_book.tables(); }
    // One record with the table's id property, enough to be counted.
    void addRecord(TableKind kind)
    {
        DbTable& t = tables().table(kind);
        t.beginNew();
        switch (kind) {
        case TableKind::Project:
            t.setInt(Prop::ProjectId, 1);
            break;
        case TableKind::Category:
            t.setInt(Prop::CategoryId, 1);
            break;
        case TableKind::Planner:
            t.setInt(Prop::PlannerId, 1);
            break;
        case TableKind::Currency:
            t.setText(Prop::CurrencyCode, QStringLiteral("USD"));
            break;
        default:
            break;
        }
        ASSERT_TRUE(t.setInt64(Prop::Date, 1, true));
    }
    std::vector<qint64> counts()
    {
        std::vector<qint64> n;
        for (int k = 0; k < 7; ++k)
            n.push_back(tables().table(static_cast<TableKind>(k)).count());
        return n;
    }

    AccountTestBook m_book;
    ScriptedInteraction m_ui;
    const LockSettings m_lock{4711, 300};
};

TEST_F(DatabaseClearingTest, NoKeepsEverything)
{
    const std::vector<qint64> before = counts();
    m_ui.answer(false);
    EXPECT_EQ(DatabaseClearing(tables()).clear(m_ui), Outcome::Declined);
    EXPECT_EQ(m_ui.questions,
              QStringList{QStringLiteral("All program data will be lost! Do you wish to continue?")});
    EXPECT_EQ(counts(), before);
}

TEST_F(DatabaseClearingTest, YesLeavesOnlyThePasswordLock)
{
    ASSERT_EQ(tables().accounts().nextId(Prop::AccountId), 3);
    m_ui.answer(true);
    EXPECT_EQ(DatabaseClearing(tables()).clear(m_ui), Outcome::Cleared);
    EXPECT_EQ(counts(), (std::vector<qint64>{1, 0, 0, 0, 0, 0, 0}));
    const PasswordLockRecord::Loaded kept = PasswordLockRecord::read(tables().transactions());
    EXPECT_EQ(kept.form, PasswordLockRecord::Form::Current);
    EXPECT_EQ(kept.settings, m_lock);
    EXPECT_EQ(m_ui.questions.size(), 1);  // no second confirmation
    // New records start again from the first id.
    EXPECT_EQ(tables().accounts().nextId(Prop::AccountId), 1);
}

TEST_F(DatabaseClearingTest, RefusedWhileTheReportProgramRuns)
{
    const std::vector<qint64> before = counts();
    m_ui.answer(true);
    EXPECT_EQ(DatabaseClearing(tables(), [] { return true; }).clear(m_ui), Outcome::ReportProgramRunning);
    EXPECT_EQ(m_ui.messages, QStringList{QStringLiteral("Please, quit programm \"Sumora\"")});
    EXPECT_TRUE(m_ui.questions.isEmpty());
    EXPECT_EQ(counts(), before);
}

TEST_F(DatabaseClearingTest, FailedWriteClearsNothing)
{
    const std::vector<qint64> before = counts();
    int writes = 0;
    m_book.store().setWriteFault([&writes] { return ++writes > 5; });
    m_ui.answer(true);
    EXPECT_EQ(DatabaseClearing(tables()).clear(m_ui), Outcome::Failed);
    m_book.store().setWriteFault({});
    EXPECT_EQ(counts(), before);
}

TEST(DatabaseClearingLockTest, SeesTheReportProgramsLockWithoutKeepingIt)
{
    QTemporaryDir dir;
    const QString file = QString::fromLatin1(InstanceLock::ReportProgramFile);
    EXPECT_FALSE(DatabaseClearing::reportProgramHolds(dir.path()));
    // The look did not keep the lock: the report program can still take it.
    std::unique_ptr<InstanceLock> report = InstanceLock::acquire(dir.path(), file);
    ASSERT_TRUE(report);
    EXPECT_TRUE(DatabaseClearing::reportProgramHolds(dir.path()));
    // The main program's own lock is another file.
    std::unique_ptr<InstanceLock> main =
        InstanceLock::acquire(dir.path(), QString::fromLatin1(InstanceLock::MainProgramFile));
    ASSERT_TRUE(main);
    report.reset();
    EXPECT_FALSE(DatabaseClearing::reportProgramHolds(dir.path()));
}

}  // namespace
