#include "interchange/QifLineReader.h"
#include "interchange/QifCategorySection.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QStringList readAll(const QByteArray& bytes, const CodePage& page = CodePage::defaultPage())
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QifLineReader reader(buffer, page);
    QStringList lines;
    while (const std::optional<QifLine> line = reader.next())
        lines << line->text;
    return lines;
}

TEST(QifLineReader, EveryLineEndEndsALineAndEmptyLinesAreSkipped)
{
    EXPECT_EQ(readAll("PA\r\nPB\rPC\nPD\fPE"), (QStringList{"PA", "PB", "PC", "PD", "PE"}));
    EXPECT_EQ(readAll(QByteArray("PA\0PB", 5)), (QStringList{"PA", "PB"}));
    EXPECT_EQ(readAll("\r\n\r\n\n  \t \n^\n"), QStringList{"^"});
    EXPECT_EQ(readAll(""), QStringList());
}

TEST(QifLineReader, LinesAreTrimmedOfBlanksOnly)
{
    EXPECT_EQ(readAll("  MGOODS \t\n"), QStringList{"MGOODS"});
    // Blanks after the tag belong to the value.
    EXPECT_EQ(readAll("M   leading\n"), QStringList{"M   leading"});
    // A no-break space (0xA0 in Windows-1252) is text, not a blank.
    EXPECT_EQ(readAll("N\xA0"
                      "Canada \n"),
              QStringList{QStringLiteral("N\u00A0Canada")});
}

TEST(QifLineReader, BytesAreReadInTheCodePage)
{
    EXPECT_EQ(readAll("P\xA3\x99\x80\n"), QStringList{QStringLiteral("P\u00A3\u2122\u20AC")});
    const std::optional<CodePage> utf8 = CodePage::byName(QStringLiteral("UTF-8"));
    ASSERT_TRUE(utf8);
    EXPECT_EQ(readAll("P\xC2\xA3\n", *utf8), QStringList{QStringLiteral("P\u00A3")});
}

// A file written with the UTF-8 mark is UTF-8 whatever the code page, and the
// mark is not read as characters of the first line (which would lose its tag).
TEST(QifLineReader, ByteOrderMarkMakesTheFileUtf8)
{
    EXPECT_EQ(readAll("\xEF\xBB\xBF"
                      "D01/02/2024\nPCaf\xC3\xA9\n^\n"),
              (QStringList{"D01/02/2024", QStringLiteral("PCaf\u00E9"), "^"}));
    EXPECT_EQ(readAll("\xEF\xBB\xBF"), QStringList());
    // Only at the start of the file; elsewhere the bytes are the code page's.
    EXPECT_EQ(readAll("PA\n\xEF\xBB\xBFPB\n"), (QStringList{"PA", QStringLiteral("\u00EF\u00BB\u00BFPB")}));
    // A second pass over the file finds the mark again.
    QBuffer buffer;
    buffer.setData("\xEF\xBB\xBFP\xC3\xA9\n");
    buffer.open(QIODevice::ReadOnly);
    QifLineReader reader(buffer, CodePage::defaultPage());
    ASSERT_EQ(reader.next()->text, QStringLiteral("P\u00E9"));
    ASSERT_TRUE(reader.rewind());
    EXPECT_EQ(reader.next()->text, QStringLiteral("P\u00E9"));
}

TEST(QifLineReader, ALongLineIsCutAndItsRestDropped)
{
    const QByteArray payee(300, 'x');
    // The rest of the memo holds what would read as an amount and an end of record.
    const QByteArray memo = "M" + QByteArray(QifLineReader::MaxLineBytes - 1, 'm') + "T999^";
    const QStringList lines = readAll("P" + payee + "\n" + memo + "\nT1\n^");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "P" + QString(QifLineReader::MaxLineBytes - 1, u'x'));
    EXPECT_EQ(lines[1], "M" + QString(QifLineReader::MaxLineBytes - 1, u'm'));
    EXPECT_EQ(lines[2], "T1");
    EXPECT_EQ(lines[3], "^");
}

TEST(QifLineReader, ALineOfExactlyTheLimitKeepsTheNextLine)
{
    const QByteArray exact(QifLineReader::MaxLineBytes, 'a');
    EXPECT_EQ(readAll(exact + "\nPB"), (QStringList{QString::fromLatin1(exact), "PB"}));
    // A huge line without any end at all is cut once and then ends the file.
    EXPECT_EQ(readAll(QByteArray(1 << 20, 'z')), QStringList{QString(QifLineReader::MaxLineBytes, u'z')});
}

TEST(QifLineReader, RewindReadsTheSameLinesAgain)
{
    QBuffer buffer;
    buffer.setData("!Type:Bank\nD1/2/03\n^\n");
    buffer.open(QIODevice::ReadOnly);
    QifLineReader reader(buffer, CodePage::defaultPage());
    ASSERT_TRUE(reader.next());
    ASSERT_TRUE(reader.next());
    ASSERT_TRUE(reader.rewind());
    EXPECT_EQ(reader.next()->text, "!Type:Bank");
    EXPECT_FALSE(reader.failed());
}

TEST(QifLine, TagIgnoresCaseAndValueIsTheRest)
{
    const QifLine line{QStringLiteral("d12/31/99")};
    EXPECT_TRUE(line.isTag('D'));
    EXPECT_FALSE(line.isTag('P'));
    EXPECT_EQ(line.value(), "12/31/99");
    EXPECT_EQ(QifLine{QStringLiteral("^")}.value(), "");
    EXPECT_TRUE(QifLine{QStringLiteral("!type:cat")}.isTag('!'));
    // Only ASCII letters have a case here: a long s is no split line, a dotless i no "I" line.
    EXPECT_FALSE(QifLine{QStringLiteral("\u017FFood")}.isTag('S'));
    EXPECT_FALSE(QifLine{QStringLiteral("\u0131x")}.isTag('I'));
    EXPECT_EQ(QifLine{QStringLiteral("s")}.tagUpper(), u'S');
}

TEST(QifCategorySection, SkipsFromTypeCatUpToTheNextBang)
{
    QBuffer buffer;
    buffer.setData("!Type:Bank\nD1/1/99\n!type:CAT\nNFood\nD12/31/99\n^\n!Type:Class\nNTrip\n^\n"
                   "!Type:Category\nNX\n!Option:AutoSwitch\nD2/2/02\n");
    buffer.open(QIODevice::ReadOnly);
    QifLineReader reader(buffer, CodePage::defaultPage());
    QifPassLines lines(reader);
    QStringList seen;
    while (const std::optional<QifLine> line = lines.next())
        seen << line->text;
    EXPECT_EQ(seen, (QStringList{"!Type:Bank", "D1/1/99", "!type:CAT", "!Type:Class", "NTrip", "^",
                                 "!Type:Category", "!Option:AutoSwitch", "D2/2/02"}));
}

}  // namespace
