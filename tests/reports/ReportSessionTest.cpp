#include "reports/ReportSession.h"

#include "ReportBook.h"
#include "platform/FixedClock.h"
#include "platform/SettingsFile.h"
#include "support/ScriptedInteraction.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const LocalTime Now{2024, 3, 15, 9, 30, 0, 0};

BookFolder folderAt(const QString& path)
{
    return *BookFolder::open(path);
}

class ReportSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rb.addCurrency(1, QStringLiteral("USD"));
        rb.addCurrency(2, QStringLiteral("EUR"));
        rb.addAccount(1, QStringLiteral("Cash"));
        rb.addAccount(2, QStringLiteral("Euro Bank"), QStringLiteral("EUR"));
    }

    std::unique_ptr<ReportSession> session()
    {
        return std::make_unique<ReportSession>(folderAt(rb.book.folder()), clock, ui);
    }
    ReportSession::PasswordCheck unlocked()
    {
        return [this](DbTable&) {
            ++passwordChecks;
            return true;
        };
    }
    SettingsFile sumoraIni() { return SettingsFile(folderAt(rb.book.folder()).reportSettingsPath()); }

    ReportBook rb;
    FixedClock clock{Now};
    ScriptedInteraction ui;
    int passwordChecks = 0;
};

TEST_F(ReportSessionTest, ReadyBookOpensTheFiveTablesAndInitialisesTheFilter)
{
    auto s = session();
    ASSERT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
    EXPECT_TRUE(s->isReady());
    EXPECT_EQ(passwordChecks, 1);
    EXPECT_EQ(ui.statuses, (QStringList{QStringLiteral("Opening tables..."),
                                        QStringLiteral("Load table translate currency...")}));
    EXPECT_TRUE(ui.messages.isEmpty());
    for (TableKind kind : {TableKind::Transaction, TableKind::Account, TableKind::Project,
                           TableKind::Category, TableKind::Currency})
        EXPECT_TRUE(s->tables().table(kind).isOpen()) << static_cast<int>(kind);
    EXPECT_FALSE(s->tables().planner().isOpen());
    EXPECT_FALSE(s->tables().scheduled().isOpen());
    const ReportFilter& f = s->filter();
    EXPECT_TRUE(f.isInitialised());
    EXPECT_EQ(f.changeCount(), 1u);
    EXPECT_EQ(f.dateLow(), at(2024, 3, 15, 0, 0, 0, 0));
    EXPECT_EQ(f.dateHigh(), at(2024, 3, 15, 23, 59, 59, 999));
    // Nothing saved: the first code of the Currency table.
    EXPECT_EQ(f.currency(), QStringLiteral("USD"));
    EXPECT_EQ(s->currencies().size(), 2);
    EXPECT_EQ(f.recordedCounts().accounts, 2);
}

TEST_F(ReportSessionTest, TheSavedFilterCurrencyIsTheReportCurrency)
{
    ASSERT_TRUE(
        sumoraIni().writeText(QStringLiteral("filter"), QStringLiteral("Currency"), QStringLiteral("EUR")));
    auto s = session();
    ASSERT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
    EXPECT_EQ(s->filter().currency(), QStringLiteral("EUR"));
}

TEST_F(ReportSessionTest, DefaultCurrencyIsHeldAgainstTheCurrencyList)
{
    struct Case {
        const char* stored;  // nullptr: not in the file
        const char* expected;
    };
    // Unset, the built-in fallback "AFA" is not in the list: the first currency.
    const Case cases[] = {{nullptr, "USD"}, {"EUR", "EUR"}, {"XXX", "USD"}};
    for (const Case& c : cases) {
        if (c.stored) {
            ASSERT_TRUE(sumoraIni().writeText(QStringLiteral("Options"), QStringLiteral("Default Currency"),
                                              QString::fromLatin1(c.stored)));
        }
        auto s = session();
        ASSERT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
        EXPECT_EQ(s->defaultCurrency(), QString::fromLatin1(c.expected)) << (c.stored ? c.stored : "unset");
    }
    // Held, never written back.
    EXPECT_EQ(sumoraIni().readText(QStringLiteral("Options"), QStringLiteral("Default Currency"), {}),
              QStringLiteral("XXX"));
}

TEST_F(ReportSessionTest, NoAccountEndsSilentlyBeforeThePassword)
{
    QTemporaryDir dir;
    {
        std::unique_ptr<ObjectStore> store = ObjectStore::open(dir.filePath(QStringLiteral("tallyra.db")));
        TableSet tables;
        tables.attach(store.get());
        ASSERT_TRUE(tables.openAll());
    }
    ReportSession s(folderAt(dir.path()), clock, ui);
    EXPECT_EQ(s.start(unlocked()), ReportSession::Outcome::NoAccount);
    EXPECT_FALSE(s.isReady());
    EXPECT_EQ(passwordChecks, 0);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(ReportSessionTest, AWrongPasswordEndsSilently)
{
    auto s = session();
    DbTable* asked = nullptr;
    EXPECT_EQ(s->start([&](DbTable& t) {
        asked = &t;
        return false;
    }),
              ReportSession::Outcome::Locked);
    EXPECT_EQ(asked, &s->tables().transactions());
    EXPECT_FALSE(s->isReady());
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_FALSE(s->reactivate());
}

TEST_F(ReportSessionTest, AMissingOrEmptyStoreIsNeverMadeIntoABook)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tallyra.db"));
    for (const bool emptyFile : {false, true}) {
        if (emptyFile) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ScriptedInteraction said;
        ReportSession s(folderAt(dir.path()), clock, said);
        EXPECT_EQ(s.start(unlocked()), ReportSession::Outcome::EngineFailed);
        EXPECT_EQ(said.messages, QStringList{QStringLiteral("Can't init engine databases.")});
        ASSERT_EQ(said.icons.size(), 1u);
        EXPECT_EQ(said.icons[0], Interaction::Icon::Exclamation);
        EXPECT_EQ(QFileInfo::exists(path), emptyFile);
        EXPECT_EQ(QFileInfo(path).size(), 0);
    }
    EXPECT_EQ(passwordChecks, 0);
}

TEST_F(ReportSessionTest, EachMissingSharedTableStopsTheStartUp)
{
    const TableKind shared[] = {TableKind::Transaction, TableKind::Account, TableKind::Project,
                                TableKind::Category, TableKind::Currency};
    for (const TableKind missing : shared) {
        QTemporaryDir dir;
        {
            std::unique_ptr<ObjectStore> store =
                ObjectStore::open(dir.filePath(QStringLiteral("tallyra.db")));
            for (const TableKind kind : shared) {
                if (kind == missing)
                    continue;
                const TableDefinition& spec = TableDefinitions::of(kind);
                ASSERT_NE(store->createDatabase(spec.name, spec.sorts), 0u);
            }
        }
        ScriptedInteraction said;
        ReportSession s(folderAt(dir.path()), clock, said);
        EXPECT_EQ(s.start(unlocked()), ReportSession::Outcome::EngineFailed) << static_cast<int>(missing);
        EXPECT_EQ(said.messages, QStringList{ReportSession::EngineErrorText});
    }
}

TEST_F(ReportSessionTest, PlannerAndScheduledTablesAreNotNeeded)
{
    QTemporaryDir dir;
    {
        std::unique_ptr<ObjectStore> store = ObjectStore::open(dir.filePath(QStringLiteral("tallyra.db")));
        for (const TableKind kind : {TableKind::Transaction, TableKind::Account, TableKind::Project,
                                     TableKind::Category, TableKind::Currency}) {
            const TableDefinition& spec = TableDefinitions::of(kind);
            ASSERT_NE(store->createDatabase(spec.name, spec.sorts), 0u);
        }
        TableSet tables;
        tables.attach(store.get());
        ASSERT_TRUE(tables.openExisting({TableKind::Account}));
        DbTable& a = tables.accounts();
        a.beginNew();
        ASSERT_TRUE(a.setInt(Prop::AccountId, 1) && a.setText(Prop::Name, QStringLiteral("Cash"), true));
    }
    ReportSession s(folderAt(dir.path()), clock, ui);
    EXPECT_EQ(s.start(unlocked()), ReportSession::Outcome::Ready);
    EXPECT_FALSE(QFileInfo::exists(folderAt(dir.path()).reportSettingsPath()));
}

TEST_F(ReportSessionTest, ReactivationSeesTheMainProgramsWritesOnly)
{
    TransactionSpec t;
    t.date = at(2024, 3, 15);
    t.amount = 100;
    rb.addTransaction(t);
    auto s = session();
    ASSERT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
    ASSERT_TRUE(s->filter().addId(ReportFilter::IdKind::Accounts, 2));
    ASSERT_TRUE(s->filter().addId(ReportFilter::IdKind::Accounts, 1));
    EXPECT_FALSE(s->reactivate());

    // The main program (the test book's own connection) deletes account 2.
    DbTable& accounts = rb.tables().accounts();
    ASSERT_TRUE(accounts.seekInt(SeekKind::Equal, 2));
    ASSERT_TRUE(accounts.deleteAt(accounts.position()));

    const quint32 before = s->filter().changeCount();
    EXPECT_TRUE(s->reactivate());
    EXPECT_EQ(s->changesSeen(), 1u);
    EXPECT_EQ(s->filter().ids(ReportFilter::IdKind::Accounts).ids(), std::vector<qint32>{1});
    EXPECT_NE(s->filter().changeCount(), before);
    EXPECT_EQ(s->filter().recordedCounts().accounts, 1);
    // Counts recorded: nothing new the next time.
    EXPECT_FALSE(s->reactivate());

    // A new transaction changes no list but is still a change to report.
    rb.addTransaction(t);
    EXPECT_TRUE(s->reactivate());
    EXPECT_EQ(s->changesSeen(), 2u);
}

TEST_F(ReportSessionTest, FinishWritesTheFilterCurrencyOnlyAfterAReadyStart)
{
    {
        auto s = session();
        ASSERT_EQ(s->start([](DbTable&) { return false; }), ReportSession::Outcome::Locked);
        EXPECT_TRUE(s->finish());
    }
    EXPECT_EQ(
        sumoraIni().readText(QStringLiteral("filter"), QStringLiteral("Currency"), QStringLiteral("none")),
        QStringLiteral("none"));
    auto s = session();
    ASSERT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
    s->filter().setCurrency(QStringLiteral("EUR"));
    EXPECT_TRUE(s->finish());
    EXPECT_FALSE(s->tables().transactions().isOpen());
    EXPECT_EQ(sumoraIni().readText(QStringLiteral("filter"), QStringLiteral("Currency"), {}),
              QStringLiteral("EUR"));
}

TEST_F(ReportSessionTest, StartRunsOnce)
{
    auto s = session();
    ASSERT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
    EXPECT_EQ(s->start(unlocked()), ReportSession::Outcome::Ready);
    EXPECT_EQ(passwordChecks, 1);
    EXPECT_EQ(ui.statuses.size(), 2);
}

}  // namespace
