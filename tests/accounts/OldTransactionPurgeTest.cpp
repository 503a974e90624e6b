#include "accounts/OldTransactionPurge.h"

#include "AccountTestBook.h"
#include "accounts/AccountCheck.h"
#include "accounts/AccountRun.h"
#include "accounts/BalanceRecalc.h"
#include "reference/Categories.h"
#include "support/ScriptedInteraction.h"

namespace {

using Outcome = OldTransactionPurge::Outcome;

const LocalTime NowFields{2024, 3, 20, 10, 0, 0, 0};
const FileTime Now = *fileTimeFromLocal(NowFields);

FileTime ft(int year, int month, int day, int hour = 12, int minute = 0, int second = 0, int ms = 0)
{
    return *fileTimeFromLocal(LocalTime{year, month, day, hour, minute, second, ms});
}

TEST(OldTransactionPurgeCutoffTest, PeriodsCountBackFromTheEndOfToday)
{
    struct Case {
        int days;
        FileTime expected;
    };
    const Case cases[] = {
        {0, ft(2024, 3, 20, 23, 59, 59, 999)},   {31, ft(2024, 2, 18, 23, 59, 59, 999)},
        {62, ft(2024, 1, 18, 23, 59, 59, 999)},  {93, ft(2023, 12, 18, 23, 59, 59, 999)},
        {182, ft(2023, 9, 20, 23, 59, 59, 999)}, {365, ft(2023, 3, 21, 23, 59, 59, 999)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OldTransactionPurge::cutoff(Now, c.days), c.expected) << c.days;
}

TEST(OldTransactionPurgeCutoffTest, DialogTexts)
{
    EXPECT_EQ(OldTransactionPurge::promptFor(QStringLiteral("Cash")),
              QStringLiteral("Delete transactions in account \"Cash\" older than:"));
    QStringList labels;
    std::vector<int> days;
    for (const OldTransactionPurge::Period& p : OldTransactionPurge::Periods) {
        labels << QString::fromLatin1(p.label);
        days.push_back(p.days);
    }
    EXPECT_EQ(labels, (QStringList{"All", "1 Year", "6 Month", "3 Month", "2 Month", "1 Month"}));
    EXPECT_EQ(days, (std::vector<int>{0, 365, 182, 93, 62, 31}));
}

class OldTransactionPurgeTest : public ::testing::Test {
protected:
    OldTransactionPurgeTest() : m_categories(m_book.tables())
    {
        EXPECT_TRUE(m_categories.ensureRoot());
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Bank"));
        m_book.addAccount(3, QStringLiteral("Card"));
        m_k1 = add(1, ft(2023, 3, 21), 1000, ReconcileMark::Reconciled);
        m_k2 = add(1, ft(2023, 3, 22, 9), -200, ReconcileMark::Unreconciled);
        // A transfer of 300 from Cash to Bank, cleared, linked both ways.
        RawTransaction out = raw(1, ft(2024, 3, 10), -300, ReconcileMark::Cleared);
        RawTransaction in = raw(2, ft(2024, 3, 10), 300, ReconcileMark::Cleared);
        out.category = -2;
        in.category = -1;
        out.link = fullKey(2, ft(2024, 3, 10));
        in.link = fullKey(1, ft(2024, 3, 10));
        m_k3 = m_book.addTransaction(out);
        m_b1 = m_book.addTransaction(in);
        m_k4 = add(1, ft(2024, 3, 19), 50, ReconcileMark::Unreconciled);
        m_k5 = add(1, ft(2024, 3, 20, 12), 70, ReconcileMark::Cleared);  // later today
        m_k6 = add(1, ft(2024, 3, 25), 5, ReconcileMark::Reconciled);    // dated ahead
        add(2, ft(2024, 3, 1), 1000, ReconcileMark::Unreconciled);
        EXPECT_TRUE(BalanceRecalc(m_book.tables()).recalcAll());
    }

    static RawTransaction raw(qint32 account, FileTime when, qint64 amount, ReconcileMark mark)
    {
        RawTransaction r = RawTransaction::of(account, localFromFileTime(when), amount);
        r.mark = mark;
        return r;
    }
    QString add(qint32 account, FileTime when, qint64 amount, ReconcileMark mark)
    {
        return m_book.addTransaction(raw(account, when, amount, mark));
    }

    OldTransactionPurge::Result purge(qint32 account, int days, bool clearedOnly)
    {
        OldTransactionPurge purger(m_book.tables(), m_categories, [this] {
            ++m_projectUpdates;
            return m_projectUpdatesSucceed;
        });
        return purger.purge(account, days, clearedOnly, Now);
    }

    // The account's keys in register order.
    QStringList keysOf(qint32 account)
    {
        QStringList keys;
        DbTable& t = m_book.tables().transactions();
        const AccountRun run = AccountRun::locate(t, account);
        for (qint64 p = run.first; p < run.end(); ++p) {
            t.moveTo(p);
            keys << t.getText(Prop::AccountKey);
        }
        return keys;
    }
    std::vector<TreeRecord> categoriesNamed(const QString& name)
    {
        std::vector<TreeRecord> found;
        for (const TreeRecord& r : m_categories.tree().records()) {
            if (r.name == name)
                found.push_back(r);
        }
        return found;
    }
    void expectBookHolds() { EXPECT_EQ(AccountCheck(m_book.tables()).problems(), QStringList()); }

    AccountTestBook m_book;
    Categories m_categories;
    int m_projectUpdates = 0;
    bool m_projectUpdatesSucceed = true;
    QString m_k1, m_k2, m_k3, m_k4, m_k5, m_k6, m_b1;
};

TEST_F(OldTransactionPurgeTest, AllClearedOnlyKeepsUnreconciledAndBeginBalanceCarriesTheRemovedSum)
{
    ASSERT_EQ(m_book.accountTotal(1), 625);
    const OldTransactionPurge::Result r = purge(1, 0, true);
    ASSERT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 3);
    EXPECT_EQ(r.refiled, 1);
    EXPECT_EQ(r.beginBalance.hundredths(), 1000 - 300 + 70);
    // Dated at the newest removed one, which is today: the unique-key rule
    // then takes the current time.
    EXPECT_EQ(r.beginBalanceKey, fullKey(1, addMilliseconds(Now, 1)));
    EXPECT_EQ(keysOf(1), (QStringList{m_k2, m_k4, r.beginBalanceKey, m_k6}));
    EXPECT_EQ(m_book.transactionText(r.beginBalanceKey, Prop::Name), QStringLiteral("Begin Balance"));
    EXPECT_EQ(m_book.transactionText(r.beginBalanceKey, Prop::CurrencyCode), QStringLiteral("USD"));
    EXPECT_EQ(m_book.markOf(r.beginBalanceKey), static_cast<qint64>(ReconcileMark::Reconciled));
    EXPECT_EQ(m_book.categoryOf(r.beginBalanceKey), 0);
    EXPECT_EQ(m_book.accountTotal(1), 625);
    EXPECT_EQ(m_projectUpdates, 1);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, AllTakesEverythingUpToTheEndOfTodayAndTransfersBecomeOrdinary)
{
    const OldTransactionPurge::Result r = purge(1, 0, false);
    ASSERT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 5);
    EXPECT_EQ(r.beginBalance.hundredths(), 620);
    EXPECT_EQ(keysOf(1), (QStringList{r.beginBalanceKey, m_k6}));
    EXPECT_EQ(m_book.accountTotal(1), 625);
    const std::vector<TreeRecord> star = categoriesNamed(QStringLiteral("*Cash"));
    ASSERT_EQ(star.size(), 1u);
    EXPECT_EQ(star[0].parent, RootCategoryId);
    EXPECT_EQ(m_book.categoryOf(m_b1), star[0].id);
    EXPECT_EQ(m_book.transactionText(m_b1, Prop::TransferLink), QString());
    EXPECT_EQ(m_book.accountTotal(2), 1300);
    EXPECT_EQ(m_book.balanceOf(m_b1), 1300);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, OneYearTakesOnlyWhatLiesBeforeTheCutoff)
{
    const OldTransactionPurge::Result r = purge(1, 365, false);
    ASSERT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 1);
    // Another day: just after the account's last transaction of that day,
    // which is gone, so one millisecond after the removed one.
    EXPECT_EQ(r.beginBalanceKey, fullKey(1, ft(2023, 3, 21, 12, 0, 0, 1)));
    EXPECT_EQ(keysOf(1).first(), r.beginBalanceKey);
    EXPECT_EQ(m_book.accountTotal(1), 625);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, TransactionAtTheCutoffGoesOneMillisecondLaterStays)
{
    const FileTime cut = OldTransactionPurge::cutoff(Now, 31);
    const QString at = add(3, cut, 40, ReconcileMark::Unreconciled);
    const QString after = add(3, addMilliseconds(cut, 1), 2, ReconcileMark::Unreconciled);
    ASSERT_TRUE(BalanceRecalc(m_book.tables()).recalc(3));
    const OldTransactionPurge::Result r = purge(3, 31, false);
    ASSERT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 1);
    EXPECT_FALSE(m_book.seek(at));
    EXPECT_TRUE(m_book.seek(after));
    EXPECT_EQ(m_book.accountTotal(3), 42);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, AccountWithoutTransactionsIsLeftAsItIs)
{
    const qint64 categories = m_book.tables().categories().count();
    const qint64 transactions = m_book.tables().transactions().count();
    const OldTransactionPurge::Result r = purge(3, 0, false);
    EXPECT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 0);
    EXPECT_TRUE(r.beginBalanceKey.isEmpty());
    EXPECT_EQ(m_book.tables().categories().count(), categories);
    EXPECT_EQ(m_book.tables().transactions().count(), transactions);
    EXPECT_EQ(m_projectUpdates, 0);
}

TEST_F(OldTransactionPurgeTest, NothingOldEnoughAddsNoBeginBalance)
{
    m_book.addAccount(4, QStringLiteral("New"));
    add(4, ft(2024, 3, 19), 10, ReconcileMark::Reconciled);
    ASSERT_TRUE(BalanceRecalc(m_book.tables()).recalc(4));
    const OldTransactionPurge::Result r = purge(4, 31, false);
    EXPECT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 0);
    EXPECT_TRUE(r.beginBalanceKey.isEmpty());
    EXPECT_EQ(keysOf(4).size(), 1);
    EXPECT_EQ(m_projectUpdates, 0);
}

TEST_F(OldTransactionPurgeTest, RemovalsThatSumToZeroStillUpdateTheProjects)
{
    add(3, ft(2024, 1, 5), 100, ReconcileMark::Reconciled);
    add(3, ft(2024, 1, 6), -100, ReconcileMark::Reconciled);
    ASSERT_TRUE(BalanceRecalc(m_book.tables()).recalc(3));
    const OldTransactionPurge::Result r = purge(3, 0, false);
    EXPECT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.removed, 2);
    EXPECT_TRUE(r.beginBalanceKey.isEmpty());
    EXPECT_TRUE(keysOf(3).isEmpty());
    EXPECT_EQ(m_projectUpdates, 1);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, PlannedTransactionsMoveToTheHolderAccount)
{
    ASSERT_TRUE(m_book.seek(m_k1));
    ASSERT_TRUE(
        m_book.tables().transactions().setText(Prop::PlannerKey, QStringLiteral("6_20230321120000000")));
    const OldTransactionPurge::Result r = purge(1, 365, false);
    EXPECT_EQ(r.movedToHolder, 1);
    DbTable& t = m_book.tables().transactions();
    const AccountRun held = AccountRun::locate(t, ReservedAccount::Holder);
    ASSERT_EQ(held.count, 1);
    ASSERT_TRUE(t.moveTo(held.first));
    EXPECT_EQ(t.getText(Prop::PlannerKey), QStringLiteral("6_20230321120000000"));
    EXPECT_EQ(m_book.accountTotal(1), 625);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, ExistingStarCategoryIsReused)
{
    const qint32 existing = m_categories.create(RootCategoryId, QStringLiteral("*Cash"));
    // A deeper one of the same name is no top-level category.
    const qint32 parent = m_categories.create(RootCategoryId, QStringLiteral("Old"));
    m_categories.create(parent, QStringLiteral("*Cash"));
    ASSERT_EQ(purge(1, 0, false).outcome, Outcome::Done);
    EXPECT_EQ(m_book.categoryOf(m_b1), existing);
    EXPECT_EQ(categoriesNamed(QStringLiteral("*Cash")).size(), 2u);
}

TEST_F(OldTransactionPurgeTest, StaleStoredTotalDoesNotLeakIntoTheBeginBalance)
{
    DbTable& a = m_book.tables().accounts();
    ASSERT_TRUE(a.seekInt(SeekKind::Equal, 1));
    ASSERT_TRUE(a.setInt64(Prop::Balance, 99999));
    const OldTransactionPurge::Result r = purge(1, 0, false);
    EXPECT_EQ(r.beginBalance.hundredths(), 620);
    EXPECT_EQ(m_book.accountTotal(1), 625);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, FailedProjectUpdateUndoesTheWholePurge)
{
    m_projectUpdatesSucceed = false;
    const QStringList before = keysOf(1);
    const qint64 categories = m_book.tables().categories().count();
    EXPECT_EQ(purge(1, 0, false).outcome, Outcome::Failed);
    EXPECT_EQ(keysOf(1), before);
    EXPECT_EQ(m_book.categoryOf(m_b1), -1);
    EXPECT_EQ(m_book.transactionText(m_b1, Prop::TransferLink), m_k3);
    EXPECT_EQ(m_book.tables().categories().count(), categories);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, WriteFailingHalfwayChangesNothing)
{
    const QStringList before = keysOf(1);
    int writes = 0;
    m_book.store().setWriteFault([&writes] { return ++writes > 4; });
    EXPECT_EQ(purge(1, 0, false).outcome, Outcome::Failed);
    m_book.store().setWriteFault({});
    EXPECT_EQ(keysOf(1), before);
    EXPECT_EQ(m_book.transactionText(m_b1, Prop::TransferLink), m_k3);
    EXPECT_EQ(m_book.accountTotal(1), 625);
    expectBookHolds();
}

TEST_F(OldTransactionPurgeTest, StopInTheProgressWindowUndoesWhatWasRemoved)
{
    const QStringList before = keysOf(1);
    const qint64 categories = m_book.tables().categories().count();
    OldTransactionPurge purger(m_book.tables(), m_categories, [] { return true; });
    ScriptedInteraction ui;
    ui.stopAfterSteps(2);
    EXPECT_EQ(purger.purge(1, 0, false, Now, ui).outcome, Outcome::Stopped);
    EXPECT_EQ(ui.progressSteps, 5);
    EXPECT_EQ(ui.progressDone, 2);
    EXPECT_EQ(keysOf(1), before);
    EXPECT_EQ(m_book.transactionText(m_b1, Prop::TransferLink), m_k3);
    EXPECT_EQ(m_book.tables().categories().count(), categories);
    expectBookHolds();

    ScriptedInteraction unstopped;
    const OldTransactionPurge::Result done = purger.purge(1, 0, false, Now, unstopped);
    EXPECT_EQ(done.outcome, Outcome::Done);
    EXPECT_EQ(unstopped.progressDone, done.removed);
}

TEST_F(OldTransactionPurgeTest, MissingAccountIsRefused)
{
    EXPECT_EQ(purge(77, 0, false).outcome, Outcome::Missing);
}

}  // namespace
