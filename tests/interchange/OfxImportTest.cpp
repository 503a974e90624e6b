#include "StatementTestBook.h"

#include "interchange/OfxFile.h"
#include "interchange/OfxStatementSource.h"

#include <QSet>

namespace {

class OfxImportTest : public ::testing::Test {
protected:
    StatementTestBook b;
};

const QByteArray SgmlHeader =
    "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
    "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n";

// A checking account's statement as banks write OFX 1.x: SGML, the leaf
// elements never closed, negatives signed, extra sign-on fields of QFX.
QByteArray sgmlStatement(const QByteArray& transactions, const QByteArray& currency = "USD")
{
    return SgmlHeader +
           "<OFX>\r\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20240131120000"
           "<LANGUAGE>ENG<INTU.BID>3000</SONRS></SIGNONMSGSRSV1>\r\n"
           "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\r\n<STMTRS><CURDEF>" +
           currency +
           "<BANKACCTFROM><BANKID>121000358<ACCTID>12345678<ACCTTYPE>CHECKING</BANKACCTFROM>\r\n"
           "<BANKTRANLIST><DTSTART>20240101<DTEND>20240131\r\n" +
           transactions +
           "</BANKTRANLIST>\r\n<LEDGERBAL><BALAMT>0<DTASOF>20240131</LEDGERBAL>\r\n"
           "</STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\r\n";
}

QByteArray sgmlLine(const char* fitId, const char* date, const char* amount, const char* name,
                    const char* extra = "")
{
    return QByteArray("<STMTTRN><TRNTYPE>OTHER<DTPOSTED>") + date + "<TRNAMT>" + amount + "<FITID>" + fitId +
           "<NAME>" + name + extra + "\r\n</STMTTRN>\r\n";
}

const QByteArray January = sgmlStatement(
    sgmlLine("A1", "20240115", "-12.50", "Grocer", "<MEMO>weekly shop") +
    sgmlLine("A2", "20240116120000.000[-5:EST]", "-40.00", "Plumber", "<CHECKNUM>101") +
    sgmlLine("A3", "20240116", "2000", "Employer") + sgmlLine("A4", "20240120", "-5.00", "Coffee") +
    sgmlLine("A5", "20240120", "-5.00", "Coffee"));

// A credit card's statement as OFX 2.x: XML with its processing
// instructions, a namespace declaration and UTF-8 text.
const QByteArray CardXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
    "<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n"
    "<OFX xmlns:ofx=\"http://ofx.net/ifx/2.0/ofx\">\n"
    "  <SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
    "<DTSERVER>20240201</DTSERVER><LANGUAGE>ENG</LANGUAGE></SONRS></SIGNONMSGSRSV1>\n"
    "  <CREDITCARDMSGSRSV1><CCSTMTTRNRS><TRNUID>1</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY>"
    "</STATUS>\n"
    "    <CCSTMTRS><CURDEF>USD</CURDEF><CCACCTFROM><ACCTID>4111</ACCTID></CCACCTFROM>\n"
    "      <BANKTRANLIST><DTSTART>20240101</DTSTART><DTEND>20240131</DTEND>\n"
    "        <STMTTRN><TRNTYPE>DEBIT</TRNTYPE><DTPOSTED>20240105</DTPOSTED><TRNAMT>-9.99</TRNAMT>"
    "<FITID>C1</FITID><NAME>Caf\xC3\xA9 M\xC3\xBCller</NAME></STMTTRN>\n"
    "        <STMTTRN><TRNTYPE>CREDIT</TRNTYPE><DTPOSTED>20240110</DTPOSTED><TRNAMT>50.00</TRNAMT>"
    "<FITID>C2</FITID><NAME>Refund</NAME><MEMO>Ref 9 &amp; co</MEMO></STMTTRN>\n"
    "      </BANKTRANLIST>\n"
    "      <LEDGERBAL><BALAMT>40.01</BALAMT><DTASOF>20240131</DTASOF></LEDGERBAL>\n"
    "    </CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1>\n"
    "</OFX>\n";

TEST_F(OfxImportTest, SgmlStatementAddsEveryLineWithItsFields)
{
    const StatementImportResult r = b.importBytes(January, StatementFormat::Ofx);
    ASSERT_TRUE(r.ok) << b.ui.messages.join('\n').toStdString();
    EXPECT_EQ(r.added, 5);
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].date, b.day(2024, 1, 15, 0, 0, 0, 1));
    EXPECT_EQ(rows[0].description, "Grocer");
    EXPECT_EQ(rows[0].memo, "weekly shop");
    EXPECT_EQ(rows[0].amount, -1250);
    // A posting time with its zone still lands on the bank's day.
    EXPECT_EQ(startOfDay(rows[1].date), b.day(2024, 1, 16));
    EXPECT_EQ(rows[1].number, "101");
    EXPECT_EQ(rows[2].amount, 200000);
    EXPECT_EQ(rows[4].balance, 200000 - 1250 - 4000 - 1000);
    EXPECT_EQ(b.fitIds(), (QStringList{"A1", "A2", "A3", "A4", "A5"}));
    EXPECT_EQ(b.accountTotal(1), 200000 - 1250 - 4000 - 1000);
    EXPECT_TRUE(b.problems().isEmpty()) << b.problems().join('\n').toStdString();
}

TEST_F(OfxImportTest, XmlStatementWithNamespaceIsRead)
{
    const StatementImportResult r = b.importBytes(CardXml, StatementFormat::Ofx);
    ASSERT_TRUE(r.ok) << b.ui.messages.join('\n').toStdString();
    const std::vector<QifRow> rows = b.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].description, QString::fromUtf8("Caf\xC3\xA9 M\xC3\xBCller"));
    EXPECT_EQ(rows[0].amount, -999);
    EXPECT_EQ(rows[1].memo, "Ref 9 & co");
    EXPECT_EQ(b.accountTotal(1), 4001);
}

TEST_F(OfxImportTest, ReimportAddsNothingAndAnOverlappingStatementOnlyItsNewLines)
{
    ASSERT_TRUE(b.importBytes(January, StatementFormat::Ofx).ok);
    const StatementImportResult again = b.importBytes(January, StatementFormat::Ofx);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.merged, 5);

    // The next download repeats the last two lines, and brings a third coffee
    // on the same day for the same amount: only it and the February line are new.
    const QByteArray overlap = sgmlStatement(
        sgmlLine("A4", "20240120", "-5.00", "Coffee") + sgmlLine("A5", "20240120", "-5.00", "Coffee") +
        sgmlLine("A6", "20240120", "-5.00", "Coffee") + sgmlLine("B1", "20240202", "-70.00", "Power"));
    const StatementImportResult r = b.importBytes(overlap, StatementFormat::Ofx);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.merged, 2);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(b.rows().size(), 7u);
    EXPECT_EQ(b.accountTotal(1), 200000 - 1250 - 4000 - 1500 - 7000);
    EXPECT_TRUE(b.problems().isEmpty());
}

TEST_F(OfxImportTest, ALineMatchedByItsDayLearnsItsBankId)
{
    // Entered by hand before the statement came: same day, text and amount.
    b.addTransaction(LocalTime{2024, 1, 20, 9, 0, 0, 0}, "Coffee", -500);
    const StatementImportResult r = b.importBytes(January, StatementFormat::Ofx);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.merged, 1);
    EXPECT_EQ(r.added, 4);
    EXPECT_TRUE(b.fitIds().contains("A4"));
    const StatementImportResult again = b.importBytes(January, StatementFormat::Ofx);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(b.rows().size(), 5u);
}

TEST_F(OfxImportTest, BadFilesAreRefusedWithTheirLineAndWriteNothing)
{
    b.addTransaction(LocalTime{2024, 1, 2, 9, 0, 0, 0}, "Opening", 100);
    const qint64 before = b.transactionCount();
    struct Case {
        QByteArray bytes;
        QString message;
    };
    const QByteArray noDate = sgmlStatement(sgmlLine("A1", "20240115", "-1", "Ok") +
                                            sgmlLine("A2", "20240231", "-2", "No such day"));
    const std::vector<Case> cases{
        {January.left(January.indexOf("<NAME>Plumber")), "Line 18: the file ends before its statement does."},
        {QByteArray(3000, '\x9c') + QByteArray("\x00\x01\xff", 3), OfxFile::NotOfxText},
        {SgmlHeader + "<OFX></OFX>", OfxFile::NotOfxText},
        {sgmlStatement(sgmlLine("E1", "20240115", "-1", "Euro")).replace("<CURDEF>USD", "<CURDEF>EUR"),
         "The statement is in EUR, the account in USD."},
        {noDate, "Line 18: the transaction has no valid date."},
        {sgmlStatement(sgmlLine("A1", "20240115", "-1", "Ok") +
                       "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20240116<FITID>X<NAME>No amount\r\n</STMTTRN>\r\n"),
         "Line 18: the transaction has no amount the book can hold."},
    };
    for (const Case& c : cases) {
        b.ui.messages.clear();
        const StatementImportResult r = b.importBytes(c.bytes, StatementFormat::Ofx);
        EXPECT_FALSE(r.ok) << c.message.toStdString();
        EXPECT_EQ(b.ui.messages.value(0), c.message);
        EXPECT_EQ(b.transactionCount(), before);
    }
}

// Thousands of lines are read in pieces: every line arrives once, in order,
// and a line the bank garbled far into the file is still named by its line.
TEST_F(OfxImportTest, ALongStatementIsReadWholeAndItsFaultsNamedByLine)
{
    constexpr int Count = 4500;
    QByteArray lines;
    qint64 total = 0;
    for (int i = 0; i < Count; ++i) {
        const QByteArray fitId = "L" + QByteArray::number(i);
        const QByteArray amount = "-" + QByteArray::number(i % 50 + 1) + ".25";
        total -= (i % 50 + 1) * 100 + 25;
        lines += sgmlLine(fitId.constData(), i % 2 ? "20240110" : "20240111", amount.constData(), "Shop");
    }
    const QByteArray whole = sgmlStatement(lines);
    const StatementImportResult r = b.importBytes(whole, StatementFormat::Ofx);
    ASSERT_TRUE(r.ok) << b.ui.messages.join('\n').toStdString();
    EXPECT_EQ(r.added, Count);
    EXPECT_EQ(b.accountTotal(1), total);
    const QStringList ids = b.fitIds();
    ASSERT_EQ(ids.size(), Count);
    EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), Count);
    EXPECT_TRUE(ids.contains("L0") && ids.contains("L1999") && ids.contains("L2000") &&
                ids.contains("L4499"));

    // Transaction 3,000 (in the second piece) dated a day that does not exist;
    // the transactions start on line 16 and take two lines each.
    QByteArray garbled = whole;
    const qsizetype date = garbled.lastIndexOf("<DTPOSTED>", garbled.indexOf("<FITID>L3000<"));
    garbled.replace(date + 10, 8, "20240231");
    const qint64 before = b.transactionCount();
    b.ui.messages.clear();
    EXPECT_FALSE(b.importBytes(garbled, StatementFormat::Ofx).ok);
    EXPECT_EQ(b.ui.messages.value(0).section(u':', 0, 0), QStringLiteral("Line %1").arg(16 + 2 * 3000));
    EXPECT_EQ(b.transactionCount(), before);
}

TEST_F(OfxImportTest, InvestmentStatementsAreNotSupported)
{
    const QByteArray investment =
        SgmlHeader +
        "<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS><DTSERVER>20240131<LANGUAGE>ENG"
        "</SONRS></SIGNONMSGSRSV1>\r\n<INVSTMTMSGSRSV1><INVSTMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO"
        "</STATUS>\r\n<INVSTMTRS><DTASOF>20240131<CURDEF>USD<INVACCTFROM><BROKERID>b.com<ACCTID>999"
        "</"
        "INVACCTFROM>\r\n<INVTRANLIST><DTSTART>20240101<DTEND>20240131\r\n<INVBANKTRAN><STMTTRN><TRNTYPE>"
        "CREDIT"
        "<DTPOSTED>20240105<TRNAMT>100<FITID>I1<NAME>Deposit</STMTTRN><SUBACCTFUND>CASH</INVBANKTRAN>\r\n"
        "</INVTRANLIST></INVSTMTRS></INVSTMTTRNRS></INVSTMTMSGSRSV1></OFX>\r\n";
    const StatementImportResult r = b.importBytes(investment, StatementFormat::Ofx);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(b.ui.messages.value(0), OfxFile::InvestmentText);
    EXPECT_EQ(b.transactionCount(), 0);
}

}  // namespace
