#include "store/PasswordDigest.h"

#include <gtest/gtest.h>

namespace {

struct DigestCase {
    QString password;
    qint64 expected;
};

TEST(PasswordDigest, WeighsEachCodeByHundredMinusItsIndex)
{
    const DigestCase cases[] = {
        {QString(), 0},
        {QStringLiteral("a"), 100 * 97},
        {QStringLiteral("ab"), 100 * 97 + 99 * 98},
        {QStringLiteral("ba"), 100 * 98 + 99 * 97},
        {QString(QChar(0x20AC)), 100 * 0x20AC},
        {QString(QChar(0xFFFF)), 100 * 0xFFFF},
        {QString(100, QLatin1Char('a')), 97 * 5050},
        // The 101st character has weight 0, and later ones count against the sum.
        {QString(100, QLatin1Char('a')) + QLatin1Char('z'), 97 * 5050},
        {QString(100, QLatin1Char('a')) + QStringLiteral("zb"), 97 * 5050 - 98},
    };
    for (const DigestCase& c : cases)
        EXPECT_EQ(passwordDigest(c.password), c.expected) << c.password.toStdString();
}

TEST(PasswordDigest, OrderOfCharactersMatters)
{
    EXPECT_NE(passwordDigest(u"secret"), passwordDigest(u"terces"));
}

TEST(PasswordDigest, LongPasswordCanDigestToNoPassword)
{
    EXPECT_EQ(passwordDigest(QString(201, QLatin1Char('a'))), 0);
}

TEST(PasswordDigest, FieldsTakeAtMostAHundredCharacters)
{
    EXPECT_TRUE(isAcceptablePassword(u""));
    EXPECT_TRUE(isAcceptablePassword(u"secret"));
    EXPECT_TRUE(isAcceptablePassword(QString(MaxPasswordLength, QChar(0xFFFF))));

    const QString refused[] = {QString(MaxPasswordLength + 1, QLatin1Char('a')),
                               QString(201, QLatin1Char('a')), QString(1, QChar(0)), QString(5, QChar(0))};
    for (const QString& password : refused)
        EXPECT_FALSE(isAcceptablePassword(password)) << password.size();
}

}  // namespace
