#include "shell/BookRepair.h"

#include "accounts/AccountCheck.h"
#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "planning/RecurrenceRule.h"
#include "platform/FixedClock.h"
#include "reference/BuiltInCurrencies.h"
#include "shell/ExitStep.h"
#include "shell/StartUp.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const LocalTime Now{2024, 3, 5, 10, 0, 0, 0};

class FixedFirstAccount : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView) override
    {
        return AccountDraft{QStringLiteral("Cash"), BuiltInCurrencies::firstRowOf(u"EUR"),
                            Money::fromHundredths(2500)};
    }
};

class BookRepairTest : public ::testing::Test {
protected:
    BookRepairTest() : m_folder(*BookFolder::open(m_dir.path())), m_clock(Now)
    {
        // A first run makes the book; the test's run then opens it as usual.
        {
            MainBook first(m_folder);
            ScriptedInteraction ui;
            EXPECT_EQ(StartUp(first, m_clock, ui, m_first).run(), StartUp::Outcome::Ready);
            ExitStep::run(first);
        }
        m_book = std::make_unique<MainBook>(m_folder);
        ScriptedInteraction ui;
        EXPECT_EQ(StartUp(*m_book, m_clock, ui, m_first).run(), StartUp::Outcome::Ready);
        m_account = AccountList(tables().accounts()).all().at(0).id;
    }
    ~BookRepairTest() override { ExitStep::run(*m_book); }

    TableSet& tables() { return m_book->tables(); }
    FileTime now() const { return *fileTimeFromLocal(Now); }

    // A monthly plan from the first of January: three occurrences are due by now.
    void addMonthlyPlan()
    {
        DbTable& p = tables().planner();
        const FileTime start = *fileTimeFromLocal(LocalTime{2024, 1, 1, 12, 0, 0, 0});
        p.beginNew();
        p.setInt(Prop::PlannerId, 1);
        p.setText(Prop::Name, QStringLiteral("Rent"));
        p.setInt64(Prop::Date, start);
        p.setInt64(Prop::NextDate, start);
        p.setInt64(Prop::Amount, -50000);
        p.setText(Prop::CurrencyCode, QStringLiteral("EUR"));
        p.setInt(Prop::Recurrence, RecurrenceRule::Monthly);
        ASSERT_TRUE(p.setInt(Prop::Entries, RecurrenceRule::Ongoing, true));
    }
    void damageBalances()
    {
        DbTable& t = tables().transactions();
        const AccountRun run = AccountRun::locate(t, m_account);
        ASSERT_EQ(run.count, 1);
        ASSERT_TRUE(t.moveTo(run.first));
        ASSERT_TRUE(t.setInt64(Prop::Balance, 7));
        DbTable& a = tables().accounts();
        ASSERT_TRUE(a.seekInt(SeekKind::Equal, m_account));
        ASSERT_TRUE(a.setInt64(Prop::Balance, 7));
        ASSERT_FALSE(AccountCheck(tables()).problems().isEmpty());
    }

    QTemporaryDir m_dir;
    BookFolder m_folder;
    FixedClock m_clock;
    FixedFirstAccount m_first;
    std::unique_ptr<MainBook> m_book;
    qint32 m_account = 0;
    ScriptedInteraction m_ui;
};

TEST_F(BookRepairTest, RunsEveryStepInOrderWithItsTexts)
{
    EXPECT_TRUE(BookRepair::run(*m_book, now(), m_ui));
    EXPECT_EQ(m_ui.statuses, (QStringList{"Reindexing database", "Recalc Balance...", "Update Projects...",
                                          "Updating scheduled transaction list..."}));
    EXPECT_EQ(m_ui.progressLabels,
              (QStringList{"Reindexing database Transactions", "Reindexing database Accounts",
                           "Reindexing database Projects", "Reindexing database Categories",
                           "Reindexing database Future", "Reindexing database Future List",
                           "Reindexing database Currencies"}));
}

TEST_F(BookRepairTest, MendsBalancesTotalsAndTheFutureList)
{
    damageBalances();
    addMonthlyPlan();
    DbTable& projects = tables().projects();
    ASSERT_TRUE(projects.seekInt(SeekKind::Equal, RootProjectId));
    ASSERT_TRUE(projects.setInt(Prop::TotalsValid, 0));

    ASSERT_TRUE(BookRepair::run(*m_book, now(), m_ui));
    EXPECT_EQ(AccountCheck(tables()).problems(), QStringList());
    EXPECT_EQ(AccountList(tables().accounts()).find(m_account)->total.hundredths(), 2500);
    ASSERT_TRUE(projects.seekInt(SeekKind::Equal, RootProjectId));
    EXPECT_EQ(projects.getInt(Prop::TotalsValid), 1);
    EXPECT_EQ(m_book->future().count(), 3);
    EXPECT_EQ(m_book->future().expected(m_book->state().horizon).size(), 3u);
    EXPECT_GE(m_book->state().horizon, now());
    EXPECT_EQ(tables().transactions().sortId(), Prop::AccountKey);
    EXPECT_EQ(tables().scheduled().sortId(), Prop::Date);
}

}  // namespace
