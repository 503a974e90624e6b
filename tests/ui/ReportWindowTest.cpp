#include "reports/ui/ReportWindow.h"

#include "platform/BookFolder.h"
#include "platform/FixedClock.h"
#include "platform/SystemLocale.h"
#include "reports/ReportChartData.h"
#include "reports/ReportSession.h"
#include "reports/ui/ChartPanel.h"
#include "reports/ui/ChartRenderer.h"
#include "reports/ui/GroupReportModel.h"
#include "reports/ui/PeriodBar.h"
#include "reports/ui/ReportView.h"
#include "reports/ui/SelectionTree.h"
#include "shell/CliCommandTable.h"
#include "shell/CliRunner.h"
#include "toolkit/ui/CoolList.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPieSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

// Failures print the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString Now = QStringLiteral("2024-02-15T10:00:00");
const QString Locale = QStringLiteral("en_US");

// Answers the modal dialogs of one command in the order they come, each by
// the first handler still waiting; a dialog no handler expects fails the test
// and is rejected, so a run never hangs on it.
class DialogScript : public QObject {
public:
    using Handler = std::function<bool(QWidget*)>;

    DialogScript()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &DialogScript::look);
        m_timer.start();
    }
    void then(Handler h) { m_handlers.push_back(std::move(h)); }
    bool done() const { return m_handlers.empty(); }
    QStringList seen;

private:
    void look()
    {
        QWidget* w = QApplication::activeModalWidget();
        // The progress window of a build or a writer is no question.
        if (!w || w == m_last || qobject_cast<QProgressDialog*>(w))
            return;
        m_last = w;
        seen << w->windowTitle();
        if (m_handlers.empty() || !m_handlers.front()(w)) {
            ADD_FAILURE() << "unexpected dialog " << w->windowTitle().toStdString();
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        m_handlers.pop_front();
    }

    QTimer m_timer;
    std::deque<Handler> m_handlers;
    QPointer<QWidget> m_last;
};

// The hundredths of an amount shown with its currency's symbol ("$-1,005.75").
qint64 amountOf(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[^0-9.,-]")));
    return qRound64(QLocale(Locale).toDouble(text) * 100);
}

DialogScript::Handler title(const QString& text)
{
    return [text](QWidget* w) {
        auto* d = qobject_cast<QInputDialog*>(w);
        if (!d)
            return false;
        d->setTextValue(text);
        d->accept();
        return true;
    };
}

DialogScript::Handler file(const QString& path)
{
    return [path](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (!d)
            return false;
        d->selectFile(path);
        static_cast<QDialog*>(d)->accept();
        return true;
    };
}

DialogScript::Handler answerNo()
{
    return [](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box)
            return false;
        box->button(QMessageBox::No)->click();
        return true;
    };
}

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(cli({QStringLiteral("demo")}), 0) << m_err.toStdString();
        startWindow();
    }
    void TearDown() override
    {
        m_window.reset();
        if (m_session)
            (void)m_session->finish();
        m_session.reset();
    }

    void startWindow()
    {
        m_session = std::make_unique<ReportSession>(*BookFolder::open(m_dir.path()), m_clock, m_ui);
        ASSERT_EQ(m_session->start({}), ReportSession::Outcome::Ready);
        m_window =
            std::make_unique<ReportWindow>(*m_session, m_clock, m_locale, m_ui,
                                           ReportWindow::Setup{m_dir.path(), CodePage::defaultPage(), {}});
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // One run of tallyra-cli, in this process, on the test's book.
    int cli(const QStringList& arguments)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        const CliCommandTable commands = CliCommandTable::standard();
        CliRunner runner(commands, out, err);
        const QStringList all =
            QStringList{QStringLiteral("--data"),   m_dir.path(), QStringLiteral("--now"), Now,
                        QStringLiteral("--locale"), Locale} +
            arguments;
        return runner.run(all, [](const char*) { return QString(); });
    }

    // The report options the window's choices below stand for.
    static QStringList filterOptions()
    {
        return {QStringLiteral("--period"),  QStringLiteral("Last Quarter"), QStringLiteral("--account"),
                QStringLiteral("Cash"),      QStringLiteral("--account"),    QStringLiteral("Checking"),
                QStringLiteral("--account"), QStringLiteral("Savings")};
    }
    // Checks "All Accounts", and so every account below it, in the tree and
    // chooses "Last Quarter".
    void chooseFilter()
    {
        SelectionTree& tree = m_window->selectionTree();
        QTreeWidgetItem* all = tree.itemWithKey(0);
        ASSERT_NE(all, nullptr);
        ASSERT_EQ(all->text(0), QStringLiteral("All Accounts"));
        tree.setChecked(all, true);
        for (int i = 0; i < all->childCount(); ++i)
            EXPECT_EQ(all->child(i)->checkState(0), Qt::Checked);
        EXPECT_EQ(m_session->filter().ids(ReportFilter::IdKind::Accounts).size(), 3);
        ASSERT_TRUE(m_window->periodBar().choosePeriod(1));
    }
    void press(ReportKind kind) { m_window->kindButton(kind).click(); }

    // The list's rows as the CLI's table prints them: the cells of columns 1
    // and on, joined by tabs.
    QStringList rows(ReportKind kind)
    {
        ReportModel& model = m_window->view(kind)->model();
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            const int last = kind == ReportKind::TransactionList ? 3 : 4;
            for (int c = 1; c <= last; ++c)
                cells << model.data(model.index(r, c)).toString();
            out << cells.join(u'\t');
        }
        return out;
    }
    QStringList cliRows(const QString& kind)
    {
        EXPECT_EQ(cli(QStringList{QStringLiteral("report"), kind} + filterOptions()), 0)
            << m_err.toStdString();
        QStringList lines = m_out.split(u'\n', Qt::SkipEmptyParts);
        QStringList out;
        for (int i = 1; i < lines.size() && !lines[i].startsWith(QStringLiteral("Sum:")); ++i) {
            QStringList cells = lines[i].split(u'\t');
            if (kind == QStringLiteral("transactions"))
                cells = cells.mid(0, 3);  // the CLI adds the account
            out << cells.join(u'\t');
        }
        return out;
    }

    QTemporaryDir m_dir;
    FixedClock m_clock{*Clock::parseMoment(Now)};
    LocaleValues m_locale = SystemLocale::read(QLocale(Locale));
    DialogInteraction m_ui;
    std::unique_ptr<ReportSession> m_session;
    std::unique_ptr<ReportWindow> m_window;
    QString m_out;
    QString m_err;
};

TEST_F(ReportWindowTest, EachViewShowsTheRowsTheCommandLineReports)
{
    chooseFilter();
    const std::pair<ReportKind, QString> kinds[] = {
        {ReportKind::Categories, QStringLiteral("categories")},
        {ReportKind::Projects, QStringLiteral("projects")},
        {ReportKind::TransactionList, QStringLiteral("transactions")}};
    for (const auto& [kind, name] : kinds) {
        press(kind);
        ReportView* view = m_window->view(kind);
        ASSERT_NE(view, nullptr);
        QAbstractItemModelTester tester(&view->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        EXPECT_TRUE(m_window->kindButton(kind).isChecked());
        const QStringList shown = rows(kind);
        EXPECT_FALSE(view->model().isEmptyReport()) << name.toStdString();
        EXPECT_EQ(shown, cliRows(name)) << name.toStdString();
        const QString sumLine = QStringLiteral("Sum:\t") + m_window->periodBar().sumText() + u' ' +
                                view->model().reportCurrency();
        EXPECT_TRUE(m_out.split(u'\n').contains(sumLine))
            << name.toStdString() << ' ' << sumLine.toStdString();
        EXPECT_FALSE(view->recalcShown());
    }
    // Columns left at their default width grow to show a date with its time uncut.
    ReportView& list = *m_window->view(ReportKind::TransactionList);
    const QString date = list.model().data(list.model().index(0, 1)).toString();
    ASSERT_FALSE(date.isEmpty());
    EXPECT_GT(list.list().horizontalHeader()->sectionSize(1),
              list.list().fontMetrics().horizontalAdvance(date));
}

TEST_F(ReportWindowTest, AHeaderClickSortsAndASecondClickTurnsTheOrder)
{
    ASSERT_TRUE(m_window->periodBar().choosePeriod(1));
    press(ReportKind::Categories);
    ReportView& view = *m_window->view(ReportKind::Categories);
    QHeaderView* header = view.list().horizontalHeader();
    const auto totals = [&] {
        std::vector<qint64> out;
        ReportModel& model = view.model();
        for (int r = 0; r < model.rowCount(); ++r) {
            const QString text = model.data(model.index(r, 4)).toString();
            out.push_back(amountOf(text));
        }
        return out;
    };
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(4) + 5, header->height() / 2));
    std::vector<qint64> ascending = totals();
    ASSERT_GT(ascending.size(), 2u);
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(4) + 5, header->height() / 2));
    std::vector<qint64> descending = totals();
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(ReportWindowTest, AChangeByTheMainProgramShowsRecalcAndKeepsTheRowsUntilPressed)
{
    press(ReportKind::Categories);
    ReportView& view = *m_window->view(ReportKind::Categories);
    ASSERT_TRUE(m_window->periodBar().choosePeriod(0));  // "Last Year": 2023
    EXPECT_TRUE(view.recalcShown());
    view.recalcButton().click();
    EXPECT_FALSE(view.recalcShown());
    const auto groceries = [this] {
        const QStringList shown = rows(ReportKind::Categories);
        const auto it = std::find_if(shown.begin(), shown.end(), [](const QString& r) {
            return r.startsWith(QStringLiteral("Groceries\t"));
        });
        return it == shown.end() ? QString() : *it;
    };
    const QStringList before = rows(ReportKind::Categories);
    ASSERT_FALSE(groceries().isEmpty());

    ASSERT_EQ(cli({QStringLiteral("add"), QStringLiteral("Cash"), QStringLiteral("-12.34"),
                   QStringLiteral("--date"), QStringLiteral("2023-12-30"), QStringLiteral("--category"),
                   QStringLiteral("Groceries")}),
              0)
        << m_err.toStdString();
    m_window->reactivate();
    EXPECT_TRUE(view.recalcShown());
    EXPECT_EQ(rows(ReportKind::Categories), before);

    const QString oldGroceries = groceries();
    view.recalcButton().click();
    EXPECT_FALSE(view.recalcShown());
    const QString newGroceries = groceries();
    EXPECT_NE(newGroceries, oldGroceries);
    // $0.00, then the payments grown by 12.34.
    const auto payment = [](const QString& row) { return amountOf(row.section(u'\t', 2, 2)); };
    EXPECT_EQ(payment(newGroceries) - payment(oldGroceries), 1234);
}

TEST_F(ReportWindowTest, EachViewSavesEachFormatAsTheCommandLineDoes)
{
    chooseFilter();
    const std::pair<ReportKind, QString> kinds[] = {
        {ReportKind::TransactionList, QStringLiteral("transactions")},
        {ReportKind::Categories, QStringLiteral("categories")},
        {ReportKind::Projects, QStringLiteral("projects")}};
    const std::tuple<ReportFormat, QString, QString> formats[] = {
        {ReportFormat::Text, QStringLiteral("text"), QStringLiteral("txt")},
        {ReportFormat::Html, QStringLiteral("html"), QStringLiteral("htm")},
        {ReportFormat::PocketExcel, QStringLiteral("pxl"), QStringLiteral("pxl")},
        {ReportFormat::Csv, QStringLiteral("csv"), QStringLiteral("csv")}};
    for (const auto& [kind, name] : kinds) {
        press(kind);
        for (const auto& [format, formatName, extension] : formats) {
            const QString mine = m_dir.filePath(QStringLiteral("window-%1.%2").arg(name, extension));
            const QString theirs = m_dir.filePath(QStringLiteral("cli-%1.%2").arg(name, extension));
            DialogScript script;
            script.then(title(QStringLiteral("Quarter")));
            script.then(file(mine));
            if (format == ReportFormat::Html)
                script.then(answerNo());
            m_window->saveAs(format);
            EXPECT_TRUE(script.done()) << script.seen.join(u',').toStdString();
            ASSERT_EQ(cli(QStringList{QStringLiteral("report"), name} + filterOptions() +
                          QStringList{QStringLiteral("--format"), formatName, QStringLiteral("--title"),
                                      QStringLiteral("Quarter"), QStringLiteral("--out"), theirs}),
                      0)
                << m_err.toStdString();
            QFile a(mine);
            QFile b(theirs);
            ASSERT_TRUE(a.open(QIODevice::ReadOnly)) << mine.toStdString();
            ASSERT_TRUE(b.open(QIODevice::ReadOnly));
            const QByteArray bytes = a.readAll();
            EXPECT_GT(bytes.size(), 50);
            EXPECT_EQ(bytes, b.readAll()) << name.toStdString() << ' ' << formatName.toStdString();
        }
    }
    EXPECT_EQ(m_session->settings().folder(ReportSettings::Text::ExportFolder).remove(u'/'),
              m_dir.path().remove(u'/'));
}

TEST_F(ReportWindowTest, ASavedFilterLoadsBackAndABadFileSaysSo)
{
    chooseFilter();
    const QString path = m_dir.filePath(QStringLiteral("checking.tyf"));
    {
        DialogScript script;
        script.then(file(path));
        m_window->saveFilter();
        EXPECT_TRUE(script.done());
    }
    m_session->filter().clearLists();
    m_window->selectionTree().refill();
    ASSERT_EQ(m_window->selectionTree().itemWithKey(-2)->checkState(0), Qt::Unchecked);
    const QString bad = m_dir.filePath(QStringLiteral("bad.tyf"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("tyf\x01\x01\x02\x01\x00", 8));  // a list cut short
    }
    QString message;
    {
        DialogScript script;
        script.then(file(bad));
        script.then([&message](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box)
                return false;
            message = box->text();
            box->accept();
            return true;
        });
        m_window->loadFilter();
        EXPECT_TRUE(script.done());
    }
    EXPECT_EQ(message, QStringLiteral("Error Read File"));
    {
        DialogScript script;
        script.then(file(path));
        m_window->loadFilter();
        EXPECT_TRUE(script.done());
    }
    EXPECT_EQ(m_session->filter().ids(ReportFilter::IdKind::Accounts).size(), 3);
    EXPECT_EQ(m_window->selectionTree().itemWithKey(-2)->checkState(0), Qt::Checked);
    EXPECT_TRUE(m_window->advancedFilterButton().isChecked());
    EXPECT_TRUE(m_window->view(ReportKind::TransactionList)->recalcShown());
}

// The distinct colours of an image, up to `enough`.
int coloursOf(const QImage& image, int enough)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < enough; y += 3)
        for (int x = 0; x < image.width() && seen.size() < enough; x += 3)
            seen.insert(image.pixel(x, y));
    return int(seen.size());
}

TEST_F(ReportWindowTest, TheChartShowsTheReportsRowsAndFollowsRecalc)
{
    chooseFilter();
    press(ReportKind::Categories);
    ChartPanel& panel = m_window->chartPanel();
    EXPECT_FALSE(panel.isVisible());
    m_window->chartButton().click();
    ASSERT_TRUE(panel.isVisible());
    const GroupReport& report =
        dynamic_cast<GroupReportModel&>(m_window->view(ReportKind::Categories)->model()).table().report();
    // The pie pair: one slice per counted row with outflows, in the rows' order.
    ASSERT_EQ(panel.views().size(), 2u);
    auto* outflows = qobject_cast<QPieSeries*>(panel.views()[0]->chart()->series().value(0));
    ASSERT_NE(outflows, nullptr);
    std::vector<std::pair<QString, qint64>> expected;
    for (const GroupRow& r : report.rows)
        if (r.counted && !r.payments.isZero())
            expected.emplace_back(r.label, r.payments.hundredths());
    ASSERT_EQ(size_t(outflows->count()), expected.size());
    ASSERT_FALSE(expected.empty());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(outflows->slices()[int(i)]->label().startsWith(expected[i].first));
        EXPECT_EQ(qRound64(outflows->slices()[int(i)]->value() * 100), expected[i].second);
    }
    panel.setKind(ChartKind::Bar);
    ASSERT_EQ(panel.views().size(), 1u);
    EXPECT_EQ(panel.chart().bars.size(),
              size_t(std::count_if(report.rows.begin(), report.rows.end(), [](const GroupRow& r) {
                  return r.counted && (!r.deposits.isZero() || !r.payments.isZero());
              })));

    // A new transaction reaches the chart with "Recalc", as it reaches the list.
    const auto outflowBars = [&panel] {
        qint64 sum = 0;
        for (const ChartBar& b : panel.chart().bars)
            sum += b.outflows.hundredths();
        return sum;
    };
    const qint64 before = outflowBars();
    ASSERT_EQ(cli({QStringLiteral("add"), QStringLiteral("Cash"), QStringLiteral("-12.34"),
                   QStringLiteral("--date"), QStringLiteral("2023-12-30"), QStringLiteral("--category"),
                   QStringLiteral("Groceries")}),
              0)
        << m_err.toStdString();
    m_window->reactivate();
    ReportView& view = *m_window->view(ReportKind::Categories);
    ASSERT_TRUE(view.recalcShown());
    view.recalcButton().click();
    EXPECT_EQ(outflowBars() - before, 1234);

    const ReportChart groupCharts[] = {ReportChartData::pie(report, QStringLiteral("T")),
                                       ReportChartData::bar(report, QStringLiteral("T"))};

    // The transaction list has the line only; its last point is the list's total.
    press(ReportKind::TransactionList);
    EXPECT_EQ(panel.kind(), ChartKind::Line);
    ReportModel& list = m_window->view(ReportKind::TransactionList)->model();
    ASSERT_EQ(qint64(panel.chart().points.size()), list.reportRows());
    EXPECT_EQ(panel.chart().points.back().value, list.totals().net);

    // Drawn off screen and saved: a real picture, in both formats.
    for (const ReportChart& chart : {panel.chart(), groupCharts[0], groupCharts[1]})
        EXPECT_GE(coloursOf(ChartRenderer::image(chart), 16), 16) << int(chart.kind);
    QString error;
    ASSERT_TRUE(panel.saveTo(m_dir.filePath(QStringLiteral("line.png")), &error)) << error.toStdString();
    ASSERT_TRUE(panel.saveTo(m_dir.filePath(QStringLiteral("line.svg")), &error)) << error.toStdString();
    QImage saved(m_dir.filePath(QStringLiteral("line.png")));
    EXPECT_EQ(saved.size(), ChartRenderer::sizeOf(panel.chart()));
    QFile svg(m_dir.filePath(QStringLiteral("line.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
}

TEST_F(ReportWindowTest, TheTitleDialogAddsTheChartToHtmlOnlyWhenTicked)
{
    chooseFilter();
    press(ReportKind::Categories);
    const QString mine = m_dir.filePath(QStringLiteral("window-chart.htm"));
    {
        DialogScript script;
        script.then([](QWidget* w) {
            auto* d = qobject_cast<QInputDialog*>(w);
            auto* box = d ? d->findChild<QCheckBox*>() : nullptr;
            if (!box || box->isChecked() || box->accessibleName() != QStringLiteral("Include Chart"))
                return false;
            box->setChecked(true);
            d->accept();
            return true;
        });
        script.then(file(mine));
        script.then(answerNo());
        m_window->saveAs(ReportFormat::Html);
        EXPECT_TRUE(script.done()) << script.seen.join(u',').toStdString();
    }
    QFile page(mine);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.contains("<svg")) << "no chart in the page";
    EXPECT_TRUE(bytes.endsWith("</p> \n</body> \n</html>"));
    // Other formats ask for the title alone.
    DialogScript text;
    text.then([](QWidget* w) {
        auto* d = qobject_cast<QInputDialog*>(w);
        if (!d || d->findChild<QCheckBox*>())
            return false;
        d->reject();
        return true;
    });
    m_window->saveAs(ReportFormat::Text);
    EXPECT_TRUE(text.done());
}

TEST_F(ReportWindowTest, SaveAsWritesAnExcelWorkbookOfTheShownReport)
{
    chooseFilter();
    press(ReportKind::Projects);
    const QString mine = m_dir.filePath(QStringLiteral("projects"));
    {
        DialogScript script;
        script.then(title(QStringLiteral("Quarter")));
        script.then([mine](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            if (!d || d->nameFilters() != QStringList{QStringLiteral("Excel Workbook (*.xlsx)")})
                return false;
            d->selectFile(mine);
            static_cast<QDialog*>(d)->accept();
            return true;
        });
        m_window->saveAs(ReportFormat::Xlsx);
        EXPECT_TRUE(script.done()) << script.seen.join(u',').toStdString();
    }
    // The default suffix was added; a workbook is a zip archive.
    QFile book(mine + QStringLiteral(".xlsx"));
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_TRUE(book.read(4) == QByteArray("PK\x03\x04", 4));
    EXPECT_TRUE(
        QDir(m_dir.path()).entryList({QStringLiteral(".projects*")}, QDir::Hidden | QDir::Files).isEmpty())
        << "a temporary file was left";
}

}  // namespace
