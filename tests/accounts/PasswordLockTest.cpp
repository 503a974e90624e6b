#include "accounts/PasswordLock.h"

#include "ScriptedPrompt.h"
#include "platform/FixedClock.h"
#include "store/PasswordDigest.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString Secret = QStringLiteral("open sesame");
const QString LockOut = QStringLiteral("Program is Locked!!!\nTo Close the program Press RESET.");

class PasswordLockTest : public ::testing::Test {
protected:
    void protect(qint32 idleSeconds) { lock.setSettings({passwordDigest(Secret), idleSeconds}); }
    void typeWrong(int times)
    {
        for (int i = 0; i < times; ++i)
            prompt.type(QStringLiteral("wrong"));
    }

    FixedClock clock{LocalTime{2024, 5, 1, 12, 0, 0, 0}, 1'000'000};
    PasswordLock lock{clock};
    ScriptedPrompt prompt;
};

TEST_F(PasswordLockTest, StartUpWithoutPasswordAsksNothing)
{
    EXPECT_TRUE(lock.askAtStartUp(prompt));
    EXPECT_EQ(prompt.asked, 0);
}

struct StartUpCase {
    const char* name;
    int wrongFirst;
    bool thenRight;
    bool thenCancel;
    bool opens;
    int asked;
};

class StartUpTest : public PasswordLockTest, public ::testing::WithParamInterface<StartUpCase> {};

TEST_P(StartUpTest, GivesFiveTries)
{
    const auto& c = GetParam();
    protect(0);
    typeWrong(c.wrongFirst);
    if (c.thenRight) {
        prompt.type(Secret);
    }
    if (c.thenCancel) {
        prompt.cancel();
    }
    EXPECT_EQ(lock.askAtStartUp(prompt), c.opens);
    EXPECT_EQ(prompt.asked, c.asked);
    EXPECT_FALSE(lock.isLockedOut());  // at start-up the program just ends
    EXPECT_TRUE(prompt.lockOutTexts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Tries, StartUpTest,
    ::testing::Values(StartUpCase{"RightAtOnce", 0, true, false, true, 1},
                      StartUpCase{"RightAtTheFifth", 4, true, false, true, 5},
                      StartUpCase{"FiveWrong", 5, true, false, false, 5},
                      StartUpCase{"CancelEndsAtOnce", 0, false, true, false, 1},
                      StartUpCase{"CancelAfterTwoWrong", 2, false, true, false, 3},
                      StartUpCase{"UnansweredPromptIsCancel", 0, false, false, false, 1}),
    [](const ::testing::TestParamInfo<StartUpCase>& param) { return std::string(param.param.name); });

TEST_F(PasswordLockTest, EmptyTextIsAWrongPassword)
{
    protect(0);
    for (int i = 0; i < 5; ++i)
        prompt.type(QString());
    prompt.type(Secret);
    EXPECT_FALSE(lock.askAtStartUp(prompt));
    EXPECT_EQ(prompt.asked, 5);
}

TEST_F(PasswordLockTest, AnyTextWithTheSameDigestOpens)
{
    const QString a = QString::fromUtf16(u"\u00A4A");
    const QString b = QString::fromUtf16(u"A\u00A5");
    ASSERT_EQ(passwordDigest(a), passwordDigest(b));
    lock.setSettings({passwordDigest(a), 0});
    prompt.type(b);
    EXPECT_TRUE(lock.askAtStartUp(prompt));
}

TEST_F(PasswordLockTest, IdleLockFallsDueAfterTheIdleTime)
{
    protect(60);
    lock.idleCheck(prompt);  // arms the deadline
    clock.advanceMs(59'999);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 0);
    clock.advanceMs(1);
    prompt.type(Secret);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.events, (QStringList{"hide", "ask", "show"}));
}

TEST_F(PasswordLockTest, ActivityPushesTheDeadlineBack)
{
    protect(60);
    lock.idleCheck(prompt);
    clock.advanceMs(30'000);
    lock.noteActivity();
    lock.idleCheck(prompt);  // sees the activity: deadline now + 60 s
    clock.advanceMs(45'000);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 0);
    clock.advanceMs(15'000);
    prompt.type(Secret);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 1);
}

TEST_F(PasswordLockTest, UnlockingStartsANewIdlePeriod)
{
    protect(60);
    lock.idleCheck(prompt);
    clock.advanceMs(60'000);
    prompt.type(Secret);
    lock.idleCheck(prompt);
    clock.advanceMs(59'000);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 1);
    clock.advanceMs(1'000);
    prompt.type(Secret);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 2);
}

struct InactiveCase {
    const char* name;
    LockSettings settings;
};

class InactiveIdleLockTest : public PasswordLockTest, public ::testing::WithParamInterface<InactiveCase> {};

TEST_P(InactiveIdleLockTest, NeverLocks)
{
    lock.setSettings(GetParam().settings);
    EXPECT_FALSE(lock.idleTimerWanted());
    for (int i = 0; i < 10; ++i) {
        lock.idleCheck(prompt);
        clock.advanceMs(3'600'000);
    }
    EXPECT_TRUE(prompt.events.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Settings, InactiveIdleLockTest,
                         ::testing::Values(InactiveCase{"NoPassword", {0, 60}},
                                           InactiveCase{"NoIdleTime", {passwordDigest(Secret), 0}},
                                           InactiveCase{"NegativeIdleTime", {passwordDigest(Secret), -60}}),
                         [](const ::testing::TestParamInfo<InactiveCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(PasswordLockTest, ActivatingTheIdleLockLaterStartsAFreshPeriod)
{
    protect(0);
    lock.idleCheck(prompt);
    clock.advanceMs(600'000);
    protect(60);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(PasswordLockTest, LargestIdleTimeDoesNotOverflowTheDeadline)
{
    FixedClock late(LocalTime{2024, 5, 1}, std::numeric_limits<qint64>::max() - 1000);
    PasswordLock farLock(late);
    farLock.setSettings({passwordDigest(Secret), std::numeric_limits<qint32>::max()});
    farLock.idleCheck(prompt);
    late.advanceMs(999);
    farLock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 0);
}

TEST_F(PasswordLockTest, WrongPasswordAtTheIdleLockLocksOutForGood)
{
    protect(60);
    lock.idleCheck(prompt);
    clock.advanceMs(60'000);
    typeWrong(5);
    lock.idleCheck(prompt);
    EXPECT_TRUE(lock.isLockedOut());
    EXPECT_EQ(prompt.lockOutTexts, QStringList{LockOut});
    EXPECT_FALSE(prompt.events.contains(QStringLiteral("show")));

    // Nothing brings the window back: not the right password, not lock now.
    prompt.type(Secret);
    lock.idleCheck(prompt);
    lock.lockNow(prompt);
    lock.noteActivity();
    lock.idleCheck(prompt);
    EXPECT_FALSE(lock.askAtStartUp(prompt));
    lock.setSettings({0, 0});
    lock.idleCheck(prompt);
    EXPECT_TRUE(lock.isLockedOut());
    EXPECT_EQ(prompt.asked, 5);
    EXPECT_FALSE(prompt.events.contains(QStringLiteral("show")));
    EXPECT_EQ(prompt.lockOutTexts.size(), 6);
}

TEST_F(PasswordLockTest, CancelAtTheIdleLockLocksOut)
{
    protect(60);
    lock.idleCheck(prompt);
    clock.advanceMs(60'000);
    prompt.cancel();
    lock.idleCheck(prompt);
    EXPECT_TRUE(lock.isLockedOut());
    EXPECT_EQ(prompt.events, (QStringList{"hide", "ask", "lockout"}));
}

TEST_F(PasswordLockTest, LockNowAsksAtOnce)
{
    protect(0);
    prompt.type(Secret);
    lock.lockNow(prompt);
    EXPECT_EQ(prompt.events, (QStringList{"hide", "ask", "show"}));
    EXPECT_FALSE(lock.isLockedOut());
}

TEST_F(PasswordLockTest, LockNowWithoutPasswordDoesNothing)
{
    lock.lockNow(prompt);
    EXPECT_TRUE(prompt.events.isEmpty());
}

TEST_F(PasswordLockTest, LockNowRestartsTheIdlePeriod)
{
    protect(60);
    lock.idleCheck(prompt);
    clock.advanceMs(50'000);
    prompt.type(Secret);
    lock.lockNow(prompt);
    clock.advanceMs(50'000);
    lock.idleCheck(prompt);
    EXPECT_EQ(prompt.asked, 1);
}

TEST_F(PasswordLockTest, LockNowWithFiveWrongLocksOut)
{
    protect(0);
    typeWrong(5);
    lock.lockNow(prompt);
    EXPECT_TRUE(lock.isLockedOut());
    EXPECT_EQ(prompt.lockOutTexts, QStringList{LockOut});
}

TEST_F(PasswordLockTest, NewSettingsCountAsActivity)
{
    const quint64 before = lock.activityCount();
    protect(60);
    EXPECT_GT(lock.activityCount(), before);
}

}  // namespace
