#include "shell/CheckCommand.h"

#include "accounts/AccountList.h"
#include "platform/FixedClock.h"
#include "reference/BuiltInCurrencies.h"
#include "shell/DemoCommand.h"
#include "shell/StartUp.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CashFirst : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView) override
    {
        return AccountDraft{QStringLiteral("Cash"), BuiltInCurrencies::firstRowOf(u"USD"), Money()};
    }
};

// A new book opened by the main program's start-up, then filled by the demo:
// the whole book check must find it sound, and must find each kind of damage.
class CheckCommandTest : public ::testing::Test {
protected:
    CheckCommandTest()
        : m_folder(*BookFolder::open(m_dir.path())), m_clock(LocalTime{2024, 3, 5, 10, 0, 0, 0}),
          m_book(std::make_unique<MainBook>(m_folder))
    {
        StartUp startUp(*m_book, m_clock, m_ui, m_first,
                        StartUp::standardHooks(*m_book, m_clock, m_locale, m_ui));
        EXPECT_EQ(startUp.run(), StartUp::Outcome::Ready);
    }
    bool fill()
    {
        QString error;
        const bool filled = DemoCommand::fill(*m_book, m_clock, m_locale, &error);
        m_error = error;
        return filled;
    }
    QStringList problems() { return CheckCommand::bookProblems(*m_book); }
    TableSet& tables() { return m_book->tables(); }
    bool anyStartsWith(const QStringList& lines, const QString& start)
    {
        for (const QString& line : lines) {
            if (line.startsWith(start))
                return true;
        }
        return false;
    }

    QTemporaryDir m_dir;
    BookFolder m_folder;
    FixedClock m_clock;
    LocaleValues m_locale;
    ScriptedInteraction m_ui;
    CashFirst m_first;
    std::unique_ptr<MainBook> m_book;
    QString m_error;
};

TEST_F(CheckCommandTest, TheDemoBookIsSound)
{
    ASSERT_TRUE(fill()) << m_error.toStdString();
    EXPECT_EQ(problems(), QStringList());
    EXPECT_EQ(AccountList(tables().accounts()).count(), 3);
    EXPECT_GT(tables().scheduled().count(), 3);
}

TEST_F(CheckCommandTest, AMissingFutureEntryIsReported)
{
    ASSERT_TRUE(fill()) << m_error.toStdString();
    DbTable& scheduled = tables().scheduled();
    ASSERT_TRUE(scheduled.deleteAt(0));
    EXPECT_FALSE(problems().isEmpty());
}

TEST_F(CheckCommandTest, ACorruptedProjectTotalIsReported)
{
    ASSERT_TRUE(fill()) << m_error.toStdString();
    const qint32 renovation = m_book->projects().findByPath(QStringLiteral("Home:Renovation"));
    ASSERT_GT(renovation, 0);
    DbTable& projects = tables().projects();
    ASSERT_TRUE(projects.seekInt(SeekKind::Equal, renovation));
    ASSERT_EQ(projects.getInt(Prop::TotalsValid), 1);
    ASSERT_TRUE(projects.setInt64(Prop::OwnPayments, 1));
    EXPECT_TRUE(
        anyStartsWith(problems(), QStringLiteral("project %1 (Renovation): own payments").arg(renovation)))
        << problems().join(u'\n').toStdString();
}

TEST_F(CheckCommandTest, ADemoThatFailsHalfWayLeavesNothingBehind)
{
    int writes = 0;
    m_book->store()->setWriteFault([&writes] { return ++writes > 60; });
    EXPECT_FALSE(fill());
    EXPECT_FALSE(m_error.isEmpty());
    m_book->store()->setWriteFault(nullptr);
    EXPECT_EQ(tables().accounts().count(), 1) << "only the first account, made at start-up";
    EXPECT_EQ(tables().transactions().count(), 0);
    EXPECT_EQ(tables().planner().count(), 0);
    EXPECT_EQ(tables().scheduled().count(), 0);
    EXPECT_EQ(m_book->state().horizon, 0) << "so the next start rebuilds the list";
}

}  // namespace
