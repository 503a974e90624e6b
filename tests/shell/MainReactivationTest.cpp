#include "shell/MainReactivation.h"

#include "StartedBook.h"
#include "store/RecordLayout.h"

namespace {

FileTime at(int day, int hour, int minute, int second = 0, int ms = 0)
{
    return *fileTimeFromLocal(LocalTime{2024, 3, day, hour, minute, second, ms});
}

// The book started on March 5 at 10:00, with a single plan for March 6 09:00
// written after start-up, as the planner page would.
class MainReactivationTest : public StartedBook {
protected:
    void SetUp() override
    {
        StartedBook::SetUp();
        DbTable& p = m_book.tables().planner();
        p.beginNew();
        p.setInt(Prop::PlannerId, 1);
        p.setInt64(Prop::Date, at(6, 9, 0));
        p.setInt64(Prop::NextDate, at(6, 9, 0));
        p.setText(Prop::Name, QStringLiteral("Rent"));
        p.setInt64(Prop::Amount, -80000);
        p.setInt(Prop::Recurrence, 0);
        p.setInt(Prop::Entries, 1);
        ASSERT_TRUE(p.setText(Prop::CurrencyCode, QStringLiteral("EUR"), true));
    }

    MainReactivation::Outcome activate(const LocalTime& when, MainReactivation::Page shown)
    {
        m_clock.set(when);
        return MainReactivation(m_book, m_clock, m_qlocale, m_ui).run(m_locale, shown);
    }

    QLocale m_qlocale{QLocale::c()};
};

TEST_F(MainReactivationTest, WithinTheHorizonNothingIsBuiltShownOrRefreshed)
{
    ASSERT_EQ(m_book.state().horizon, at(5, 23, 59, 59, 999));
    const quint64 changes = m_book.future().changeCount();
    const MainReactivation::Outcome o =
        activate(LocalTime{2024, 3, 5, 23, 59, 59, 999}, MainReactivation::Page::Register);
    EXPECT_FALSE(o.extended);
    EXPECT_FALSE(o.refresh.has_value());
    EXPECT_EQ(m_book.future().changeCount(), changes);
    EXPECT_EQ(m_book.state().horizon, at(5, 23, 59, 59, 999));
    EXPECT_TRUE(m_ui.messages.isEmpty());
}

TEST_F(MainReactivationTest, PastMidnightTheListGrowsByTheNewDayItsRemindersShowAndTheShownPageRefreshes)
{
    const MainReactivation::Outcome o =
        activate(LocalTime{2024, 3, 6, 0, 0, 30, 0}, MainReactivation::Page::Planner);
    EXPECT_TRUE(o.extended);
    EXPECT_EQ(o.refresh, MainReactivation::Page::Planner);
    EXPECT_EQ(m_book.state().horizon, at(6, 23, 59, 59, 999));
    EXPECT_EQ(m_book.future().entries().size(), 1u);
    ASSERT_EQ(m_ui.messages.size(), 1);
    EXPECT_TRUE(m_ui.messages[0].startsWith(QStringLiteral("Planned Transactions:\n\nRent: ")))
        << m_ui.messages[0].toStdString();

    m_ui = ScriptedInteraction();
    const MainReactivation::Outcome again =
        activate(LocalTime{2024, 3, 6, 18, 0, 0, 0}, MainReactivation::Page::Projects);
    EXPECT_FALSE(again.refresh.has_value()) << "the same day lies within the new horizon";
    EXPECT_TRUE(m_ui.messages.isEmpty()) << "a reminder is shown once";
}

TEST_F(MainReactivationTest, TheLocaleValuesAreReadAgainEveryTime)
{
    m_qlocale = QLocale(QLocale::German, QLocale::Germany);
    const MainReactivation::Outcome o =
        activate(LocalTime{2024, 3, 5, 11, 0, 0, 0}, MainReactivation::Page::Register);
    EXPECT_EQ(o.locale.decimalSeparator, QLatin1Char(','));
    EXPECT_FALSE(o.refresh.has_value());
}

}  // namespace
