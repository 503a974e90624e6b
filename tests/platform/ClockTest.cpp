#include "platform/Clock.h"

#include "platform/FixedClock.h"
#include "platform/SystemClock.h"

#include <gtest/gtest.h>

namespace {

struct GoodMoment {
    const char* text;
    LocalTime expected;
};

TEST(Clock, ParsesMomentsWithAndWithoutMilliseconds)
{
    const GoodMoment cases[] = {
        {"2003-12-05T18:45:00", {2003, 12, 5, 18, 45, 0, 0}},
        {"2003-12-05T18:45:00.000", {2003, 12, 5, 18, 45, 0, 0}},
        {"2003-12-05T18:45:07.009", {2003, 12, 5, 18, 45, 7, 9}},
        {"1601-01-01T00:00:00", {1601, 1, 1, 0, 0, 0, 0}},
        {"9999-12-31T23:59:59.999", {9999, 12, 31, 23, 59, 59, 999}},
        {"2024-02-29T12:00:00", {2024, 2, 29, 12, 0, 0, 0}},
        {"2000-02-29T00:00:00", {2000, 2, 29, 0, 0, 0, 0}},
    };
    for (const GoodMoment& c : cases) {
        const std::optional<LocalTime> t = Clock::parseMoment(QString::fromLatin1(c.text));
        ASSERT_TRUE(t.has_value()) << c.text;
        EXPECT_EQ(*t, c.expected) << c.text;
    }
}

TEST(Clock, RejectsMalformedMoments)
{
    const char* const cases[] = {
        "",
        "garbage",
        "2003-12-05",
        "2003-12-05T18:45",
        "2003-12-05 18:45:00",
        "2003-12-05t18:45:00",
        "2003/12/05T18:45:00",
        "2003-12-05T18:45:00.",
        "2003-12-05T18:45:00.1",
        "2003-12-05T18:45:00.12",
        "2003-12-05T18:45:00.1234",
        "2003-12-05T18:45:00,123",
        "2003-12-05T18:45:00Z",
        " 2003-12-05T18:45:00",
        "2003-12-05T18:45:00 ",
        "03-12-05T18:45:00.000",
        "+2003-12-5T18:45:00",
        "2003-1a-05T18:45:00",
        "2003-13-05T18:45:00",
        "2003-00-05T18:45:00",
        "2003-12-00T18:45:00",
        "2003-02-29T18:45:00",
        "1900-02-29T18:45:00",
        "2003-04-31T18:45:00",
        "2003-12-05T24:00:00",
        "2003-12-05T18:60:00",
        "2003-12-05T18:45:60",
        "1600-12-31T23:59:59",
        "0000-01-01T00:00:00",
    };
    for (const char* text : cases)
        EXPECT_FALSE(Clock::parseMoment(QString::fromLatin1(text)).has_value()) << '"' << text << '"';
}

TEST(Clock, RejectsNonAsciiDigits)
{
    // Arabic-Indic digits are digits to Unicode but not to the --now format.
    QString text = QStringLiteral("2003-12-05T18:45:00");
    text[3] = QChar(0x0663);
    EXPECT_FALSE(Clock::parseMoment(text).has_value());
}

TEST(Clock, FormatReadsBackToTheSameMoment)
{
    const LocalTime moments[] = {
        {1601, 1, 1, 0, 0, 0, 0}, {2003, 12, 5, 8, 5, 3, 7}, {9999, 12, 31, 23, 59, 59, 999}};
    for (const LocalTime& t : moments) {
        const QString text = Clock::formatMoment(t);
        EXPECT_EQ(text.size(), 23) << text.toStdString();
        EXPECT_EQ(Clock::parseMoment(text), t) << text.toStdString();
    }
    EXPECT_EQ(Clock::formatMoment({2003, 12, 5, 8, 5, 3, 7}), QStringLiteral("2003-12-05T08:05:03.007"));
}

struct Advance {
    LocalTime from;
    qint64 ms;
    LocalTime expected;
};

TEST(FixedClock, AdvanceCarriesThroughTheCalendar)
{
    const Advance cases[] = {
        {{2003, 12, 5, 18, 45, 0, 0}, 0, {2003, 12, 5, 18, 45, 0, 0}},
        {{2003, 12, 5, 18, 45, 0, 999}, 1, {2003, 12, 5, 18, 45, 1, 0}},
        {{2003, 12, 31, 23, 59, 59, 999}, 1, {2004, 1, 1, 0, 0, 0, 0}},
        {{2004, 2, 28, 12, 0, 0, 0}, 24LL * 3600 * 1000, {2004, 2, 29, 12, 0, 0, 0}},
        {{2003, 2, 28, 12, 0, 0, 0}, 24LL * 3600 * 1000, {2003, 3, 1, 12, 0, 0, 0}},
        {{2004, 1, 1, 0, 0, 0, 0}, -1, {2003, 12, 31, 23, 59, 59, 999}},
        {{2003, 12, 5, 0, 0, 0, 0}, -15 * 60 * 1000, {2003, 12, 4, 23, 45, 0, 0}},
        {{2003, 12, 5, 18, 45, 0, 0}, 366LL * 24 * 3600 * 1000, {2004, 12, 5, 18, 45, 0, 0}},
    };
    for (const Advance& c : cases) {
        FixedClock clock(c.from, 1000);
        clock.advanceMs(c.ms);
        EXPECT_EQ(clock.now(), c.expected) << Clock::formatMoment(c.from).toStdString() << " + " << c.ms;
        EXPECT_EQ(clock.ticksMs(), 1000 + c.ms);
    }
}

TEST(FixedClock, ReadsTheMomentItWasSetTo)
{
    FixedClock clock({2003, 12, 5, 18, 45, 0, 0});
    EXPECT_EQ(clock.now(), (LocalTime{2003, 12, 5, 18, 45, 0, 0}));
    EXPECT_EQ(clock.ticksMs(), 0);
    clock.set({1999, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(clock.now(), (LocalTime{1999, 1, 2, 3, 4, 5, 6}));
}

TEST(SystemClock, PinnedClockReadsTheSameMomentWhileTicksRun)
{
    const LocalTime pin{2003, 12, 5, 18, 45, 0, 0};
    SystemClock clock(pin);
    EXPECT_TRUE(clock.isPinned());
    const qint64 before = clock.ticksMs();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(clock.now(), pin);
    EXPECT_GE(clock.ticksMs(), before);
}

TEST(SystemClock, UnpinnedClockReadsARealMoment)
{
    SystemClock clock;
    EXPECT_FALSE(clock.isPinned());
    const LocalTime t = clock.now();
    EXPECT_TRUE(Clock::parseMoment(Clock::formatMoment(t)).has_value());
    EXPECT_GE(t.year, 2024);
}

}  // namespace
