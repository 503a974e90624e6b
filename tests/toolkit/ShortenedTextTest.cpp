#include "toolkit/ShortenedText.h"

#include <gtest/gtest.h>

namespace {

// Every character 5 pixels wide, except 'W' (9) and '.' (2): "..." is 6.
int measure(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c == u'W' ? 9 : c == u'.' ? 2 : 5;
    return width;
}

struct FitCase {
    const char* text;
    int cellWidth;
    const char* shown;
};

TEST(ShortenedText, KeepsTheLongestPrefixThatFitsWithDots)
{
    const FitCase cases[] = {
        {"abcdef", 33, "abcdef"},    // exactly the cell less 3 pixels: drawn whole
        {"abcdef", 32, "abcd..."},   // 29 free: four letters and "..."
        {"abcdef", 31, "abcd..."},   // 28 free: 20 + 6 still fits
        {"abcdef", 28, "abc..."},    // 25 free
        {"WWWWaa", 40, "WWW..."},    // wide letters: the guess is walked down
        {"aaaaWW", 40, "aaaaW..."},  // narrow letters first: the guess is walked up
        {"abcdef", 9, "..."},        // only "..." fits
        {"abcdef", 8, "abcd"},       // not even "...": at most four characters
        {"abc", 2, "abc"},           // ... and a shorter text stays as it is
        {"", 0, ""},
    };
    for (const FitCase& c : cases) {
        EXPECT_EQ(ShortenedText::fit(QString::fromLatin1(c.text), c.cellWidth, measure),
                  QString::fromLatin1(c.shown))
            << c.text << " in " << c.cellWidth;
    }
}

TEST(ShortenedText, AFontWithoutWidthsNeverLoops)
{
    const auto zero = [](const QString&) { return 0; };
    EXPECT_EQ(ShortenedText::fit(QStringLiteral("abc"), 10, zero), QStringLiteral("abc"));
    const auto huge = [](const QString& t) { return t.isEmpty() ? 0 : 1000; };
    EXPECT_EQ(ShortenedText::fit(QStringLiteral("abcdef"), 10, huge), QStringLiteral("abcd"));
}

}  // namespace
