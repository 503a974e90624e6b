#include "shell/StartUp.h"

#include "accounts/AccountList.h"
#include "accounts/AccountRun.h"
#include "platform/FixedClock.h"
#include "reference/BuiltInCurrencies.h"
#include "shell/ExitStep.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ScriptedFirstAccount : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView defaultCurrency) override
    {
        ++asked;
        offeredDefault = defaultCurrency.toString();
        return draft;
    }
    std::optional<AccountDraft> draft;
    int asked = 0;
    QString offeredDefault;
};

const LocalTime Now{2024, 3, 5, 10, 0, 0, 0};

class StartUpTest : public ::testing::Test {
protected:
    StartUpTest() : m_folder(*BookFolder::open(m_dir.path())), m_clock(Now)
    {
        m_first.draft = AccountDraft{QStringLiteral("Cash"), BuiltInCurrencies::firstRowOf(u"EUR"),
                                     Money::fromHundredths(2500)};
    }

    // One whole run: start-up, then the exit step unless `crash`.
    StartUp::Outcome runOnce(bool crash = false, StartUp::Hooks hooks = {})
    {
        m_ui = ScriptedInteraction();
        MainBook book(m_folder);
        StartUp startUp(book, m_clock, m_ui, m_first, std::move(hooks));
        const StartUp::Outcome outcome = startUp.run();
        m_state = book.state();
        if (!crash)
            ExitStep::run(book);
        return outcome;
    }
    TallyraSettings settings() const { return TallyraSettings(m_folder.mainSettingsPath()); }

    QTemporaryDir m_dir;
    BookFolder m_folder;
    FixedClock m_clock;
    ScriptedFirstAccount m_first;
    ScriptedInteraction m_ui;
    RunState m_state;
};

TEST_F(StartUpTest, FirstRunShowsEachStageAndFillsTheBook)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    EXPECT_EQ(m_ui.statuses, (QStringList{"Loading resources...", "Opening tables...", "Reindexing database",
                                          "Loading currency table...", "Creating categories...",
                                          "Creating first account...", "Recalc Balance...",
                                          "Update Projects...", "Updating scheduled transaction list..."}));
    EXPECT_EQ(m_ui.progressLabels.first(), QStringLiteral("Reindexing database Transactions"));
    EXPECT_EQ(m_first.offeredDefault, QStringLiteral("AFA"));

    MainBook book(m_folder);
    ASSERT_TRUE(book.openStore(nullptr));
    ASSERT_TRUE(book.tables().openAll());
    ASSERT_TRUE(book.tables().setWorkingSorts());
    EXPECT_EQ(book.tables().projects().count(), 1);
    EXPECT_EQ(book.tables().categories().count(), 75);
    const auto accounts = AccountList(book.tables().accounts()).all();
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(accounts[0].currency, QStringLiteral("EUR"));
    EXPECT_EQ(accounts[0].total.hundredths(), 2500);
    EXPECT_EQ(AccountRun::locate(book.tables().transactions(), accounts[0].id).count, 1);
    EXPECT_EQ(book.tables().currencies().count(), 1);

    const TallyraSettings s = settings();
    EXPECT_EQ(s.read(TallyraSettings::Text::Version), QStringLiteral("1.2.0.0"));
    EXPECT_EQ(s.read(TallyraSettings::Int::VersionMajor), 1);
    EXPECT_EQ(s.read(TallyraSettings::Int::VersionMinor), 1);
    EXPECT_EQ(s.read(TallyraSettings::Text::DefaultCurrency), QStringLiteral("EUR"));
    EXPECT_EQ(s.futureHorizon(), *fileTimeFromLocal(Now));
}

TEST_F(StartUpTest, SecondStartAfterAnOrderlyExitTakesTheFastPath)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    EXPECT_EQ(m_ui.statuses,
              (QStringList{"Loading resources...", "Opening tables...", "Loading currency table...",
                           "Updating scheduled transaction list..."}));
    EXPECT_EQ(m_first.asked, 1);
    EXPECT_EQ(m_state.defaultCurrency, QStringLiteral("EUR"));
}

TEST_F(StartUpTest, HorizonIsZeroedWhileRunningAndRestoredAtExit)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    m_clock.set(LocalTime{2024, 3, 6, 8, 0, 0, 0});
    MainBook book(m_folder);
    StartUp startUp(book, m_clock, m_ui, m_first);
    ASSERT_EQ(startUp.run(), StartUp::Outcome::Ready);
    EXPECT_EQ(settings().futureHorizon(), 0);
    ExitStep::run(book);
    EXPECT_EQ(settings().futureHorizon(), *fileTimeFromLocal(m_clock.now()));
}

TEST_F(StartUpTest, SkipSaveLeavesTheHorizonAtZero)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    MainBook book(m_folder);
    StartUp startUp(book, m_clock, m_ui, m_first);
    ASSERT_EQ(startUp.run(), StartUp::Outcome::Ready);
    book.state().skipSave = true;
    ExitStep::run(book);
    EXPECT_EQ(settings().futureHorizon(), 0);
}

TEST_F(StartUpTest, RunThatCrashedMakesTheNextStartRepairEveryAccount)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    {
        // A second account and damaged running balances, as an interrupted write leaves them.
        MainBook book(m_folder);
        ASSERT_TRUE(book.openStore(nullptr) && book.tables().openAll() && book.tables().setWorkingSorts());
        DbTable& a = book.tables().accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, 2);
        a.setText(Prop::Name, QStringLiteral("Bank"));
        ASSERT_TRUE(a.setText(Prop::CurrencyCode, QStringLiteral("eur"), true));
        DbTable& t = book.tables().transactions();
        t.beginNew();
        t.setText(Prop::AccountKey, fullKey(2, *fileTimeFromLocal(Now)));
        t.setInt(Prop::AccountId, 2);
        t.setInt64(Prop::Amount, 700);
        t.setText(Prop::CurrencyCode, QStringLiteral("eUr"));
        ASSERT_TRUE(t.setInt64(Prop::Balance, 1, true));
        ASSERT_TRUE(t.moveTo(AccountRun::locate(t, 1).first));
        ASSERT_TRUE(t.setInt64(Prop::Balance, 9));
    }
    ASSERT_EQ(runOnce(true), StartUp::Outcome::Ready);  // ends without the exit step
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    EXPECT_TRUE(m_ui.statuses.contains(QStringLiteral("Reindexing database")));
    EXPECT_TRUE(m_ui.statuses.contains(QStringLiteral("Recalc Balance...")));
    MainBook book(m_folder);
    ASSERT_TRUE(book.openStore(nullptr) && book.tables().openAll() && book.tables().setWorkingSorts());
    const auto accounts = AccountList(book.tables().accounts()).all();
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].total.hundredths(), 2500);
    EXPECT_EQ(accounts[1].total.hundredths(), 700);
    // Codes are upper-cased on the repair path.
    EXPECT_EQ(accounts[1].currency, QStringLiteral("EUR"));
    DbTable& t = book.tables().transactions();
    ASSERT_TRUE(t.seekText(SeekKind::Equal, fullKey(2, *fileTimeFromLocal(Now))));
    EXPECT_EQ(t.getText(Prop::CurrencyCode), QStringLiteral("EUR"));
}

TEST_F(StartUpTest, OlderVersionTextForcesTheRepairPath)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    settings().write(TallyraSettings::Text::Version, QStringLiteral("1.0.0.0"));
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    EXPECT_TRUE(m_ui.statuses.contains(QStringLiteral("Reindexing database")));
    EXPECT_EQ(settings().read(TallyraSettings::Text::Version), QStringLiteral("1.2.0.0"));
}

TEST_F(StartUpTest, StoredDefaultNotAmongTheCurrenciesIsReplaced)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    settings().write(TallyraSettings::Text::DefaultCurrency, QStringLiteral("JPY"));
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    EXPECT_EQ(settings().read(TallyraSettings::Text::DefaultCurrency), QStringLiteral("EUR"));
    // The default changed, so the future list is rebuilt.
    EXPECT_TRUE(m_ui.statuses.contains(QStringLiteral("Recalc Balance...")));
}

TEST_F(StartUpTest, CancelledFirstAccountQuitsAndSavesNothing)
{
    m_first.draft.reset();
    ASSERT_EQ(runOnce(), StartUp::Outcome::Quit);
    EXPECT_TRUE(m_state.quit);
    EXPECT_EQ(settings().futureHorizon(), 0);
    EXPECT_EQ(settings().read(TallyraSettings::Text::Version), QStringLiteral("1.0.0.0"));
}

TEST_F(StartUpTest, UnusableStoreEndsStartUpWithTheEngineMessage)
{
    QFile junk(m_folder.storePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a book, just some text that fills the first page");
    junk.close();
    ASSERT_EQ(runOnce(), StartUp::Outcome::Quit);
    EXPECT_EQ(m_ui.messages, QStringList{QStringLiteral("Can not initialize database engine.")});
    EXPECT_EQ(m_ui.icons.front(), Interaction::Icon::Exclamation);
    EXPECT_FALSE(m_ui.statuses.contains(QStringLiteral("Reindexing database")));
    EXPECT_EQ(m_first.asked, 0);
}

TEST_F(StartUpTest, SecondRunOnTheSameBookIsRefused)
{
    MainBook first(m_folder);
    StartUp one(first, m_clock, m_ui, m_first);
    ASSERT_EQ(one.run(), StartUp::Outcome::Ready);
    ScriptedInteraction otherUi;
    MainBook second(m_folder);
    StartUp two(second, m_clock, otherUi, m_first);
    EXPECT_EQ(two.run(), StartUp::Outcome::AlreadyRunning);
    EXPECT_FALSE(two.lockError().isEmpty());
    EXPECT_TRUE(otherUi.statuses.isEmpty());
    EXPECT_TRUE(second.state().quit);
}

TEST_F(StartUpTest, RefusedPasswordQuits)
{
    ASSERT_EQ(runOnce(), StartUp::Outcome::Ready);
    StartUp::Hooks hooks;
    hooks.checkPassword = [] { return false; };
    EXPECT_EQ(runOnce(false, std::move(hooks)), StartUp::Outcome::Quit);
    EXPECT_EQ(settings().futureHorizon(), 0);
}

TEST_F(StartUpTest, HooksRunOnTheRebuildPathAndTheFutureListSetsTheHorizon)
{
    int totals = 0;
    std::vector<bool> forces;
    const FileTime built = *fileTimeFromLocal(LocalTime{2024, 4, 1, 0, 0, 0, 0});
    StartUp::Hooks hooks;
    hooks.recomputeProjectTotals = [&totals] { return ++totals > 0; };
    hooks.buildFutureList = [&forces, built](bool force, FileTime) {
        forces.push_back(force);
        return std::optional<FileTime>(built);
    };
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    EXPECT_EQ(totals, 1);
    EXPECT_EQ(forces, (std::vector<bool>{true, false}));
    EXPECT_EQ(settings().futureHorizon(), built);
}

TEST_F(StartUpTest, RebuildForcesTheListUpToNowAndTheFastPathExtendsToTheLaterOfNowAndTheHorizon)
{
    std::vector<std::pair<bool, FileTime>> builds;
    FileTime answer = *fileTimeFromLocal(LocalTime{2024, 4, 1, 23, 59, 59, 999});
    StartUp::Hooks hooks;
    hooks.buildFutureList = [&builds, &answer](bool force, FileTime upTo) {
        builds.emplace_back(force, upTo);
        return std::optional<FileTime>(answer);
    };
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    // The stored horizon (April 1st) is later than now: the list is kept up to it.
    m_clock.set(LocalTime{2024, 3, 6, 9, 0, 0, 0});
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    // Now is later than the stored horizon: the list grows up to now.
    const LocalTime may{2024, 5, 2, 7, 30, 0, 0};
    m_clock.set(may);
    answer = *fileTimeFromLocal(LocalTime{2024, 5, 2, 23, 59, 59, 999});
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    const std::vector<std::pair<bool, FileTime>> expected = {
        {true, *fileTimeFromLocal(Now)},
        {false, *fileTimeFromLocal(LocalTime{2024, 4, 1, 23, 59, 59, 999})},
        {false, *fileTimeFromLocal(may)}};
    EXPECT_EQ(builds, expected);
    EXPECT_EQ(settings().futureHorizon(), answer);
}

TEST_F(StartUpTest, AFailedRebuildLeavesTheHorizonAtZero)
{
    StartUp::Hooks hooks;
    hooks.buildFutureList = [](bool, FileTime) { return std::optional<FileTime>(); };
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    // The rebuild path zeroes it first, so a failed rebuild leaves 0 and the next start tries again.
    EXPECT_EQ(settings().futureHorizon(), 0);
}

TEST_F(StartUpTest, RemindersComeLastAfterThePasswordIsPassed)
{
    std::vector<std::string> steps;
    StartUp::Hooks hooks;
    hooks.buildFutureList = [&steps](bool, FileTime upTo) {
        steps.push_back("future");
        return std::optional<FileTime>(upTo);
    };
    hooks.checkPassword = [&steps] {
        steps.push_back("password");
        return true;
    };
    hooks.showReminders = [&steps] { steps.push_back("reminders"); };
    ASSERT_EQ(runOnce(false, hooks), StartUp::Outcome::Ready);
    EXPECT_EQ(steps, (std::vector<std::string>{"future", "password", "reminders"}));

    steps.clear();
    hooks.checkPassword = [&steps] {
        steps.push_back("password");
        return false;
    };
    EXPECT_EQ(runOnce(false, hooks), StartUp::Outcome::Quit);
    EXPECT_EQ(steps, (std::vector<std::string>{"future", "password"})) << "no reminders without the password";
}

// The main program's own hooks on a real book: a plan written after the first
// run is listed when a later start brings the list up to its day, and its
// reminder is shown once.
class StartUpStandardHooksTest : public StartUpTest {
protected:
    StartUp::Outcome runStandard()
    {
        m_ui = ScriptedInteraction();
        MainBook book(m_folder);
        StartUp startUp(book, m_clock, m_ui, m_first, StartUp::standardHooks(book, m_clock, m_locale, m_ui));
        const StartUp::Outcome outcome = startUp.run();
        m_state = book.state();
        m_entries = book.future().entries().size();
        ExitStep::run(book);
        return outcome;
    }
    void addPlan(const LocalTime& start, qint32 entries)
    {
        MainBook book(m_folder);
        ASSERT_TRUE(book.openStore(nullptr) && book.tables().openAll() && book.tables().setWorkingSorts());
        DbTable& p = book.tables().planner();
        p.beginNew();
        p.setInt(Prop::PlannerId, 1);
        p.setInt64(Prop::Date, *fileTimeFromLocal(start));
        p.setInt64(Prop::NextDate, *fileTimeFromLocal(start));
        p.setText(Prop::Name, QStringLiteral("Rent"));
        p.setInt64(Prop::Amount, -80000);
        p.setInt(Prop::Recurrence, 0);
        p.setInt(Prop::Entries, entries);
        ASSERT_TRUE(p.setText(Prop::CurrencyCode, QStringLiteral("EUR"), true));
    }

    LocaleValues m_locale;
    size_t m_entries = 0;
};

TEST_F(StartUpStandardHooksTest, ALaterStartListsTheNewOccurrenceAndRemindsOfItOnce)
{
    ASSERT_EQ(runStandard(), StartUp::Outcome::Ready);
    EXPECT_EQ(m_state.horizon, *fileTimeFromLocal(LocalTime{2024, 3, 5, 23, 59, 59, 999}))
        << "the list is built up to the end of today";
    EXPECT_EQ(m_entries, 0u);
    EXPECT_TRUE(m_ui.messages.isEmpty());

    addPlan(LocalTime{2024, 3, 7, 9, 0, 0, 0}, 1);
    m_clock.set(LocalTime{2024, 3, 8, 8, 0, 0, 0});
    ASSERT_EQ(runStandard(), StartUp::Outcome::Ready);
    EXPECT_FALSE(m_ui.statuses.contains(QStringLiteral("Reindexing database"))) << "the fast path";
    EXPECT_EQ(m_entries, 1u);
    ASSERT_EQ(m_ui.messages.size(), 1);
    EXPECT_TRUE(m_ui.messages[0].startsWith(QStringLiteral("Planned Transactions:\n\nRent: ")))
        << m_ui.messages[0].toStdString();

    ASSERT_EQ(runStandard(), StartUp::Outcome::Ready);
    EXPECT_EQ(m_entries, 1u);
    EXPECT_TRUE(m_ui.messages.isEmpty()) << "a reminder is shown once";
}

}  // namespace
