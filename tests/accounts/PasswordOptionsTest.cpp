#include "accounts/PasswordOptions.h"

#include "ScriptedPrompt.h"
#include "accounts/PasswordLockRecord.h"
#include "platform/FixedClock.h"
#include "store/PasswordDigest.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString Differ = QStringLiteral(
    "Please Enter the First and Second Password fields again\nThis fields have to be equivalent.");
const QString TooShort = QStringLiteral("Time must be more or equal one minute.");

const qint64 OldDigest = passwordDigest(u"old");

class PasswordOptionsTest : public ::testing::Test {
protected:
    DbTable& transactions() { return book.tables().transactions(); }
    LockSettings stored() { return PasswordLockRecord::read(transactions()).settings; }
    PasswordOptions::Outcome apply(PasswordOptions& page) { return page.apply(transactions(), lock, ui); }

    TempBook book;
    FixedClock clock{LocalTime{2024, 5, 1}};
    PasswordLock lock{clock};
    ScriptedInteraction ui;
};

struct PageCase {
    const char* name;
    LockSettings current;
    // The page's input; a null text leaves the field as it opened.
    bool passwordChecked;
    const char* first;
    const char* second;
    bool idleChecked;
    const char* minutes;
    PasswordOptions::Outcome outcome;
    LockSettings expected;  // what the record holds afterwards
};

class ApplyTest : public PasswordOptionsTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(ApplyTest, SavesOrRefuses)
{
    const PageCase& c = GetParam();
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), c.current));
    PasswordOptions page(c.current);
    page.setPasswordChecked(c.passwordChecked);
    if (c.first) {
        ASSERT_TRUE(page.setFirstPassword(QString::fromUtf8(c.first)));
    }
    if (c.second) {
        ASSERT_TRUE(page.setSecondPassword(QString::fromUtf8(c.second)));
    }
    page.setIdleChecked(c.idleChecked);
    if (c.minutes)
        page.setIdleMinutes(QString::fromUtf8(c.minutes));

    EXPECT_EQ(apply(page), c.outcome);
    EXPECT_EQ(stored(), c.expected);
    const bool saved = c.outcome == PasswordOptions::Outcome::Saved;
    EXPECT_EQ(page.applyEnabled(), !saved);
    QStringList messages;
    if (c.outcome == PasswordOptions::Outcome::PasswordsDiffer)
        messages << Differ;
    if (c.outcome == PasswordOptions::Outcome::IdleTooShort)
        messages << TooShort;
    EXPECT_EQ(ui.messages, messages);
    EXPECT_EQ(lock.settings(), saved ? c.expected : LockSettings());
}

using O = PasswordOptions::Outcome;
const qint64 NewDigest = passwordDigest(u"new");
constexpr qint32 MaxSeconds = std::numeric_limits<qint32>::max();

INSTANTIATE_TEST_SUITE_P(
    Pages, ApplyTest,
    ::testing::Values(
        PageCase{
            "UncheckedRemovesTheLock", {OldDigest, 300}, false, "new", "new", true, "5", O::Saved, {0, 0}},
        PageCase{"NewPassword", {0, 0}, true, "new", "new", false, nullptr, O::Saved, {NewDigest, 0}},
        PageCase{"NewPasswordAndIdleTime", {0, 0}, true, "new", "new", true, "2", O::Saved, {NewDigest, 120}},
        PageCase{"FractionsOfMinutes", {0, 0}, true, "new", "new", true, "1.5", O::Saved, {NewDigest, 90}},
        PageCase{"CommaAsDecimalPoint", {0, 0}, true, "new", "new", true, "1,5", O::Saved, {NewDigest, 90}},
        PageCase{"ExactlyOneMinute", {0, 0}, true, "new", "new", true, "1", O::Saved, {NewDigest, 60}},
        PageCase{"HugeIdleTimeIsClamped",
                 {0, 0},
                 true,
                 "new",
                 "new",
                 true,
                 "99999999999999",
                 O::Saved,
                 {NewDigest, MaxSeconds}},
        PageCase{"EmptyFieldsKeepThePassword",
                 {OldDigest, 300},
                 true,
                 nullptr,
                 nullptr,
                 true,
                 "10",
                 O::Saved,
                 {OldDigest, 600}},
        PageCase{"EmptyFirstFieldIgnoresTheSecond",
                 {OldDigest, 0},
                 true,
                 "",
                 "other",
                 false,
                 nullptr,
                 O::Saved,
                 {OldDigest, 0}},
        PageCase{"IdleUncheckedClearsTheIdleTime",
                 {OldDigest, 300},
                 true,
                 nullptr,
                 nullptr,
                 false,
                 nullptr,
                 O::Saved,
                 {OldDigest, 0}},
        PageCase{"PasswordsDiffer",
                 {OldDigest, 300},
                 true,
                 "new",
                 "New",
                 true,
                 "5",
                 O::PasswordsDiffer,
                 {OldDigest, 300}},
        PageCase{"SecondFieldEmpty",
                 {OldDigest, 300},
                 true,
                 "new",
                 nullptr,
                 false,
                 nullptr,
                 O::PasswordsDiffer,
                 {OldDigest, 300}},
        PageCase{"HalfAMinuteIsRefused",
                 {OldDigest, 300},
                 true,
                 nullptr,
                 nullptr,
                 true,
                 "0.5",
                 O::IdleTooShort,
                 {OldDigest, 300}},
        PageCase{"ZeroMinutesIsRefused",
                 {OldDigest, 300},
                 true,
                 nullptr,
                 nullptr,
                 true,
                 "0",
                 O::IdleTooShort,
                 {OldDigest, 300}},
        PageCase{"EmptyMinutesIsRefused",
                 {OldDigest, 0},
                 true,
                 nullptr,
                 nullptr,
                 true,
                 "",
                 O::IdleTooShort,
                 {OldDigest, 0}},
        PageCase{"NegativeMinutesIsRefused",
                 {OldDigest, 0},
                 true,
                 nullptr,
                 nullptr,
                 true,
                 "-5",
                 O::IdleTooShort,
                 {OldDigest, 0}},
        PageCase{"PasswordsAreCheckedFirst",
                 {OldDigest, 300},
                 true,
                 "a",
                 "b",
                 true,
                 "0",
                 O::PasswordsDiffer,
                 {OldDigest, 300}}),
    [](const ::testing::TestParamInfo<PageCase>& param) { return std::string(param.param.name); });

TEST_F(PasswordOptionsTest, OpensWithTheCurrentSettings)
{
    const PasswordOptions none({0, 0});
    EXPECT_FALSE(none.passwordChecked());
    EXPECT_FALSE(none.idleChecked());
    EXPECT_FALSE(none.passwordFieldsEnabled());
    EXPECT_FALSE(none.idleCheckEnabled());
    EXPECT_FALSE(none.idleMinutesEnabled());
    EXPECT_FALSE(none.applyEnabled());

    const PasswordOptions set({OldDigest, 90});
    EXPECT_TRUE(set.passwordChecked());
    EXPECT_TRUE(set.idleChecked());
    EXPECT_TRUE(set.idleMinutesEnabled());
    EXPECT_EQ(set.idleMinutes(), QStringLiteral("1.5"));
    EXPECT_TRUE(set.firstPassword().isEmpty());
    EXPECT_FALSE(set.applyEnabled());
}

TEST_F(PasswordOptionsTest, CheckBoxesEnableTheirFields)
{
    PasswordOptions page({0, 0});
    page.setIdleChecked(true);
    EXPECT_FALSE(page.idleMinutesEnabled());  // "Set Password" still off
    page.setPasswordChecked(true);
    EXPECT_TRUE(page.passwordFieldsEnabled());
    EXPECT_TRUE(page.idleCheckEnabled());
    EXPECT_TRUE(page.idleMinutesEnabled());
    page.setIdleChecked(false);
    EXPECT_FALSE(page.idleMinutesEnabled());
    EXPECT_TRUE(page.applyEnabled());
}

TEST_F(PasswordOptionsTest, PasswordFieldsTakeAtMostAHundredCharacters)
{
    PasswordOptions page({0, 0});
    EXPECT_TRUE(page.setFirstPassword(QString(100, u'x')));
    EXPECT_FALSE(page.setFirstPassword(QString(101, u'y')));
    EXPECT_EQ(page.firstPassword(), QString(100, u'x'));
    EXPECT_FALSE(page.setSecondPassword(QString(1, QChar(0))));
    EXPECT_TRUE(page.secondPassword().isEmpty());
}

TEST_F(PasswordOptionsTest, ApplyCountsAsActivityAndWantsTheIdleTimer)
{
    PasswordOptions page({0, 0});
    page.setPasswordChecked(true);
    ASSERT_TRUE(page.setFirstPassword(QStringLiteral("pw")));
    ASSERT_TRUE(page.setSecondPassword(QStringLiteral("pw")));
    page.setIdleChecked(true);
    page.setIdleMinutes(QStringLiteral("3"));
    const quint64 before = lock.activityCount();
    ASSERT_EQ(apply(page), O::Saved);
    EXPECT_GT(lock.activityCount(), before);
    EXPECT_TRUE(lock.idleTimerWanted());
}

TEST_F(PasswordOptionsTest, UncheckingRemovesThePromptAtTheNextStart)
{
    ASSERT_TRUE(PasswordLockRecord::write(transactions(), {OldDigest, 0}));
    PasswordOptions page({OldDigest, 0});
    page.setPasswordChecked(false);
    ASSERT_EQ(apply(page), O::Saved);

    PasswordLock nextRun(clock);
    nextRun.load(transactions(), ui);
    ScriptedPrompt prompt;
    EXPECT_TRUE(nextRun.askAtStartUp(prompt));
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(PasswordOptionsTest, NewPasswordIsAskedAtTheNextStart)
{
    PasswordOptions page({0, 0});
    page.setPasswordChecked(true);
    ASSERT_TRUE(page.setFirstPassword(QStringLiteral("pw")));
    ASSERT_TRUE(page.setSecondPassword(QStringLiteral("pw")));
    ASSERT_EQ(apply(page), O::Saved);

    PasswordLock nextRun(clock);
    nextRun.load(transactions(), ui);
    ScriptedPrompt prompt;
    prompt.type(QStringLiteral("PW"));
    prompt.type(QStringLiteral("pw"));
    EXPECT_TRUE(nextRun.askAtStartUp(prompt));
    EXPECT_EQ(prompt.asked, 2);
}

TEST(IdleMinutesTextTest, ReadsBackToTheSameSeconds)
{
    for (qint32 seconds = 60; seconds <= 20'000; ++seconds)
        ASSERT_EQ(PasswordOptions::idleSecondsOf(PasswordOptions::minutesTextOf(seconds)), seconds)
            << seconds;
    const qint32 max = std::numeric_limits<qint32>::max();
    EXPECT_EQ(PasswordOptions::idleSecondsOf(PasswordOptions::minutesTextOf(max)), max);
}

}  // namespace
