#include "reference/ui/ProjectsPage.h"

#include "platform/FixedClock.h"
#include "reference/ProjectPageLines.h"
#include "shell/CliCommandTable.h"
#include "shell/CliRunner.h"
#include "shell/ExitStep.h"
#include "shell/MainBook.h"
#include "shell/StartUp.h"
#include "support/ScriptedInteraction.h"
#include "toolkit/ui/CoolList.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString Now = QStringLiteral("2024-02-15T10:00:00");

class NoFirstAccount : public FirstAccountSource {
public:
    std::optional<AccountDraft> firstAccount(QStringView) override { return std::nullopt; }
};

// The demo book, filled by tallyra-cli in this process, then opened as the
// main program opens it for the page; the CLI reads it again once closed.
class ProjectsPageTest : public ::testing::Test {
protected:
    int cli(const QStringList& arguments)
    {
        m_out.clear();
        QString err;
        QTextStream out(&m_out);
        QTextStream errors(&err);
        const CliCommandTable commands = CliCommandTable::standard();
        CliRunner runner(commands, out, errors);
        const int code = runner.run(
            QStringList{QStringLiteral("--data"), m_dir.path(), QStringLiteral("--now"), Now} + arguments,
            [](const char*) { return QString(); });
        out.flush();
        return code;
    }

    // Every project's net total as `tallyra-cli projects` gives it.
    std::map<qint32, qint64> cliNetTotals()
    {
        EXPECT_EQ(cli({QStringLiteral("--json"), QStringLiteral("projects")}), 0);
        std::map<qint32, qint64> nets;
        for (const QJsonValue v : QJsonDocument::fromJson(m_out.toUtf8()).array()) {
            const QJsonObject p = v.toObject();
            nets[p[QStringLiteral("id")].toInt()] = p[QStringLiteral("own_deposits")].toInteger() -
                                                    p[QStringLiteral("own_payments")].toInteger() +
                                                    p[QStringLiteral("subtree_deposits")].toInteger() -
                                                    p[QStringLiteral("subtree_payments")].toInteger();
        }
        return nets;
    }

    QTemporaryDir m_dir;
    QString m_out;
    FixedClock m_clock{LocalTime{2024, 2, 15, 10, 0, 0, 0}};
    LocaleValues m_locale;
    ScriptedInteraction m_ui;
};

struct OpenBook {
    explicit OpenBook(const QString& path, const Clock& clock, ScriptedInteraction& ui,
                      const LocaleValues& locale)
        : folder(*BookFolder::open(path)), book(folder)
    {
        NoFirstAccount none;
        StartUp startUp(book, clock, ui, none, StartUp::standardHooks(book, clock, locale, ui));
        ready = startUp.run() == StartUp::Outcome::Ready;
    }
    ~OpenBook() { ExitStep::run(book); }

    BookFolder folder;
    MainBook book;
    bool ready = false;
};

TEST_F(ProjectsPageTest, TotalsShownAfterAMoveAndADeleteEqualTheCommandLines)
{
    ASSERT_EQ(cli({QStringLiteral("demo")}), 0);
    std::map<qint32, qint64> shown;
    {
        OpenBook open(m_dir.path(), m_clock, m_ui, m_locale);
        ASSERT_TRUE(open.ready);
        MainBook& book = open.book;
        ProjectsPage page(
            ProjectsPageContext{book.tables(),
                                book.projects(),
                                book.totals(),
                                book.currencies(),
                                m_ui,
                                [&] {
                                    ProjectPage::Context c;
                                    c.defaultCode = book.state().defaultCurrency;
                                    c.locale = m_locale;
                                    c.today = fileTimeNow(m_clock).value_or(0);
                                    c.horizon = book.future().horizon();
                                    c.futureListChanges = book.future().changeCount();
                                    return c;
                                },
                                [&book] {
                                    return TreePasteTotals{&book.totals(), book.state().defaultCurrency};
                                },
                                {},
                                {},
                                {}});
        QAbstractItemModelTester rows(page.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester tree(&page.tree()->treeModel(),
                                      QAbstractItemModelTester::FailureReportingMode::Fatal);
        page.resize(800, 500);
        page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.refresh();

        // The projects holding transactions, and a new top-level project to move one under.
        Projects& projects = book.projects();
        std::vector<qint32> withRows;
        for (const TreeRecord& r : projects.tree().records()) {
            page.showProject(r.id);
            if (r.id != TreeTable::RootId && page.logic().transactionRows() > 0)
                withRows.push_back(r.id);
        }
        ASSERT_GE(withRows.size(), 2u);
        const qint32 moved = withRows.front();
        const qint32 deleted = withRows.back();
        ASSERT_FALSE(projects.tree().hasChildren(deleted));
        const qint32 elsewhere = projects.createByPath(QStringLiteral("Elsewhere"));
        ASSERT_GT(elsewhere, 0);
        page.refresh();

        // The move through the tree; the totals follow to the new ancestors.
        page.showProject(moved);
        EXPECT_EQ(page.tree()->selectedId(), moved);
        page.tree()->cut();
        EXPECT_EQ(page.tree()->pasteOn(elsewhere), TreeClipboard::Outcome::Moved);
        EXPECT_EQ(projects.tree().record(moved)->parent, elsewhere);
        page.showProject(elsewhere);
        const Money movedNet = book.totals().totalsOf(moved)->netTotal();
        EXPECT_NE(movedNet.hundredths(), 0);
        EXPECT_EQ(
            page.totalLine()->text(),
            ProjectPageLines::totalLine(movedNet, book.currencies(), book.state().defaultCurrency, m_locale));

        // A tap on a project's check box stores the mark and shows that project.
        const QModelIndex box = page.tree()->treeModel().indexOfId(moved);
        ASSERT_EQ(box.data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
        ASSERT_TRUE(page.tree()->treeModel().flags(box) & Qt::ItemIsUserCheckable);
        page.tree()->model()->setData(box, Qt::Checked, Qt::CheckStateRole);
        QCoreApplication::processEvents();
        EXPECT_EQ(projects.tree().record(moved)->checkState, 1);
        EXPECT_EQ(page.logic().selected(), moved);
        EXPECT_EQ(page.tree()->treeModel().indexOfId(moved).data(Qt::CheckStateRole), QVariant(Qt::Checked));

        // Enter in the tree draws the list again: a sub-project made elsewhere appears.
        const int rowsBefore = page.model()->rowCount();
        ASSERT_GT(projects.create(moved, QStringLiteral("Later")), 0);
        EXPECT_EQ(page.model()->rowCount(), rowsBefore);
        page.tree()->setFocus();
        QTest::keyClick(page.tree(), Qt::Key_Return);
        EXPECT_EQ(page.model()->rowCount(), rowsBefore + 1);

        // The delete from the list's sub-project row, after its question.
        const qint32 parent = projects.tree().record(deleted)->parent;
        page.showProject(parent);
        int row = -1;
        for (size_t i = 0; i < page.logic().rows().size(); ++i)
            if (page.logic().rows()[i].projectId == deleted &&
                page.logic().rows()[i].kind == ProjectPageRow::Kind::SubProject)
                row = static_cast<int>(i);
        ASSERT_GE(row, 0);
        QMenu menu;
        ASSERT_TRUE(page.fillContextMenu(menu, row));
        EXPECT_EQ(menu.actions().last()->text(), QString::fromLatin1(ProjectPageLines::DeleteText));
        m_ui.answer(true);
        page.list()->selectRow(row);
        QTest::keyClick(page.list(), Qt::Key_Delete);
        EXPECT_FALSE(projects.tree().exists(deleted));
        EXPECT_FALSE(page.tree()->treeModel().indexOfId(deleted).isValid());

        // What the page shows: each project's net total on its parent's sub-project
        // row, and the same amount on its own Total line.
        for (const TreeRecord& r : projects.tree().records()) {
            if (r.id == TreeTable::RootId)
                continue;
            page.showProject(r.parent);
            for (int i = 0; i < page.model()->rowCount(); ++i) {
                const ProjectPageRow& shownRow = page.logic().rows()[static_cast<size_t>(i)];
                if (shownRow.kind != ProjectPageRow::Kind::SubProject || shownRow.projectId != r.id)
                    continue;
                shown[r.id] = shownRow.amount.hundredths();
                EXPECT_EQ(page.model()->index(i, ProjectListModel::AmountColumn).data().toString(),
                          shownRow.amountText);
            }
            page.showProject(r.id);
            EXPECT_EQ(page.totalLine()->text(),
                      ProjectPageLines::totalLine(Money::fromHundredths(shown[r.id]), book.currencies(),
                                                  book.state().defaultCurrency, m_locale));
        }
        QMenu total;
        ASSERT_TRUE(page.fillTotalPopup(total));
        EXPECT_TRUE(
            total.actions().last()->text().startsWith(QString::fromLatin1(ProjectPageLines::CountLabel)));
    }
    std::map<qint32, qint64> expected = cliNetTotals();
    expected.erase(TreeTable::RootId);
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(expected.empty());
}

}  // namespace
