#include "reports/ReportExport.h"

#include "ReportEngineBook.h"

#include "reports/ChartPainter.h"
#include "reports/GroupReportTable.h"
#include "reports/PocketExcelHead.h"
#include "reports/PocketExcelWriter.h"
#include "reports/TransactionListTable.h"

#include "reports/ReportSink.h"

#include <QBuffer>
#include <QFile>

#include <cstring>

#include <csignal>
#include <sys/resource.h>

namespace {

class ReportExportTest : public ReportEngineBook {
protected:
    GroupReportTable categories{ReportKind::Categories, context};
    GroupReportTable projects{ReportKind::Projects, context};
    TransactionListTable list{context};
    CodePage codePage = CodePage::defaultPage();

    QString path(const char* name) const { return rb.book.folder() + QLatin1Char('/') + QLatin1String(name); }
    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString html(GroupReportTable& view)
    {
        const ReportExport::Outcome o =
            ReportExport::save(view, ReportFormat::Html, QStringLiteral("T"), path("g.htm"), codePage);
        EXPECT_TRUE(o.written);
        return QString::fromLatin1(read(path("g.htm")));
    }
};

// --- the empty report in each format ------------------------------------------------

TEST_F(ReportExportTest, AnEmptyGroupReportGivesHeaderOnlyFiles)
{
    ASSERT_TRUE(categories.build());
    ASSERT_TRUE(ReportExport::save(categories, ReportFormat::Text, "T", path("e.txt"), codePage).written);
    EXPECT_EQ(read(path("e.txt")), QByteArray("Category\tDeposit\tPayment\tTotal\tCurrency Report\n"));
    ASSERT_TRUE(
        ReportExport::save(categories, ReportFormat::PocketExcel, "T", path("e.pxl"), codePage).written);
    EXPECT_EQ(read(path("e.pxl")), PocketExcelHead::bytes(ReportKind::Categories) + QByteArray(1, '\x0a'));
    const QString page = html(categories);
    EXPECT_TRUE(page.startsWith(QStringLiteral("<html> \n<head> \n<title>T  12/5/2003 through 12/5/2003")));
    EXPECT_TRUE(page.contains(QStringLiteral("All Transactions")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>TOTAL INFLOWS</strong>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>0.00 =<br></strong> \n<small></small>")));
    EXPECT_TRUE(page.endsWith(QStringLiteral("</body> \n</html>")));
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(ReportExportTest, AnEmptyTransactionListGivesHeaderOnlyFiles)
{
    ASSERT_TRUE(list.build());
    ASSERT_TRUE(ReportExport::save(list, ReportFormat::Text, "T", path("e.txt"), codePage).written);
    EXPECT_EQ(read(path("e.txt")).count('\n'), 1);
    ASSERT_TRUE(ReportExport::save(list, ReportFormat::PocketExcel, "T", path("e.pxl"), codePage).written);
    EXPECT_EQ(read(path("e.pxl")).size(), 428 + 1);
    ASSERT_TRUE(ReportExport::save(list, ReportFormat::Html, "T", path("e.htm"), codePage).written);
    const QString page = QString::fromLatin1(read(path("e.htm")));
    EXPECT_TRUE(
        page.contains(QStringLiteral("<strong>TOTAL INFLOWS</strong></font></td> \n    <td width=\"28%\" "
                                     "align=\"right\"><font size=\"3\"><strong>0.00 USD")));
    EXPECT_FALSE(page.contains(QStringLiteral("<td width=\"12%\"")));
}

// --- text ---------------------------------------------------------------------------

TEST_F(ReportExportTest, GroupTextTakesCountedRowsInPlainForm)
{
    add(Cash, -123456789, Bread);
    add(Cash, 500);         // without category: not written
    add(Cash, 500, -Euro);  // transfer: not written
    ASSERT_TRUE(categories.build());
    ASSERT_TRUE(ReportExport::save(categories, ReportFormat::Text, "T", path("c.txt"), codePage).written);
    EXPECT_EQ(read(path("c.txt")), QByteArray("Category\tDeposit\tPayment\tTotal\tCurrency Report\n"
                                              "Food:Bread\t0.00\t1234567.89\t-1234567.89\tUSD\n"));
}

TEST_F(ReportExportTest, ListTextCleansFreeTextAndConverts)
{
    TransactionSpec s;
    s.account = Euro;
    s.currency = QStringLiteral("EUR");
    s.date = at(2003, 12, 5, 7);
    s.amount = -1001;
    s.category = Food;
    s.project = Garden;
    s.description = QStringLiteral("tab\there");
    s.note = QStringLiteral("two\r\nlines");
    s.mark = 1;
    rb.addTransaction(s);
    ASSERT_TRUE(list.build());
    ASSERT_TRUE(ReportExport::save(list, ReportFormat::Text, "T", path("l.txt"), codePage).written);
    const QList<QByteArray> lines = read(path("l.txt")).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1],
              QByteArray("[Euro Bank]\t12/5/2003\ttab here\t-10.01\tEUR\t-15.02\tUSD\tFood\tHome:Garden"
                         "\t\ttwo  lines\t\tC"));
}

TEST_F(ReportExportTest, StopEndsTheRowsButTheFileIsKept)
{
    for (int i = 0; i < 20; ++i)
        add(Cash, 100, Food, 0, QStringLiteral("r"), i);
    ASSERT_TRUE(list.build());
    ui.stopAfterSteps(1);
    const ReportExport::Outcome o =
        ReportExport::save(list, ReportFormat::Text, "T", path("s.txt"), codePage);
    EXPECT_TRUE(o.written);
    EXPECT_TRUE(o.stopped);
    EXPECT_EQ(read(path("s.txt")).count('\n'), 1 + 2);
}

// --- the file and the question ----------------------------------------------------------

TEST_F(ReportExportTest, AfterHtmlTheUserIsAskedToViewIt)
{
    ASSERT_TRUE(list.build());
    ui.answer(true);
    const ReportExport::Outcome o =
        ReportExport::save(list, ReportFormat::Html, "T", path("v.htm"), codePage);
    EXPECT_TRUE(o.viewRequested);
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("View Report in Explorer?")});
    EXPECT_EQ(ui.titles.last(), QStringLiteral("Sumora"));
    ReportExport::save(list, ReportFormat::Text, "T", path("v.txt"), codePage);
    EXPECT_EQ(ui.questions.size(), 1);
}

TEST_F(ReportExportTest, AFileThatCannotBeCreatedWritesNothingAndAsksNothing)
{
    ASSERT_TRUE(list.build());
    const ReportExport::Outcome o =
        ReportExport::save(list, ReportFormat::Html, "T", path("missing/folder/v.htm"), codePage);
    EXPECT_FALSE(o.written);
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(ReportExportTest, AWriteThatFailsHalfWayLeavesTheOldFile)
{
    for (int i = 0; i < 10; ++i)
        add(Cash, 100, Food, 0, QStringLiteral("row"), i);
    ASSERT_TRUE(list.build());
    {
        QFile old(path("old.htm"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old report");
    }
    // Files may grow to 512 bytes only: the report's head fits, its rows do not.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ReportExport::Outcome o =
        ReportExport::save(list, ReportFormat::Html, "T", path("old.htm"), codePage);
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(o.written);
    EXPECT_EQ(read(path("old.htm")), QByteArray("old report"));
    EXPECT_TRUE(ui.questions.isEmpty());
}

TEST(ReportExportTexts, DialogTextsByViewAndFormat)
{
    EXPECT_EQ(ReportExport::dialogHeading(ReportKind::Projects), QStringLiteral("Create List Projects"));
    EXPECT_EQ(ReportExport::defaultTitle(ReportKind::TransactionList), QStringLiteral("List Transactions"));
    EXPECT_EQ(ReportExport::dialogHeading(ReportKind::Categories), QStringLiteral("Create List Categories"));
    EXPECT_EQ(ReportExport::fileType(ReportFormat::PocketExcel),
              QStringLiteral("Pocket Excel Workbook (*.pxl)"));
    EXPECT_EQ(ReportExport::fileType(ReportFormat::Text), QStringLiteral("Text Windows (*.txt)"));
    EXPECT_EQ(ReportExport::extension(ReportFormat::Html), QStringLiteral("htm"));
}

// --- Pocket Excel -------------------------------------------------------------------------

TEST_F(ReportExportTest, PocketExcelGroupRowsAreNameInflowNegativeOutflowCurrency)
{
    add(Cash, -250, Food);
    add(Cash, 0, Salary);  // counted but without money: not written
    ASSERT_TRUE(categories.build());
    ASSERT_TRUE(
        ReportExport::save(categories, ReportFormat::PocketExcel, "T", path("g.pxl"), codePage).written);
    const QByteArray file = read(path("g.pxl"));
    const QByteArray cells = file.mid(431);
    QByteArray expected = QByteArray::fromHex("04"
                                              "0100"
                                              "00"
                                              "0200"
                                              "0400") +
                          QByteArray("F\0o\0o\0d\0", 8);
    double v = 0.0;
    expected += QByteArray::fromHex("03"
                                    "0100"
                                    "01"
                                    "0000") +
                QByteArray(reinterpret_cast<const char*>(&v), 8);
    v = -2.5;
    expected += QByteArray::fromHex("03"
                                    "0100"
                                    "02"
                                    "0000") +
                QByteArray(reinterpret_cast<const char*>(&v), 8);
    expected += QByteArray::fromHex("04"
                                    "0100"
                                    "03"
                                    "0400"
                                    "0300") +
                QByteArray("U\0S\0D\0", 6);
    EXPECT_EQ(cells.toHex(), (expected + QByteArray(1, '\x0a')).toHex());
}

TEST(PocketExcelWriter, TheThirdFailedRowStopsTheWriting)
{
    // Rows 65001 on are beyond the sheet: feed 65,010 transactions.
    ReportListSource source;
    source.count = 65010;
    source.reportCurrency = QStringLiteral("USD");
    qint64 asked = 0;
    source.entry = [&](qint64 row) {
        ++asked;
        TransactionEntry e;
        e.date = at(1970, 1, 1, 0);
        e.description = QStringLiteral("r%1").arg(row);
        return std::optional<TransactionEntry>(e);
    };
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ReportSink sink(buffer, CodePage::defaultPage());
    ScriptedInteraction ui;
    const PocketExcelWriter::Outcome o =
        PocketExcelWriter::writeTransactions(sink, source, LocaleValues(), ui);
    EXPECT_EQ(o.failedRows, (QStringList{QStringLiteral("1/1/1970 r65000"), QStringLiteral("1/1/1970 r65001"),
                                         QStringLiteral("1/1/1970 r65002")}));
    EXPECT_EQ(asked, 65003);
    EXPECT_EQ(ui.messages,
              QStringList{QStringLiteral("Inpossible save data\nInsufficient memory is possible")});
    EXPECT_EQ(bytes.back(), '\x0a');
    EXPECT_EQ(PocketExcelWriter::failureMessage(ReportKind::TransactionList, o.failedRows.mid(0, 2)),
              QStringLiteral("This transactions not correct save\r\n1/1/1970 r65000\r\n1/1/1970 r65001"));
}

TEST_F(ReportExportTest, PocketExcelListDatesAreDayNumbersAndMarksOnlyWhenSet)
{
    TransactionSpec s;
    s.account = Cash;
    s.date = at(1970, 1, 1, 0);
    s.amount = 150;
    s.mark = 0;
    filter.setDateLow(s.date);
    rb.addTransaction(s);
    ASSERT_TRUE(list.build());
    ASSERT_TRUE(ReportExport::save(list, ReportFormat::PocketExcel, "T", path("l.pxl"), codePage).written);
    const QByteArray cells = read(path("l.pxl")).mid(428);
    double day = 0.0;
    memcpy(&day, cells.constData() + 6, 8);
    EXPECT_EQ(day, 25569.0);
    EXPECT_EQ(cells.left(6).toHex(), QByteArray("030100000200"));
    // Date, amount and eight labels; no mark cell for an unreconciled one.
    int numbers = 0;
    int labels = 0;
    qsizetype at = 0;
    while (at < cells.size() - 1) {
        if (cells[at] == '\x03') {
            ++numbers;
            at += 1 + 5 + 8;
        } else {
            ASSERT_EQ(cells[at], '\x04');
            ++labels;
            at += 1 + 5 + 2 + 2 * static_cast<quint8>(cells[at + 6]);
        }
    }
    EXPECT_EQ(at, cells.size() - 1);
    EXPECT_EQ(numbers, 2);
    EXPECT_EQ(labels, 8);
    EXPECT_EQ(ui.messages, QStringList());
}

// --- HTML ------------------------------------------------------------------------------------

TEST_F(ReportExportTest, HtmlGroupNestsRowsUnderAddedParentsWithSubtotals)
{
    add(Cash, -300, Bread);
    add(Euro, -200, Bread);  // 3.00 USD
    add(Cash, 1000, Salary);
    ASSERT_TRUE(categories.build());
    const QString page = html(categories);
    const qsizetype food = page.indexOf(QStringLiteral("<blockquote><p>Food</blockquote></p>"));
    const qsizetype bread =
        page.indexOf(QStringLiteral("<blockquote><blockquote><p>Bread</blockquote></blockquote></p>"));
    const qsizetype outflows = page.indexOf(QStringLiteral("<strong>OUTFLOWS</strong>"));
    ASSERT_GE(food, 0);
    ASSERT_GE(bread, 0);
    EXPECT_LT(outflows, food);  // only payments: Food shows in OUTFLOWS only
    EXPECT_LT(food, bread);
    EXPECT_EQ(page.count(QStringLiteral("<p>Food</blockquote>")), 1);
    // Bread's own amount, made of two currencies, then Food's roll-up.
    EXPECT_TRUE(
        page.contains(QStringLiteral("6.00 =<br> \n<small>&nbsp;&nbsp;3.00&nbsp;+&nbsp;2.00</small>")));
    EXPECT_EQ(page.count(QStringLiteral("6.00 =<br> \n<small>&nbsp;&nbsp;3.00&nbsp;+&nbsp;2.00</small>")), 2);
    EXPECT_TRUE(page.contains(QStringLiteral("<p>Salary</blockquote></p></td> \n"
                                             "    <td width=\"29%\" align=\"left\" nowrap valign=\"top\">"
                                             "<p align=\"left\">10.00</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>TOTAL OUTFLOUWS</strong>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>4.00 =<br></strong> \n<small>7.00 - 2.00</small>")));
    EXPECT_TRUE(page.contains(QStringLiteral("rate exchange1EUR = 1.5USD")));
    EXPECT_FALSE(page.contains(QStringLiteral("rate exchange1USD")));
}

TEST_F(ReportExportTest, HtmlGroupLeavesOutTheRootAndTheUncountedRows)
{
    add(Cash, 100, 1);
    add(Cash, 100);
    add(Cash, 100, -Euro);
    add(Cash, 100, 0, Garden);
    ASSERT_TRUE(categories.build());
    const QString page = html(categories);
    EXPECT_FALSE(page.contains(QStringLiteral("<blockquote>")));
    ASSERT_TRUE(projects.build());
    const QString projectPage = html(projects);
    EXPECT_TRUE(projectPage.contains(QStringLiteral("Project Description")));
    EXPECT_TRUE(projectPage.contains(QStringLiteral("<blockquote><p>Home</blockquote>")));
    EXPECT_TRUE(projectPage.contains(QStringLiteral("<blockquote><blockquote><p>Garden</blockquote>")));
}

TEST_F(ReportExportTest, HtmlListWritesCellsTotalsAndCurrencyParts)
{
    TransactionSpec s;
    s.account = Euro;
    s.currency = QStringLiteral("EUR");
    s.date = at(2003, 12, 5, 7);
    s.amount = -1000;
    s.category = Food;
    s.description = QStringLiteral("<b>&");
    rb.addTransaction(s);
    add(Cash, 2500, Salary, Home, QStringLiteral("pay"), 5);
    filter.addId(ReportFilter::IdKind::Accounts, Euro);
    filter.addId(ReportFilter::IdKind::Accounts, Cash);
    ASSERT_TRUE(list.build());
    ASSERT_TRUE(ReportExport::save(list, ReportFormat::Html, "T", path("l.htm"), codePage).written);
    const QString page = QString::fromLatin1(read(path("l.htm")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>Accounts: </strong>[Euro Bank] [Cash] <br> \n")));
    EXPECT_TRUE(page.contains(QStringLiteral("<font size=\"2\">&lt;b&gt;&amp;</font>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<font size=\"2\">Salary/ Home</font>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<font size=\"2\">Food/ </font>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>10.00 USD</strong></font><br></td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>25.00 USD</strong></font></strong></font></td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>-15.00 USD</strong></font></td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("rate exchange1EUR = 1.5USD")));
    EXPECT_TRUE(
        page.contains(QStringLiteral("Payment in EUR</font></td> \n    <td width=\"28%\" align=\"right\">"
                                     "<font size=\"2\">10.00</font>")));
    EXPECT_TRUE(
        page.contains(QStringLiteral("Total in EUR</font></td> \n    <td width=\"28%\" align=\"right\">"
                                     "<font size=\"2\">-10.00</font>")));
}

// Draws every chart as one small SVG naming its kind and slice count, and
// keeps what it was asked to draw.
class RecordingPainter : public ChartPainter {
public:
    RecordingPainter() { ChartPainter::install(this); }
    ~RecordingPainter() override { ChartPainter::install(nullptr); }
    bool saveFile(const ReportChart&, const QString&, Image, QString*) override { return false; }
    QByteArray svg(const ReportChart& chart) override
    {
        drawn.push_back(chart);
        return "<?xml version=\"1.0\"?>\n<svg n=\"" + QByteArray::number(qint64(chart.outflows.size())) +
               "\"/>";
    }
    std::vector<ReportChart> drawn;
};

TEST_F(ReportExportTest, AnHtmlChartIsAddedBeforeTheBodyEndsAndOnlyWhenAsked)
{
    add(Cash, -1200, Food, 0, QStringLiteral("a"), 1);
    add(Cash, -300, Bread, 0, QStringLiteral("b"), 2);
    add(Cash, 5000, Salary, 0, QStringLiteral("c"), 3);
    ASSERT_TRUE(categories.build());
    ASSERT_TRUE(list.build());
    // Without a painter the chart cannot be drawn: nothing is written.
    const ReportExport::Outcome refused =
        ReportExport::save(categories, ReportFormat::Html, "T", path("n.htm"), codePage, ChartKind::Pie);
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.error, ChartPainter::NoPainterText);
    EXPECT_FALSE(QFile::exists(path("n.htm")));

    RecordingPainter painter;
    const QByteArray plain = html(categories).toLatin1();
    ASSERT_TRUE(
        ReportExport::save(categories, ReportFormat::Html, "T", path("c.htm"), codePage, ChartKind::Pie)
            .written);
    const QByteArray charted = read(path("c.htm"));
    // The page is the classic one with the chart paragraph before "</body>".
    const QByteArray paragraph = "<p align=\"center\"><svg n=\"2\"/></p> \n";
    QByteArray expected = plain;
    expected.insert(expected.lastIndexOf("</body>"), paragraph);
    EXPECT_EQ(charted, expected);
    ASSERT_EQ(painter.drawn.size(), 1u);
    EXPECT_EQ(painter.drawn[0].kind, ChartKind::Pie);

    ASSERT_TRUE(ReportExport::save(list, ReportFormat::Html, "T", path("p.htm"), codePage).written);
    ASSERT_TRUE(
        ReportExport::save(list, ReportFormat::Html, "T", path("l.htm"), codePage, ChartKind::Line).written);
    QByteArray listExpected = read(path("p.htm"));
    listExpected.insert(listExpected.lastIndexOf("</body>"), "<p align=\"center\"><svg n=\"0\"/></p> \n");
    EXPECT_EQ(read(path("l.htm")), listExpected);
    ASSERT_EQ(painter.drawn.size(), 2u);
    EXPECT_EQ(painter.drawn[1].points.size(), 3u);
    EXPECT_EQ(painter.drawn[1].points.back().value, Money::fromHundredths(3500));
    // Another format ignores the chart.
    ASSERT_TRUE(
        ReportExport::save(list, ReportFormat::Text, "T", path("t.txt"), codePage, ChartKind::Line).written);
    EXPECT_EQ(painter.drawn.size(), 2u);
}

}  // namespace
