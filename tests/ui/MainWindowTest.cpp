#include "shell/ui/MainWindow.h"

#include "WindowBook.h"
#include "accounts/ui/RegisterModel.h"
#include "planning/ui/PlannerPage.h"
#include "reference/ui/ProjectsPage.h"
#include "shell/ui/BalanceHistoryWindow.h"
#include "shell/ui/RegisterPage.h"
#include "toolkit/ui/CoolList.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>

namespace {

class MainWindowTest : public WindowBook {
protected:
    MainWindowTest() : WindowBook(false) {}

    QString cell(int row, RegisterColumn column)
    {
        RegisterModel& model = *page().model();
        return model.data(model.index(row, model.columnOf(column))).toString();
    }
    // Answers the next message box with `button` once it is shown.
    static void answerNextBox(QMessageBox::StandardButton button, QString* text = nullptr)
    {
        QTimer::singleShot(0, [button, text] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            if (text)
                *text = box->text();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            box->button(button)->click();
        });
    }
    // What the store holds, through a register of its own.
    Register stored(qint32 account)
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale);
        EXPECT_TRUE(reg.select(account));
        return reg;
    }
    qint64 transactionsOf(qint32 account) { return stored(account).transactionCount(); }
};

TEST_F(MainWindowTest, OpensOnTheRememberedAccountWithTheMenuOfWhatIsBuilt)
{
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Tallyra"));
    EXPECT_EQ(page().accountSelector()->accessibleName(), QStringLiteral("Account"));
    EXPECT_EQ(page().accountSelector()->count(), 2);
    EXPECT_EQ(page().list()->accessibleName(), QStringLiteral("Register"));
    EXPECT_EQ(page().reg().accountId(), 1);
    EXPECT_EQ(cell(1, RegisterColumn::Description), QStringLiteral("Groceries"));
    // The new row is selected, as an account opens.
    EXPECT_EQ(page().list()->currentRow(), 2);
    EXPECT_TRUE(page().balanceBar()->text().startsWith(QStringLiteral("Balance:  ")));
    EXPECT_TRUE(page().negativeMarker()->isVisibleTo(m_window.get()));

    const QList<QAction*> menus = m_window->menu()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    QStringList items;
    for (QAction* a : menus[0]->menu()->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, QStringList({"About...", "-", "Database Clearing...", "-", "&Export...",
                                  "&Import from QIF...", "Import from &OFX/QFX...", "Import from &CSV...",
                                  "-", "&Backup...", "Re&store...", "-", "&Reports...", "-", "E&xit"}));
    EXPECT_EQ(m_window->commands().find(32771), m_window->commands().find(MainCommands::Exit));
    // Every command of the table has its window now: none is left without a handler.
    for (const MainCommand& c : m_window->commands().all())
        EXPECT_TRUE(bool(c.handler)) << c.id;
}

TEST_F(MainWindowTest, DigitKeysSwitchAccountsAndAKeyPastTheLastKeepsTheShownOne)
{
    page().list()->setFocus();
    QTest::keyClick(page().list(), Qt::Key_2);
    EXPECT_EQ(page().reg().accountId(), m_second);
    EXPECT_EQ(m_book.settings().read(TallyraSettings::Int::AccountId), m_second);
    EXPECT_EQ(page().accountSelector()->currentData().toInt(), m_second);
    QTest::keyClick(page().list(), Qt::Key_0);
    EXPECT_EQ(page().reg().accountId(), m_second);
    QTest::keyClick(page().list(), Qt::Key_1);
    EXPECT_EQ(page().reg().accountId(), 1);
}

TEST_F(MainWindowTest, DeleteAsksWithNoAsDefaultAndRemovesTheRowOnlyOnYes)
{
    CoolList& list = *page().list();
    list.selectRow(1);
    QString question;
    answerNextBox(QMessageBox::No, &question);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(question, QString::fromLatin1(TransactionEditor::DeleteQuestion));
    EXPECT_EQ(transactionsOf(1), 2);

    answerNextBox(QMessageBox::Yes);
    QTest::keyClick(&list, Qt::Key_Backspace);
    EXPECT_EQ(transactionsOf(1), 1);
    EXPECT_EQ(page().model()->rowCount(), 2);
    EXPECT_EQ(cell(1, RegisterColumn::Description), QStringLiteral("<_New_Transaction_>"));
    EXPECT_FALSE(page().negativeMarker()->isVisibleTo(m_window.get()));
    // The new row is not a transaction: nothing is asked, nothing removed.
    list.selectRow(1);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(transactionsOf(1), 1);
}

TEST_F(MainWindowTest, ClickingTheIconColumnAdvancesTheStoredMark)
{
    CoolList& list = *page().list();
    ASSERT_EQ(stored(1).entry(1)->mark, ReconcileMark::Unreconciled);
    const QRect icon = list.visualRect(page().model()->index(1, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, icon.center());
    EXPECT_EQ(stored(1).entry(1)->mark, ReconcileMark::Cleared);
    EXPECT_EQ(page().model()->data(page().model()->index(1, 0), Qt::AccessibleTextRole).toString(),
              QStringLiteral("Cleared (C)"));
    // A click in another column selects the row and leaves the mark.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(page().model()->index(1, 3)).center());
    EXPECT_EQ(stored(1).entry(1)->mark, ReconcileMark::Cleared);
    EXPECT_EQ(list.currentRow(), 1);
}

TEST_F(MainWindowTest, ExitSavesBandWidthsColumnWidthsAndTheColumnSet)
{
    QList<int> sizes = m_window->bands()->sizes();
    sizes[1] += 30;
    m_window->bands()->setSizes(sizes);
    const QList<int> chosen = m_window->bands()->sizes();
    page().list()->horizontalHeader()->resizeSection(page().model()->columnOf(RegisterColumn::Description),
                                                     222);
    m_window->exitProgram();
    EXPECT_TRUE(m_window->stateSaved());
    const TallyraSettings& s = m_book.settings();
    EXPECT_EQ(s.read(TallyraSettings::Int::Panel0Width), chosen[0]);
    EXPECT_EQ(s.read(TallyraSettings::Int::Panel1Width), chosen[1]);
    EXPECT_EQ(s.read(TallyraSettings::Int::ListNspDesc), 222);
    EXPECT_EQ(s.read(TallyraSettings::Int::ShowProperties), 0);
    // The other set's widths are written as they were read.
    EXPECT_EQ(s.read(TallyraSettings::Int::ListSpDesc), 163);
}

TEST_F(MainWindowTest, TheBalancePopupOpensTheShownAccountsBalanceHistory)
{
    QString title;
    QTimer::singleShot(0, [&title] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        QAction* history = nullptr;
        for (QAction* a : popup->actions())
            if (a->text() == QString::fromLatin1(BalanceHistoryWindow::MenuText))
                history = a;
        ASSERT_NE(history, nullptr);
        // The window opens once the menu has closed.
        QTimer::singleShot(0, [&title] {
            QWidget* window = QApplication::activeModalWidget();
            ASSERT_NE(window, nullptr);
            const QList<QChartView*> views = window->findChildren<QChartView*>();
            if (views.size() == 1)
                title = views.front()->chart()->title();
            window->close();
        });
        history->trigger();
        popup->close();
    });
    // Closes whatever a failure left open, so the test ends.
    QTimer::singleShot(3000, [] {
        if (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
    QTest::mouseClick(page().balanceBar(), Qt::LeftButton);
    EXPECT_EQ(title, QStringLiteral("Cash (EUR)"));
}

TEST_F(MainWindowTest, ThePlanAndProjectListsShowTheirColumnWidthsAgainAfterARestart)
{
    auto planList = [](MainWindow& window) { return window.findChild<PlannerPage*>()->list(); };
    auto projectList = [](MainWindow& window) { return window.findChild<ProjectsPage*>()->list(); };
    planList(*m_window)->horizontalHeader()->resizeSection(2, 211);
    projectList(*m_window)->horizontalHeader()->resizeSection(2, 187);
    m_window->exitProgram();
    ASSERT_TRUE(m_window->stateSaved());
    m_window.reset();

    MainWindow again(m_book, m_clock, m_qlocale, m_locale, m_lock);
    EXPECT_EQ(planList(again)->horizontalHeader()->sectionSize(2), 211);
    EXPECT_EQ(projectList(again)->horizontalHeader()->sectionSize(2), 187);
}

}  // namespace
