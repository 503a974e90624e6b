#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

CodePage page(const char* name)
{
    const std::optional<CodePage> p = CodePage::byName(QString::fromLatin1(name));
    EXPECT_TRUE(p.has_value()) << name;
    return p.value_or(CodePage::defaultPage());
}

using namespace std::literals;

struct EncodeCase {
    std::u16string_view text;
    const char* bytes;  // hex
};

TEST(CodePage, DefaultIsWindows1252)
{
    EXPECT_EQ(CodePage::defaultPage().name(), QStringLiteral("windows-1252"));
    EXPECT_TRUE(CodePage::byName(QStringLiteral("windows-1252")).has_value());
}

TEST(CodePage, Windows1252EncodesWhatItHoldsAndMarksTheRest)
{
    const EncodeCase cases[] = {
        {u""sv, ""},
        {u"Caf\u00e9 \u20ac5"sv, "436166e9208035"},                // é and the euro sign are held
        {u"\u201cquoted\u201d \u2026"sv, "9371756f746564942085"},  // curly quotes, ellipsis
        {u"a\u2603b"sv, "613f62"},                                 // a snowman is not
        {u"\u0100"sv, "3f"},                                       // no best fit: Ā is not A
        {u"\uff21"sv, "3f"},                                       // nor a full-width A
        {u"x\U0001F600y"sv, "783f79"},                             // one mark for a non-BMP character
        {u"\U0001F600\U0001F600"sv, "3f3f"},
        {u"?"sv, "3f"},
        {u"\u00ff\u0000"sv, "ff00"},
    };
    const CodePage cp1252 = page("windows-1252");
    for (const EncodeCase& c : cases) {
        const QString text = QString::fromUtf16(c.text.data(), static_cast<qsizetype>(c.text.size()));
        EXPECT_EQ(cp1252.encode(text).toHex(), QByteArray(c.bytes)) << text.toStdString();
    }
}

TEST(CodePage, LoneSurrogatesBecomeMarks)
{
    const QString text = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00);
    EXPECT_EQ(page("windows-1252").encode(text), QByteArray("a?b?"));
}

TEST(CodePage, DecodesWindows1252)
{
    const CodePage cp1252 = page("windows-1252");
    EXPECT_EQ(cp1252.decode(QByteArray::fromHex("80e9939441")),
              QString::fromUtf16(u"\u20ac\u00e9\u201c\u201dA"));
    EXPECT_EQ(cp1252.decode(QByteArray()), QString());
}

TEST(CodePage, EveryHeldCharacterRoundTrips)
{
    const CodePage cp1252 = page("windows-1252");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = cp1252.decode(all);
    // The five bytes Windows-1252 leaves undefined may come back differently;
    // every defined one must survive the round trip.
    const QByteArray again = cp1252.encode(text);
    ASSERT_EQ(again.size(), 256);
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d)
            continue;
        EXPECT_EQ(static_cast<uchar>(again[b]), b) << b;
    }
}

TEST(CodePage, OtherPagesByName)
{
    const CodePage latin2 = page("ISO-8859-2");
    EXPECT_EQ(latin2.encode(QString::fromUtf16(u"\u0141\u00e9\u20ac")).toHex(), QByteArray("a3e93f"));
    const CodePage cyrillic = page("windows-1251");
    EXPECT_EQ(cyrillic.encode(QString::fromUtf16(u"\u0416\u00e9")).toHex(), QByteArray("c63f"));
    EXPECT_EQ(cyrillic.decode(QByteArray::fromHex("c6")), QString::fromUtf16(u"\u0416"));
}

TEST(CodePage, UnknownNamesAreRejected)
{
    for (const char* name : {"", "garbage", "windows-99999", "cp-nonsense"})
        EXPECT_FALSE(CodePage::byName(QString::fromLatin1(name)).has_value()) << name;
    EXPECT_FALSE(CodePage::byName(QString::fromUtf16(u"windows\u20131252")).has_value());
}

}  // namespace
