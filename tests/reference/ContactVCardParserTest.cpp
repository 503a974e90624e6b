#include "reference/ContactVCardParser.h"

#include "ContactCardPrinter.h"

#include <gtest/gtest.h>

namespace {

using Status = ContactStoreResult::Status;

ContactStoreResult parse(QByteArrayView bytes)
{
    return ContactVCardParser(CodePage::defaultPage()).parse(bytes);
}

struct CardCase {
    const char* what;
    QByteArray bytes;
    ContactCard expected;
};

void expectSingleCard(const CardCase& c)
{
    const ContactStoreResult result = parse(c.bytes);
    ASSERT_EQ(result.status, Status::Read) << c.what;
    ASSERT_EQ(result.cards.size(), 1) << c.what;
    EXPECT_EQ(result.cards.first(), c.expected) << c.what;
}

TEST(ContactVCardParser, ReadsTheCardsOfEachVersion)
{
    const CardCase cases[] = {
        {"2.1 with bare types",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Smith;John;Quincy;Dr.;Jr.\r\nORG:Acme Ltd;Sales\r\n"
         "TEL;WORK;VOICE:555-0100\r\nTEL;HOME;VOICE:555-0101\r\nTEL;CELL:555-0102\r\n"
         "TEL;PAGER:555-0103\r\nEND:VCARD\r\n",
         {.firstName = "John",
          .middleName = "Quincy",
          .lastName = "Smith",
          .company = "Acme Ltd",
          .work = "555-0100",
          .mobile = "555-0102",
          .pager = "555-0103",
          .home = "555-0101"}},
        {"2.1 with TYPE= parameters",
         "BEGIN:VCARD\nVERSION:2.1\nN:Roe;Jane\nTEL;TYPE=WORK:1\nEND:VCARD\n",
         {.firstName = "Jane", .lastName = "Roe", .work = "1"}},
        {"3.0 with a type list",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Ann;;;\r\nFN:Ann Doe\r\n"
         "TEL;TYPE=work,voice:+1 555 0200\r\nTEL;TYPE=HOME:+1 555 0201\r\nEND:VCARD\r\n",
         {.firstName = "Ann", .lastName = "Doe", .work = "+1 555 0200", .home = "+1 555 0201"}},
        {"3.0 with repeated TYPE parameters",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Ann\r\nTEL;TYPE=cell;TYPE=voice:0170\r\nEND:VCARD\r\n",
         {.firstName = "Ann", .lastName = "Doe", .mobile = "0170"}},
        {"4.0 with a quoted type list and a tel URI",
         "BEGIN:VCARD\r\nVERSION:4.0\r\nN:Perreault;Simon;;;ing. jr,M.Sc.\r\nFN:Simon Perreault\r\n"
         "TEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+1-418-656-9254;ext=102\r\n"
         "TEL;VALUE=uri;TYPE=\"work,cell,voice,video,text\":tel:+1-418-262-6501\r\nEND:VCARD\r\n",
         {.firstName = "Simon",
          .lastName = "Perreault",
          .work = "+1-418-656-9254 ext. 102",
          .mobile = "+1-418-262-6501"}},
        {"property groups",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Kim;;;\r\nitem1.TEL;type=pref:555-9\r\n"
         "item1.X-ABLabel:_$!<Other>!$_\r\nitem2.ORG:Kim's\r\nEND:VCARD\r\n",
         {.firstName = "Kim", .lastName = "Lee", .company = "Kim's", .home = "555-9"}},
        {"lower-case names and marks",
         "begin:vcard\nversion:3.0\nn:Low;Case\ntel;type=work:7\nend:vcard\n",
         {.firstName = "Case", .lastName = "Low", .work = "7"}},
        {"no version at all",
         "BEGIN:VCARD\nN:Plain;Pat\nEND:VCARD\n",
         {.firstName = "Pat", .lastName = "Plain"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, FillsTheSecondSlotWithTheSecondNumberOfAKind)
{
    const CardCase cases[] = {
        {"two work, two home, extra dropped",
         "BEGIN:VCARD\nVERSION:3.0\nN:A;B\nTEL;TYPE=work:w1\nTEL;TYPE=home:h1\nTEL;TYPE=work:w2\n"
         "TEL;TYPE=work:w3\nTEL;TYPE=home:h2\nTEL;TYPE=home:h3\nEND:VCARD\n",
         {.firstName = "B",
          .lastName = "A",
          .work = "w1",
          .secondWork = "w2",
          .home = "h1",
          .secondHome = "h2"}},
        {"a second mobile and pager have no slot",
         "BEGIN:VCARD\nVERSION:3.0\nN:A;B\nTEL;TYPE=cell:m1\nTEL;TYPE=cell:m2\nTEL;TYPE=pager:p1\n"
         "TEL;TYPE=pager:p2\nEND:VCARD\n",
         {.firstName = "B", .lastName = "A", .mobile = "m1", .pager = "p1"}},
        {"untyped numbers fill the home slots left free",
         "BEGIN:VCARD\nVERSION:3.0\nN:A;B\nTEL:o1\nTEL;TYPE=home:h1\nTEL;TYPE=voice:o2\nEND:VCARD\n",
         {.firstName = "B", .lastName = "A", .home = "h1", .secondHome = "o1"}},
        {"fax numbers are left out, a pager wins over work",
         "BEGIN:VCARD\nVERSION:2.1\nN:A;B\nTEL;WORK;FAX:f1\nTEL;HOME;FAX:f2\nTEL;WORK;PAGER:p1\nEND:VCARD\n",
         {.firstName = "B", .lastName = "A", .pager = "p1"}},
        {"an empty number takes no slot",
         "BEGIN:VCARD\nVERSION:3.0\nN:A;B\nTEL;TYPE=work:\nTEL;TYPE=work:  \nTEL;TYPE=work:w\nEND:VCARD\n",
         {.firstName = "B", .lastName = "A", .work = "w"}},
        {"a tel URI without VALUE=uri",
         "BEGIN:VCARD\nVERSION:4.0\nN:A;B\nTEL;TYPE=home:TEL:+44 20;phone-context=x\nEND:VCARD\n",
         {.firstName = "B", .lastName = "A", .home = "+44 20"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, TakesNamesFromNThenFromFn)
{
    const CardCase cases[] = {
        {"FN only", "BEGIN:VCARD\nVERSION:3.0\nFN:Cher\nEND:VCARD\n", {.firstName = "Cher"}},
        {"N without names falls back to FN",
         "BEGIN:VCARD\nVERSION:3.0\nN:;;;;\nFN:Mr Nobody\nEND:VCARD\n",
         {.firstName = "Mr Nobody"}},
        {"FN repeating the company is no name",
         "BEGIN:VCARD\nVERSION:3.0\nN:;;;;\nFN:Acme\nORG:Acme;\nEND:VCARD\n",
         {.company = "Acme"}},
        {"N wins over FN",
         "BEGIN:VCARD\nVERSION:3.0\nFN:Whole Name\nN:Last;;;;\nEND:VCARD\n",
         {.lastName = "Last"}},
        {"the first N counts",
         "BEGIN:VCARD\nVERSION:3.0\nN:One;A\nN:Two;B\nEND:VCARD\n",
         {.firstName = "A", .lastName = "One"}},
        {"4.0 name lists are joined by blanks",
         "BEGIN:VCARD\nVERSION:4.0\nN:Stevenson;John;Philip,Paul;Dr.;Jr.,M.D.\nEND:VCARD\n",
         {.firstName = "John", .middleName = "Philip Paul", .lastName = "Stevenson"}},
        {"2.1 keeps a comma in a name",
         "BEGIN:VCARD\nVERSION:2.1\nN:Stevenson;John;Philip,Paul\nEND:VCARD\n",
         {.firstName = "John", .middleName = "Philip,Paul", .lastName = "Stevenson"}},
        {"VERSION after N still decides",
         "BEGIN:VCARD\nN:S;J;P,Q\nVERSION:3.0\nEND:VCARD\n",
         {.firstName = "J", .middleName = "P Q", .lastName = "S"}},
        {"blanks around fields go",
         "BEGIN:VCARD\nVERSION:3.0\nN:  Pad ; Ded \nORG:  Co  \nEND:VCARD\n",
         {.firstName = "Ded", .lastName = "Pad", .company = "Co"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, UndoesEscapes)
{
    const CardCase cases[] = {
        {"escaped separators",
         "BEGIN:VCARD\nVERSION:3.0\nN:O\\;Neil;Mary\\, Ann\nORG:Smith\\, Jones & Co\\;Legal\nEND:VCARD\n",
         {.firstName = "Mary, Ann", .lastName = "O;Neil", .company = "Smith, Jones & Co;Legal"}},
        {"a line break in a value becomes a blank",
         "BEGIN:VCARD\nVERSION:3.0\nORG:First\\nSecond\\NThird\nEND:VCARD\n",
         {.company = "First Second Third"}},
        {"an escaped backslash, an unknown escape kept",
         "BEGIN:VCARD\nVERSION:2.1\nORG:Back\\\\slash C:\\temp\nEND:VCARD\n",
         {.company = "Back\\slash C:\\temp"}},
        {"a trailing backslash stays",
         "BEGIN:VCARD\nVERSION:3.0\nORG:End\\\nEND:VCARD\n",
         {.company = "End\\"}},
        {"a quoted parameter may hold ':' and ';'",
         "BEGIN:VCARD\nVERSION:4.0\nORG;X-NOTE=\"a:b;c\":Quoted\nEND:VCARD\n",
         {.company = "Quoted"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, UnfoldsLines)
{
    const CardCase cases[] = {
        {"3.0 drops the fold blank",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Bart;Cris\r\n topher\r\nORG:Ac\r\n\tme\r\nEND:VCARD\r\n",
         {.firstName = "Cristopher", .lastName = "Bart", .company = "Acme"}},
        {"2.1 keeps it",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Bart;Cris\r\n topher\r\nEND:VCARD\r\n",
         {.firstName = "Cris topher", .lastName = "Bart"}},
        {"LF line ends and a fold inside the name",
         "BEGIN:VCARD\nVERSION:3.0\nO\n RG:Folded\nEND:VCARD\n",
         {.company = "Folded"}},
        {"lone CR line ends",
         "BEGIN:VCARD\rVERSION:3.0\rN:Mac;Old\rEND:VCARD\r",
         {.firstName = "Old", .lastName = "Mac"}},
        {"no line end after END",
         "BEGIN:VCARD\nN:Last;Line\nEND:VCARD",
         {.firstName = "Line", .lastName = "Last"}},
        {"a 3.0 fold across a UTF-8 character",
         "BEGIN:VCARD\nVERSION:3.0\nN:M\xC3\r\n \xBCller;Jo\nEND:VCARD\n",
         {.firstName = "Jo", .lastName = "M\u00fcller"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, DecodesQuotedPrintableAndCharsets)
{
    const CardCase cases[] = {
        {"2.1 QP with UTF-8 and a soft line break",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCl=\r\nler;J=C3="
         "B6rg\r\n"
         "END:VCARD\r\n",
         {.firstName = "J\u00f6rg", .lastName = "M\u00fcller"}},
        {"bare QUOTED-PRINTABLE word, Latin-1",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nORG;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:Caf=E9 =3D "
         "Bar\r\nEND:VCARD\r\n",
         {.company = "Caf\u00e9 = Bar"}},
        {"a soft break never swallows END",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nORG;ENCODING=QUOTED-PRINTABLE:Broken=\r\nEND:VCARD\r\n",
         {.company = "Broken="}},
        {"an '=' without hex digits stays",
         "BEGIN:VCARD\nVERSION:2.1\nORG;ENCODING=QUOTED-PRINTABLE:a=ZZb=4\nEND:VCARD\n",
         {.company = "a=ZZb=4"}},
        {"QP line break becomes a blank",
         "BEGIN:VCARD\nVERSION:2.1\nORG;ENCODING=QUOTED-PRINTABLE:One=0D=0ATwo\nEND:VCARD\n",
         {.company = "One  Two"}},
        {"raw Latin-1 bytes with a CHARSET",
         "BEGIN:VCARD\nVERSION:2.1\nORG;CHARSET=ISO-8859-1:Stra\xDF"
         "e\nEND:VCARD\n",
         {.company = "Stra\u00dfe"}},
        {"invalid UTF-8 without CHARSET reads as the fallback page",
         "BEGIN:VCARD\nVERSION:2.1\nORG:Caf\xE9 \x80\nEND:VCARD\n",
         {.company = "Caf\u00e9 \u20ac"}},
        {"an unknown CHARSET falls back",
         "BEGIN:VCARD\nVERSION:2.1\nORG;CHARSET=X-NO-SUCH:na\xC3\xAFve\nEND:VCARD\n",
         {.company = "na\u00efve"}},
        {"a UTF-8 byte-order mark",
         "\xEF\xBB\xBF"
         "BEGIN:VCARD\nVERSION:3.0\nORG:Bom\nEND:VCARD\n",
         {.company = "Bom"}},
        {"a base64 name is skipped",
         "BEGIN:VCARD\nVERSION:3.0\nN;ENCODING=b:U21pdGg=\nORG:Kept\nEND:VCARD\n",
         {.company = "Kept"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, SkipsPhotosAndOtherBinaryValues)
{
    const CardCase cases[] = {
        {"3.0 folded base64",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Pic;Tom\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ\r\n"
         " AAAQABAAD/2wBDAAMCAgICAgMCAgIDAwMDBAYEBAQEBAgGBgUGCQgKCgkICQkKDA8MCgsOCwkJ\r\n"
         " DRENDg8QEBEQCgwSExIQEw8QEBD/\r\nTEL;TYPE=work:1\r\nEND:VCARD\r\n",
         {.firstName = "Tom", .lastName = "Pic", .work = "1"}},
        {"2.1 base64 lines without indentation, ended by a blank line",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Pic;Tom\r\nPHOTO;TYPE=GIF;ENCODING=BASE64:\r\n"
         "    R0lGODdhfgA4AOYAAAAAAK+vr62trVIxa6WlpZ+fnzEpCEpzlAha/0Kc74+PjyGM\r\n"
         "R0lGODdhfgA4AOYAAAAAAK+vr62trVIxa6WlpZ+fnzEpCEpzlAha/0Kc74+PjyGM\r\n"
         "\r\nTEL;HOME:2\r\nEND:VCARD\r\n",
         {.firstName = "Tom", .lastName = "Pic", .home = "2"}},
        {"4.0 data URI",
         "BEGIN:VCARD\nVERSION:4.0\nN:Pic;Tom\nPHOTO:data:image/"
         "jpeg;base64,MIICajCCAdOgAwIBAgICBEUwDQYJKoZIhv\nEND:VCARD\n",
         {.firstName = "Tom", .lastName = "Pic"}},
        {"a nested AGENT card adds nothing to its holder",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Boss;Big\r\nAGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nN:Agent;"
         "Secret\r\n"
         "TEL;WORK:007\r\nEND:VCARD\r\nTEL;HOME:1\r\nEND:VCARD\r\n",
         {.firstName = "Big", .lastName = "Boss", .home = "1"}},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, ReadsUtf16Files)
{
    const QString text =
        QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1:Gr\u00fcn;Eva\r\nEND:VCARD\r\n");
    const QByteArray le(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QByteArray be = le;
    for (qsizetype i = 0; i + 1 < be.size(); i += 2)
        std::swap(be[i], be[i + 1]);
    const ContactCard expected{.firstName = "Eva", .lastName = "Gr\u00fcn"};
    const CardCase cases[] = {
        {"little-endian with a byte-order mark", QByteArray("\xFF\xFE") + le, expected},
        {"big-endian with a byte-order mark", QByteArray("\xFE\xFF") + be, expected},
        {"little-endian without one", le, expected},
        {"big-endian without one", be, expected},
    };
    for (const CardCase& c : cases)
        expectSingleCard(c);
}

TEST(ContactVCardParser, KeepsEveryCardInFileOrder)
{
    const ContactStoreResult result = parse("BEGIN:VCARD\nVERSION:3.0\nN:Zed;Z\nEND:VCARD\n\n"
                                            "BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n"
                                            "BEGIN:VCARD\nVERSION:2.1\nN:Ace;A\nEND:VCARD\n");
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.cards.size(), 3);
    EXPECT_EQ(result.cards[0].lastName, "Zed");
    EXPECT_EQ(result.cards[1], ContactCard{});
    EXPECT_EQ(result.cards[2].lastName, "Ace");
}

TEST(ContactVCardParser, ReadsBlankInputAsAnEmptyStore)
{
    const char* const inputs[] = {"", "\r\n\r\n", "  \t\n", "\x1A", "BEGIN:VCARD\nN:A;B\nEND:VCARD\n\x1A"};
    for (const char* input : inputs) {
        const ContactStoreResult result = parse(input);
        EXPECT_EQ(result.status, Status::Read) << input;
    }
}

TEST(ContactVCardParser, ToleratesOddLinesInsideACard)
{
    const ContactStoreResult result =
        parse("BEGIN:VCARD\nVERSION:3.0\nthis line has no colon\n:no name\nTEL;TYPE=\"unclosed:1\n"
              "X-CUSTOM;FOO=bar:baz\nBEGIN:VCALENDAR\nEND:VEVENT\nN:Still;Read\nEND:VCARD\n");
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.cards.size(), 1);
    EXPECT_EQ(result.cards[0], (ContactCard{.firstName = "Read", .lastName = "Still"}));
}

TEST(ContactVCardParser, CallsBrokenStructureDamaged)
{
    struct DamageCase {
        const char* what;
        QByteArray bytes;
    };
    const DamageCase cases[] = {
        {"a NUL byte", QByteArray("BEGIN:VCARD\nN:A;B\0\nEND:VCARD\n", 29)},
        {"text outside a card", "BEGIN:VCARD\nN:A;B\nEND:VCARD\nHello there\n"},
        {"a property outside a card", "N:A;B\nBEGIN:VCARD\nEND:VCARD\n"},
        {"END without BEGIN", "END:VCARD\n"},
        {"a second END", "BEGIN:VCARD\nEND:VCARD\nEND:VCARD\n"},
        {"a file cut inside a card", "BEGIN:VCARD\nVERSION:3.0\nN:A;B\n"},
        {"a nested card never closed", "BEGIN:VCARD\nAGENT:\nBEGIN:VCARD\nEND:VCARD\n"},
        {"another kind of file", "BEGIN:VCALENDAR\nEND:VCALENDAR\n"},
        {"plain text", "Dear John,\nthe contacts are attached.\n"},
        {"a file cut inside a folded line", "BEGIN:VCARD\nN:A;\n B"},
        {"binary garbage", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452")},
        {"binary garbage without NUL bytes", QByteArray::fromHex("89504e470d0a1a0aff3a9c81e2d4")},
    };
    for (const DamageCase& c : cases) {
        const ContactStoreResult result = parse(c.bytes);
        EXPECT_EQ(result.status, Status::Damaged) << c.what;
        EXPECT_TRUE(result.cards.isEmpty()) << c.what;
    }
}

TEST(ContactVCardParser, BoundsNesting)
{
    QByteArray nested;
    for (int depth = 0; depth < ContactVCardParser::MaxDepth; ++depth)
        nested += "BEGIN:VCARD\n";
    for (int depth = 0; depth < ContactVCardParser::MaxDepth; ++depth)
        nested += "END:VCARD\n";
    EXPECT_EQ(parse(nested).status, Status::Read);
    EXPECT_EQ(parse("BEGIN:VCARD\n" + nested + "END:VCARD\n").status, Status::Damaged);
}

TEST(ContactVCardParser, BoundsTheNumberOfCards)
{
    const QByteArray card = "BEGIN:VCARD\nEND:VCARD\n";
    const QByteArray atLimit = card.repeated(ContactVCardParser::MaxCards);
    const ContactStoreResult full = parse(atLimit);
    EXPECT_EQ(full.status, Status::Read);
    EXPECT_EQ(full.cards.size(), ContactVCardParser::MaxCards);
    EXPECT_EQ(parse(atLimit + card).status, Status::Damaged);
}

TEST(ContactVCardParser, CutsOverlongLinesAndReadsOn)
{
    const QByteArray huge(300 * 1024, '7');
    const ContactStoreResult result = parse("BEGIN:VCARD\nVERSION:3.0\nTEL;TYPE=work:" + huge +
                                            "\nN:After;Long\nEND:VCARD\n"
                                            "BEGIN:VCARD\nVERSION:3.0\nNOTE:" +
                                            huge.first(1000) + "\n " + huge + "\nORG:Next\nEND:VCARD\n");
    ASSERT_EQ(result.status, Status::Read);
    ASSERT_EQ(result.cards.size(), 2);
    EXPECT_EQ(result.cards[0].lastName, "After");
    EXPECT_LT(result.cards[0].work.size(), 64 * 1024);
    EXPECT_GT(result.cards[0].work.size(), 60 * 1024);
    EXPECT_EQ(result.cards[1].company, "Next");
}

}  // namespace
