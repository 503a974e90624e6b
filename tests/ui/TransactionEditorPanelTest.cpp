#include "accounts/ui/TransactionEditorPanel.h"

#include "RegisterBook.h"
#include "accounts/ui/RegisterModel.h"
#include "reference/ui/ContactSelectDialog.h"
#include "reference/ui/TreeSelectDialog.h"
#include "shell/ui/RegisterPage.h"
#include "store/TextLimit.h"
#include "toolkit/ui/CalcEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

using Field = TransactionEditor::Field;

// The register page with its property panel shown, on the book of
// RegisterBook: "Cash" holds rows 0 and 1, row 2 is the new row.
class EditorPanelTest : public RegisterBook {
protected:
    void SetUp() override
    {
        RegisterBook::SetUp();
        m_book.settings().write(TallyraSettings::Int::ShowProperties, 1);
        m_book.settings().write(TallyraSettings::Int::AccountId, 1);
        m_page = std::make_unique<RegisterPage>(m_book, m_clock, m_locale, m_ui, m_conversion);
        m_page->resize(900, 500);
        m_page->showRemembered();
        m_page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_page.get()));
        m_page->activateWindow();
        m_page->list()->setFocus();
        settle();
    }
    void TearDown() override { m_page.reset(); }

    static void settle() { QCoreApplication::processEvents(); }
    TransactionEditorPanel& panel() { return *m_page->editorPanel(); }
    template <typename W> W* field(Field f) { return qobject_cast<W*>(panel().fieldWidget(f)); }
    QLineEdit* line(Field f) { return field<QLineEdit>(f); }
    QWidget* focused() { return QApplication::focusWidget(); }
    // Types into whatever has the focus.
    void type(const QString& keys) { QTest::keyClicks(focused(), keys); }
    void tab() { QTest::keyClick(focused(), Qt::Key_Tab); }
    // A dialog the test failed to close is closed, so the test ends.
    static void guard(QDialog* dialog)
    {
        QTimer::singleShot(3000, dialog, [dialog] {
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                dialog->reject();
            }
        });
    }

    Register stored(qint32 account)
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale);
        EXPECT_TRUE(reg.select(account));
        return reg;
    }
    qint64 transactionsOf(qint32 account) { return stored(account).transactionCount(); }

    AcceptingConversion m_conversion;
    std::unique_ptr<RegisterPage> m_page;
};

TEST_F(EditorPanelTest, FieldsCarryTheirNamesForAScreenReader)
{
    const std::pair<Field, const char*> names[] = {{Field::Description, "Description"},
                                                   {Field::Amount, "Amount"},
                                                   {Field::Category, "Category"},
                                                   {Field::Project, "Project"},
                                                   {Field::Contact, "Contact"},
                                                   {Field::Note, "Note"},
                                                   {Field::Date, "Date"},
                                                   {Field::Number, "No"},
                                                   {Field::Mark, "Mark As"}};
    for (const auto& [f, name] : names)
        EXPECT_EQ(panel().fieldWidget(f)->accessibleName(), QString::fromLatin1(name));
    EXPECT_EQ(panel().depositButton()->accessibleName(), QStringLiteral("Deposit"));
    EXPECT_EQ(panel().paymentButton()->accessibleName(), QStringLiteral("Payment"));
    EXPECT_EQ(panel().okButton()->accessibleName(), QStringLiteral("OK"));
    EXPECT_EQ(panel().cancelButton()->accessibleName(), QStringLiteral("Cancel"));
    EXPECT_EQ(field<QDateEdit>(Field::Date)->displayFormat(), QStringLiteral(" dddd, dd MMM yyyy"));
    // The new row is loaded as the page opens.
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("<_New_Transaction_>"));
    EXPECT_EQ(line(Field::Amount)->text(), QStringLiteral("0.00"));
    EXPECT_TRUE(panel().paymentButton()->isChecked());
}

TEST_F(EditorPanelTest, ANewTransactionTypedByKeysIsStoredWithItsCalculatedAmount)
{
    QTest::keyClick(m_page->list(), Qt::Key_N);
    ASSERT_EQ(focused(), line(Field::Description));
    type(QStringLiteral("Lunch"));
    tab();
    ASSERT_EQ(focused(), line(Field::Amount));
    // A "-" typed into the zero amount switches Payment to Deposit and is dropped.
    type(QStringLiteral("-"));
    EXPECT_TRUE(panel().depositButton()->isChecked());
    EXPECT_EQ(line(Field::Amount)->text(), QString());
    type(QStringLiteral("12+5"));
    tab();  // leaving the field completes the sum
    EXPECT_EQ(line(Field::Amount)->text(), QStringLiteral("17.00"));
    line(Field::Category)->setFocus();
    type(QStringLiteral("Dini"));  // type-ahead completes "Dining"
    EXPECT_EQ(line(Field::Category)->text(), QStringLiteral("Dining"));
    EXPECT_EQ(line(Field::Category)->selectedText(), QStringLiteral("ng"));
    panel().switchPage();
    line(Field::Number)->setFocus();
    type(QStringLiteral("77"));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);

    ASSERT_EQ(transactionsOf(1), 3);
    const RegisterEntry e = *stored(1).entry(2);
    EXPECT_EQ(e.description, QStringLiteral("Lunch"));
    EXPECT_EQ(e.amount, Money::fromHundredths(1700));
    EXPECT_EQ(e.category, m_book.categories().findByPath(QStringLiteral("Dining")));
    EXPECT_EQ(e.number, QStringLiteral("77"));
    EXPECT_EQ(e.balance, Money::fromHundredths(2500 - 4000 + 1700));
    EXPECT_TRUE(m_ui.questions.isEmpty());
    // The register shows it and the editor holds it again.
    EXPECT_EQ(m_page->model()->rowCount(), 4);
    EXPECT_EQ(m_page->list()->currentRow(), 2);
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("Lunch"));
}

TEST_F(EditorPanelTest, TheDescriptionFollowsTheCategoryUntilTypedAndPickersFillTheFields)
{
    m_page->startNewTransaction();
    line(Field::Category)->setFocus();
    type(QStringLiteral("Groc"));
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("Groceries"));
    // Backspace empties the whole field, and the description with it.
    QTest::keyClick(focused(), Qt::Key_Backspace);
    EXPECT_EQ(line(Field::Category)->text(), QString());
    EXPECT_EQ(line(Field::Description)->text(), QString());

    // The category picker: Auto:Fuel chosen and OK pressed.
    const qint32 fuel = m_book.categories().findByPath(QStringLiteral("Auto:Fuel"));
    QTimer::singleShot(0, [this, fuel] {
        TreeSelectDialog& dialog = *panel().categoryPicker();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Category & [Transfer] List"));
        // The transfer branch lists the other account.
        EXPECT_TRUE(dialog.model().indexOfId(-m_second).isValid());
        dialog.tree()->setCurrentIndex(dialog.model().indexOfId(fuel));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    guard(panel().categoryPicker());
    QTest::mouseClick(panel().categoryPickerButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Category)->text(), QStringLiteral("Auto:Fuel"));
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("Auto:Fuel"));

    // A transfer picked from the branch; the root cannot be chosen.
    QTimer::singleShot(0, [this] {
        TreeSelectDialog& dialog = *panel().categoryPicker();
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        dialog.tree()->setCurrentIndex(dialog.model().indexOfId(1));
        EXPECT_FALSE(ok->isEnabled());
        dialog.tree()->setCurrentIndex(dialog.model().indexOfId(-m_second));
        ok->click();
    });
    guard(panel().categoryPicker());
    QTest::mouseClick(panel().categoryPickerButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Category)->text(), QStringLiteral("[Savings]"));

    line(Field::Description)->selectAll();
    QTest::keyClicks(line(Field::Description), QStringLiteral("To savings"));
    line(Field::Amount)->selectAll();
    QTest::keyClicks(line(Field::Amount), QStringLiteral("10"));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    ASSERT_EQ(transactionsOf(1), 3);
    EXPECT_EQ(stored(1).entry(2)->description, QStringLiteral("To savings"));
    EXPECT_EQ(stored(1).entry(2)->category, -m_second);
    // The counterpart in Savings (EUR to EUR: the negated amount).
    ASSERT_EQ(transactionsOf(m_second), 2);
    EXPECT_EQ(stored(m_second).entry(1)->amount, Money::fromHundredths(1000));
}

TEST_F(EditorPanelTest, BadInputIsRefusedWithItsMessageTheFocusOnTheFieldAndNothingWritten)
{
    m_page->startNewTransaction();
    // An amount never edited: no save, the focus goes to it, nothing is said.
    type(QStringLiteral("Rent"));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    EXPECT_EQ(focused(), line(Field::Amount));
    EXPECT_TRUE(m_ui.messages.isEmpty());

    type(QStringLiteral("10000000000000"));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    EXPECT_EQ(m_ui.messages, QStringList({QStringLiteral("This number too large.")}));
    EXPECT_EQ(focused(), line(Field::Amount));

    line(Field::Amount)->selectAll();
    type(QStringLiteral("5"));
    line(Field::Category)->setFocus();
    type(QStringLiteral("[Nowhere]"));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    EXPECT_EQ(m_ui.messages.last(), QStringLiteral("Invalid Account name."));
    EXPECT_EQ(focused(), line(Field::Category));

    QTest::keyClick(focused(), Qt::Key_Delete);
    field<QPlainTextEdit>(Field::Note)->setPlainText(QString(TextLimit::MaxLength + 1, u'n'));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    EXPECT_EQ(m_ui.messages.last(), QString::fromLatin1(TextLimit::TooLongText));
    EXPECT_EQ(focused(), panel().fieldWidget(Field::Note));
    EXPECT_EQ(transactionsOf(1), 2);

    // A long note within the limit is kept whole.
    field<QPlainTextEdit>(Field::Note)->setPlainText(QString(10000, u'n'));
    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    ASSERT_EQ(transactionsOf(1), 3);
    EXPECT_EQ(stored(1).entry(2)->note.size(), 10000);
}

TEST_F(EditorPanelTest, BackInTheListTheChangesAreSavedWithoutAQuestion)
{
    m_page->list()->selectRow(1);
    settle();
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("Groceries"));
    EXPECT_EQ(line(Field::Amount)->text(), QStringLiteral("40.00"));
    line(Field::Description)->setFocus();
    QTest::keyClick(focused(), Qt::Key_End);
    type(QStringLiteral(" and milk"));
    // Missing names asked about; No drops the project change.
    line(Field::Project)->setFocus();
    type(QStringLiteral("Home:Kitchen"));
    m_page->list()->setFocus();
    settle();
    EXPECT_EQ(stored(1).entry(1)->description, QStringLiteral("Groceries and milk"));
    EXPECT_EQ(stored(1).entry(1)->project, 0);
    EXPECT_EQ(
        m_ui.questions,
        QStringList({QStringLiteral("Project 'Home:Kitchen' does not exist. Do You want to create new?")}));

    // Cancel drops typed changes and shows the row again.
    line(Field::Description)->setFocus();
    type(QStringLiteral("X"));
    QTest::mouseClick(panel().cancelButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Description)->text(), QStringLiteral("Groceries and milk"));

    // Page 2: the date moves the transaction; "(+) No:" numbers it.
    QTest::keyClick(m_page->list(), Qt::Key_Space);
    EXPECT_EQ(panel().pages()->currentIndex(), 1);
    field<QDateEdit>(Field::Date)->setDate(QDate(2024, 3, 6));
    QTest::mouseClick(panel().nextNumberButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Number)->text(), QStringLiteral("1"));
    field<QComboBox>(Field::Mark)->setFocus();
    QTest::keyClick(focused(), Qt::Key_Down);
    m_page->list()->setFocus();
    settle();
    const RegisterEntry moved = *stored(1).entry(1);
    EXPECT_EQ(localFromFileTime(moved.date).day, 6);
    EXPECT_EQ(moved.number, QStringLiteral("1"));
    EXPECT_EQ(moved.mark, ReconcileMark::Cleared);
    EXPECT_EQ(moved.amount, Money::fromHundredths(-4000));
}

TEST_F(EditorPanelTest, TheProjectAndContactPickersFillTheirFields)
{
    const qint32 day = m_book.projects().createByPath(QStringLiteral("Trip:Day"));
    ASSERT_GT(day, 0);
    QFile contacts(m_folder.contactsPath());
    ASSERT_TRUE(contacts.open(QIODevice::WriteOnly));
    contacts.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Anna;;;\r\nTEL;TYPE=work:555-1000\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Goldsmith;Carl;;;\r\nEND:VCARD\r\n");
    contacts.close();
    m_page->list()->selectRow(1);
    settle();

    QTimer::singleShot(0, [this, day] {
        TreeSelectDialog& dialog = *panel().projectPicker();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Project"));
        // A double click on an item picks it.
        const QModelIndex item = dialog.model().indexOfId(day);
        ASSERT_TRUE(item.isValid());
        dialog.tree()->setCurrentIndex(item);
        Q_EMIT dialog.tree()->doubleClicked(item);
    });
    guard(panel().projectPicker());
    QTest::mouseClick(panel().projectPickerButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Project)->text(), QStringLiteral("Trip:Day"));

    // The search field selects the first line containing the text.
    QTimer::singleShot(0, [this] {
        ContactSelectDialog& dialog = *panel().contactPicker();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Contact"));
        ASSERT_EQ(dialog.list()->model()->rowCount(), 2);
        QTest::keyClicks(dialog.search(), QStringLiteral("gold"));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    guard(panel().contactPicker());
    QTest::mouseClick(panel().contactPickerButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Contact)->text(), QStringLiteral("Carl  Goldsmith"));
    // A cancelled picker leaves the field as it was.
    QTimer::singleShot(0, [this] { panel().contactPicker()->reject(); });
    guard(panel().contactPicker());
    QTest::mouseClick(panel().contactPickerButton(), Qt::LeftButton);
    EXPECT_EQ(line(Field::Contact)->text(), QStringLiteral("Carl  Goldsmith"));

    QTest::mouseClick(panel().okButton(), Qt::LeftButton);
    const RegisterEntry e = *stored(1).entry(1);
    EXPECT_EQ(e.project, day);
    EXPECT_EQ(e.contact, QStringLiteral("Carl  Goldsmith"));
}

}  // namespace
