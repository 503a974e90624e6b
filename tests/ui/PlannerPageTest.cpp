#include "planning/ui/PlannerPage.h"

#include "WindowBook.h"
#include "accounts/ui/RegisterModel.h"
#include "accounts/ui/TransactionEditorPanel.h"
#include "planning/RecurrenceRule.h"
#include "planning/ui/FutureBarWidget.h"
#include "planning/ui/PlannerEditorPanel.h"
#include "reference/ui/EntryFieldsForm.h"
#include "reference/ui/TreeSelectDialog.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/RegisterPage.h"
#include "store/DateText.h"
#include "toolkit/ui/CalcEdit.h"
#include "toolkit/ui/CoolList.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using Field = PlannerEditor::Field;

// The "Future" page and the register of "Cash" (rows 0 and 1, then the new
// row 2, then the future rows) side by side on the book of RegisterBook, on
// 5 March 2024.
class PlannerPageTest : public RegisterBook {
protected:
    void SetUp() override
    {
        RegisterBook::SetUp();
        m_book.settings().write(TallyraSettings::Int::ShowProperties, 1);
        m_book.settings().write(TallyraSettings::Int::AccountId, 1);
        m_register = std::make_unique<RegisterPage>(m_book, m_clock, m_locale, m_ui, m_conversion);
        m_register->showRemembered();
        m_planner = std::make_unique<PlannerPage>(PlannerPageContext{
            m_book.tables(), m_book.currencies(), m_book.categories(), m_book.projects(), m_book.totals(),
            m_book.future(), m_clock, m_locale, m_ui, [] { return QStringLiteral("EUR"); },
            m_book.folder().contactsPath(), CodePage::defaultPage()});
        m_planner->resize(900, 500);
        m_planner->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_planner.get()));
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_planner->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override
    {
        m_tester.reset();
        m_planner.reset();
        m_register.reset();
    }

    PlannerEditorPanel& panel() { return *m_planner->editorPanel(); }
    QLineEdit* line(Field f) { return qobject_cast<QLineEdit*>(panel().fieldWidget(f)); }
    static void typeInto(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    static void choose(QComboBox* list, int index)
    {
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }
    static void enterCount(QLineEdit* field, const QString& text)
    {
        field->setText(text);
        Q_EMIT field->editingFinished();
    }
    // A new plan through the editor: a payment in EUR from today, monthly,
    // with `entries` entries (0: ongoing). True when it was written.
    bool newPlan(const QString& description, const QString& amount, int entries)
    {
        m_planner->startNew();
        typeInto(line(Field::Description), description);
        typeInto(line(Field::Amount), amount);
        choose(panel().ruleList(), RecurrenceRule::Monthly);
        if (entries > 0) {
            choose(panel().entriesMode(), 1);
            enterCount(panel().entriesField(), QString::number(entries));
        }
        return panel().save(false);
    }
    QString cell(int row, PlannerColumn column)
    {
        PlannerListModel& model = *m_planner->model();
        return model.data(model.index(row, static_cast<int>(column))).toString();
    }
    static FileTime day(int year, int month, int d) { return *fileTimeFromLocal(LocalTime{year, month, d}); }
    QString dateText(int year, int month, int d) { return dateWithWeekday(day(year, month, d), m_locale); }
    // The register's future rows follow its transactions and the new row.
    int futureRows()
    {
        m_register->refresh();
        return m_register->model()->rowCount() - static_cast<int>(m_register->reg().transactionCount()) - 1;
    }
    void tapIcon(int row)
    {
        CoolList& list = *m_planner->list();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualRect(m_planner->model()->index(row, 0)).center());
    }
    // Posts `amount` (empty: the whole outstanding amount) of the register's
    // first future row, answering Yes to the question.
    bool postFirstFutureRow(const QString& amount)
    {
        TransactionEditorPanel& editor = *m_register->editorPanel();
        if (!editor.load(m_register->reg().transactionCount() + 1))
            return false;
        if (!amount.isEmpty())
            typeInto(qobject_cast<QLineEdit*>(editor.fieldWidget(TransactionEditor::Field::Amount)), amount);
        m_ui.answer(true);
        return editor.save(false);
    }

    AcceptingConversion m_conversion;
    std::unique_ptr<RegisterPage> m_register;
    std::unique_ptr<PlannerPage> m_planner;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

TEST_F(PlannerPageTest, ListsPlansInIdOrderThenTheNewRowWithEvenRowsBanded)
{
    PlannerListModel& model = *m_planner->model();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(cell(0, PlannerColumn::Description), QStringLiteral("<_New_Time_Table_>"));
    EXPECT_EQ(cell(0, PlannerColumn::Starts), dateText(2024, 3, 5));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Starts"));

    ASSERT_TRUE(newPlan(QStringLiteral("Rent"), QStringLiteral("50.00"), 3));
    ASSERT_TRUE(newPlan(QStringLiteral("Gym"), QStringLiteral("20.00"), 0));
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(0, PlannerColumn::Description), QStringLiteral("Rent"));
    EXPECT_EQ(cell(1, PlannerColumn::Description), QStringLiteral("Gym"));
    EXPECT_EQ(cell(2, PlannerColumn::Description), QStringLiteral("<_New_Time_Table_>"));
    EXPECT_TRUE(cell(0, PlannerColumn::Amount).contains(QStringLiteral("50.00")));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QBrush>().color(),
              QColor(198, 255, 198));
    EXPECT_FALSE(model.data(model.index(1, 0), Qt::BackgroundRole).isValid());
    EXPECT_EQ(model.data(model.index(0, 0), Qt::AccessibleTextRole).toString(), QStringLiteral("Repeating"));
    // The saved plan stays selected and loaded.
    EXPECT_EQ(m_planner->list()->currentRow(), 1);
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("Gym"));
}

TEST_F(PlannerPageTest, APlanTakesItsCategoryByTypeAheadItsProjectByPickerAndKeysEmptyAField)
{
    const qint32 day = m_book.projects().createByPath(QStringLiteral("Trip:Day"));
    EntryFieldsForm& fields = *panel().fields();
    m_planner->startNew();
    typeInto(line(Field::Description), QStringLiteral("Fuel card"));
    typeInto(line(Field::Amount), QStringLiteral("40.00"));
    // Typing at the end completes to the first path the text starts.
    typeInto(line(Field::Category), QStringLiteral("auto:f"));
    EXPECT_EQ(line(Field::Category)->text(), QStringLiteral("Auto:Fuel"));

    QTimer::singleShot(0, [&fields, day] {
        TreeSelectDialog& dialog = *fields.projectPicker();
        const QModelIndex item = dialog.model().indexOfId(day);
        ASSERT_TRUE(item.isValid());
        dialog.tree()->setCurrentIndex(item);
        Q_EMIT dialog.tree()->doubleClicked(item);
    });
    QTimer::singleShot(3000, fields.projectPicker(), [&fields] { fields.projectPicker()->reject(); });
    QTest::mouseClick(fields.projectPickerButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Project)->text(), QStringLiteral("Trip:Day"));

    // Backspace empties a picker field as a whole.
    typeInto(line(Field::Contact), QStringLiteral("Garage"));
    QTest::keyClick(line(Field::Contact), Qt::Key_Backspace);
    EXPECT_EQ(line(Field::Contact)->text(), QString());
    ASSERT_TRUE(panel().save(false));

    // What was stored comes back when the plan is opened again.
    m_planner->openRow(1);
    m_planner->openRow(0);
    EXPECT_EQ(line(Field::Category)->text(), QStringLiteral("Auto:Fuel"));
    EXPECT_EQ(line(Field::Project)->text(), QStringLiteral("Trip:Day"));
    EXPECT_EQ(line(Field::Contact)->text(), QString());
}

TEST_F(PlannerPageTest, SchedulePageShowsTheDatesTheRuleGivesBeforeSaving)
{
    m_planner->startNew();
    EXPECT_FALSE(panel().entriesMode()->isVisibleTo(&panel()));
    EXPECT_EQ(panel().previewDates(), QStringList({dateText(2024, 3, 5)}));
    panel().startField()->setDate(QDate(2024, 1, 31));
    choose(panel().ruleList(), RecurrenceRule::Monthly);
    // Any rule but "Only once" starts ongoing.
    EXPECT_EQ(panel().entriesMode()->currentText(), QStringLiteral("Ongoing entry"));
    EXPECT_FALSE(panel().entriesField()->isVisibleTo(&panel()));
    const QStringList dates = panel().previewDates();
    ASSERT_EQ(dates.size(), PlannerEditorPanel::PreviewCount);
    EXPECT_EQ(dates[1], dateText(2024, 2, 29));
    EXPECT_EQ(dates[2], dateText(2024, 3, 31));
    EXPECT_TRUE(panel().preview()->text().endsWith(QStringLiteral("...")));

    choose(panel().entriesMode(), 1);
    enterCount(panel().entriesField(), QStringLiteral("2"));
    EXPECT_EQ(panel().previewDates().size(), 2);
    EXPECT_FALSE(panel().preview()->text().endsWith(QStringLiteral("...")));
}

TEST_F(PlannerPageTest, PostingFromTheRegisterPartlyThenFullyMovesStartsOn)
{
    ASSERT_TRUE(newPlan(QStringLiteral("Rent"), QStringLiteral("50.00"), 3));
    // Built up to today: the first occurrence only.
    EXPECT_EQ(futureRows(), 1);
    ASSERT_TRUE(m_register->futureBar()->chooseDay(day(2024, 5, 31)));
    EXPECT_EQ(futureRows(), 3);

    ASSERT_TRUE(postFirstFutureRow(QStringLiteral("20.00")));
    EXPECT_EQ(m_ui.questions.last(), QStringLiteral("Save scheduled to a new transaction"));
    // The rest of March stays listed; the plan still starts on its March date.
    EXPECT_EQ(m_register->reg().transactionCount(), 3);
    EXPECT_EQ(futureRows(), 3);
    m_planner->refresh();
    EXPECT_EQ(cell(0, PlannerColumn::Starts), dateText(2024, 3, 5));

    ASSERT_TRUE(postFirstFutureRow(QString()));
    EXPECT_EQ(futureRows(), 2);
    m_planner->refresh();
    EXPECT_EQ(cell(0, PlannerColumn::Starts), dateText(2024, 4, 5));
}

TEST_F(PlannerPageTest, StopHidesTheFutureRowsAndActivateBringsThemBack)
{
    ASSERT_TRUE(newPlan(QStringLiteral("Gym"), QStringLiteral("20.00"), 0));
    ASSERT_TRUE(m_register->futureBar()->chooseDay(day(2024, 5, 31)));
    ASSERT_EQ(futureRows(), 3);

    tapIcon(0);
    EXPECT_EQ(futureRows(), 0);
    EXPECT_EQ(m_planner->model()->data(m_planner->model()->index(0, 0), Qt::AccessibleTextRole).toString(),
              QStringLiteral("Stopped"));
    m_planner->toggleStopped(0);
    EXPECT_EQ(futureRows(), 3);
    EXPECT_EQ(m_planner->model()->data(m_planner->model()->index(0, 0), Qt::AccessibleTextRole).toString(),
              QStringLiteral("Repeating"));
}

TEST_F(PlannerPageTest, DeleteAsksFirstAndKeepsThePlanOnNo)
{
    ASSERT_TRUE(newPlan(QStringLiteral("Gym"), QStringLiteral("20.00"), 0));
    m_planner->list()->setFocus();
    m_planner->list()->selectRow(0);
    QTest::keyClick(m_planner->list(), Qt::Key_Delete);
    EXPECT_EQ(m_ui.questions.last(),
              QStringLiteral("This Time-Table transaction will be deleted. Do you wish to continue?"));
    EXPECT_EQ(m_planner->model()->rowCount(), 2);

    m_ui.answer(true);
    QTest::keyClick(m_planner->list(), Qt::Key_Backspace);
    EXPECT_EQ(m_planner->model()->rowCount(), 1);
    EXPECT_EQ(m_book.tables().planner().count(), 0);
    EXPECT_EQ(futureRows(), 0);
    EXPECT_TRUE(m_ui.progressLabels.contains(QStringLiteral("one moment...")));
}

TEST_F(PlannerPageTest, CountsOutsideTheirRangeAreCorrectedInTheField)
{
    m_planner->startNew();
    choose(panel().ruleList(), RecurrenceRule::Weekly);
    choose(panel().entriesMode(), 1);
    enterCount(panel().entriesField(), QStringLiteral("0"));
    EXPECT_EQ(panel().entriesField()->text(), QStringLiteral("1"));
    enterCount(panel().entriesField(), QStringLiteral("100000"));
    EXPECT_EQ(panel().entriesField()->text(), QStringLiteral("364"));
    enterCount(panel().reminderField(), QStringLiteral("100000"));
    EXPECT_EQ(panel().reminderField()->text(), QStringLiteral("364"));

    // Counts still being typed when the plan is saved are taken too.
    typeInto(line(Field::Description), QStringLiteral("Weekly"));
    typeInto(line(Field::Amount), QStringLiteral("5.00"));
    panel().entriesField()->setText(QStringLiteral("0"));
    panel().reminderField()->setText(QStringLiteral("3"));
    ASSERT_TRUE(panel().save(false));
    const std::optional<PlannerEntry> plan = m_planner->model()->list().entry(0);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->entries, 1);
    EXPECT_EQ(plan->reminderMinutes, 3 * 1440);
}

TEST_F(PlannerPageTest, BadInputIsRefusedWithAMessageAndNothingWritten)
{
    // An amount beyond the limit.
    EXPECT_FALSE(newPlan(QStringLiteral("Huge"), QStringLiteral("999999999999999999"), 0));
    EXPECT_EQ(m_ui.messages.last(), QStringLiteral("This number too large."));
    EXPECT_EQ(m_book.tables().planner().count(), 0);
    EXPECT_EQ(m_planner->model()->rowCount(), 1);

    // Nothing typed: the focus goes to the description, nothing is written.
    m_planner->startNew();
    panel().okButton()->click();
    EXPECT_EQ(QApplication::focusWidget(), line(Field::Description));
    EXPECT_EQ(m_book.tables().planner().count(), 0);
}

TEST_F(PlannerPageTest, PlansAtTheCalendarsEndsListWhatTheCalendarHolds)
{
    m_planner->startNew();
    typeInto(line(Field::Description), QStringLiteral("Last"));
    typeInto(line(Field::Amount), QStringLiteral("1.00"));
    panel().startField()->setDate(QDate(MaxYear, 11, 30));
    choose(panel().ruleList(), RecurrenceRule::Monthly);
    // Two months fit before the calendar ends; no date after it is shown.
    EXPECT_EQ(panel().previewDates().size(), 2);
    ASSERT_TRUE(panel().save(false));

    m_planner->startNew();
    typeInto(line(Field::Description), QStringLiteral("First"));
    typeInto(line(Field::Amount), QStringLiteral("1.00"));
    panel().startField()->setDate(QDate(MinYear, 1, 1));
    choose(panel().ruleList(), RecurrenceRule::Annually);
    choose(panel().entriesMode(), 1);
    enterCount(panel().entriesField(), QStringLiteral("3"));
    ASSERT_TRUE(panel().save(false));
    EXPECT_EQ(m_planner->model()->rowCount(), 3);
    // The first plan's three occurrences are due long ago; the last plan's none yet.
    EXPECT_EQ(futureRows(), 3);
}

}  // namespace

namespace {

// The main window's "Future" tab on the same book.
class PlannerTabTest : public WindowBook {
protected:
    PlannerTabTest() : WindowBook(false) {}
};

TEST_F(PlannerTabTest, LeavingTheFuturePageSavesItsEditorAndTheRegisterShowsThePlan)
{
    ASSERT_EQ(m_window->pageTabs()->tabText(1), QStringLiteral("Future"));
    ASSERT_TRUE(m_window->showPage(MainWindow::Page::Planner));
    EXPECT_EQ(m_window->currentPage(), MainWindow::Page::Planner);
    auto* planner = m_window->findChild<PlannerPage*>();
    ASSERT_NE(planner, nullptr);
    EXPECT_EQ(planner->list()->currentRow(), 0);
    auto* description =
        qobject_cast<QLineEdit*>(planner->editorPanel()->fieldWidget(PlannerEditor::Field::Description));
    auto* amount =
        qobject_cast<QLineEdit*>(planner->editorPanel()->fieldWidget(PlannerEditor::Field::Amount));
    description->setFocus();
    description->selectAll();
    QTest::keyClicks(description, QStringLiteral("Rent"));
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("12.50"));

    ASSERT_TRUE(m_window->showPage(MainWindow::Page::Register));
    EXPECT_EQ(m_book.tables().planner().count(), 1);
    RegisterModel& model = *m_window->registerPage()->model();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.data(model.index(3, model.columnOf(RegisterColumn::Description))).toString(),
              QStringLiteral("Rent"));
    EXPECT_TRUE(
        m_window->registerPage()->futureBar()->prognosisLabel()->text().contains(QStringLiteral("12.50")));
}

}  // namespace
