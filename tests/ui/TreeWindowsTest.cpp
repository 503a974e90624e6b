#include "reference/ui/TreeEditView.h"

#include "RegisterBook.h"
#include "reference/TreeNameRule.h"
#include "reference/ui/TreeSelectDialog.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// A started book whose "Cash" account holds, besides RegisterBook's rows, a
// payment filed under Taxes:Federal (row 2) and one under Auto:Fuel (row 3).
class TreeWindowsTest : public RegisterBook {
protected:
    void SetUp() override
    {
        RegisterBook::SetUp();
        fileUnder(QStringLiteral("Taxes:Federal"), QStringLiteral("Income tax"));
        fileUnder(QStringLiteral("Auto:Fuel"), QStringLiteral("Petrol"));
        m_ui = ScriptedInteraction();
    }

    void fileUnder(const QString& category, const QString& description, const QString& project = {})
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale, m_book.future());
        ASSERT_TRUE(reg.select(1));
        AcceptingConversion conversion;
        TransactionEditor editor(EditorContext{m_book.tables(), m_book.currencies(), m_book.categories(),
                                               m_book.projects(), m_book.totals(), m_book.future(), m_clock,
                                               m_locale, m_ui, conversion},
                                 reg);
        ASSERT_TRUE(editor.load(reg.transactionCount()));
        editor.setDescription(description);
        editor.setPayment(true);
        editor.setAmountText(QStringLiteral("10.00"));
        editor.setCategoryText(category);
        editor.setProjectText(project);
        ASSERT_TRUE(editor.save(false).isSaved());
    }

    qint32 categoryOfRow(qint64 row)
    {
        Register reg(m_book.tables(), m_book.currencies(), m_locale);
        EXPECT_TRUE(reg.select(1));
        return reg.entry(row).value_or(RegisterEntry{}).category;
    }

    TreeEditContext categoryEditing()
    {
        Categories& categories = m_book.categories();
        return TreeEditContext{categories.tree(),
                               TreePicker::Kind::Category,
                               m_ui,
                               [&categories](qint32) { return categories.fill(nullptr); },
                               [this](qint32 id) { return m_book.categories().remove(id, m_ui); },
                               {}};
    }

    qint32 cat(const char* path) { return m_book.categories().findByPath(QString::fromLatin1(path)); }
    static qint32 parentShown(TreeEditView& view, qint32 id)
    {
        return view.treeModel().idAt(view.treeModel().indexOfId(id).parent());
    }
};

TEST_F(TreeWindowsTest, CutAndPasteMovesACategorySubtreeAndItsTransactionsKeepTheirCategories)
{
    TreeEditView view;
    view.setEditing(categoryEditing());
    view.refill(1);
    QAbstractItemModelTester tester(&view.treeModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const qint32 taxes = cat("Taxes");
    const qint32 federal = cat("Taxes:Federal");
    const qint32 utilities = cat("Utilities");
    ASSERT_EQ(categoryOfRow(2), federal);

    // Cut with the keys, pasted onto its own child: nothing happens.
    view.selectId(taxes);
    QTest::keyClick(&view, Qt::Key_X, Qt::ControlModifier);
    const quint64 before = m_book.categories().changeCount();
    view.selectId(federal);
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_book.categories().changeCount(), before);
    EXPECT_EQ(m_book.categories().pathOf(federal), QStringLiteral("Taxes:Federal"));
    EXPECT_TRUE(m_ui.messages.isEmpty());

    // Pasted onto Utilities: the whole subtree moves, in the table and the view.
    view.selectId(utilities);
    EXPECT_EQ(view.pasteOn(utilities), TreeClipboard::Outcome::Moved);
    EXPECT_EQ(m_book.categories().pathOf(federal), QStringLiteral("Utilities:Taxes:Federal"));
    EXPECT_EQ(parentShown(view, taxes), utilities);
    EXPECT_EQ(parentShown(view, federal), taxes);
    EXPECT_EQ(view.selectedId(), utilities);
    EXPECT_EQ(categoryOfRow(2), federal);
    EXPECT_EQ(categoryOfRow(3), cat("Auto:Fuel"));

    // Copy makes one childless record with the name; the mode stays for another paste.
    view.selectId(cat("Auto"));
    view.copy();
    EXPECT_EQ(view.pasteOn(taxes), TreeClipboard::Outcome::Copied);
    const qint32 copied = cat("Utilities:Taxes:Auto");
    ASSERT_GT(copied, 0);
    EXPECT_FALSE(m_book.categories().tree().hasChildren(copied));
    view.undo();
    EXPECT_EQ(view.pasteOn(taxes), TreeClipboard::Outcome::Nothing);
}

TEST_F(TreeWindowsTest, BadNamesAreRefusedWithAMessageAndWriteNothing)
{
    TreeEditView view;
    view.setEditing(categoryEditing());
    view.refill(1);
    const qint32 fuel = cat("Auto:Fuel");
    const quint64 before = m_book.categories().changeCount();
    const struct {
        QString name;
        const char* message;
    } bad[] = {{QString(), TreeNameRule::EmptyText},
               {QStringLiteral("   "), TreeNameRule::EmptyText},
               {QString(10000, u'x'), TreeNameRule::TooLongText},
               {QString(256, u'x'), TreeNameRule::TooLongText},
               {QStringLiteral("Fuel:Diesel"), TreeTable::NameWithColonText},
               {QStringLiteral("[Fuel]"), TreeNameRule::BracketText},
               {QStringLiteral("Fu]el"), TreeNameRule::BracketText}};
    for (const auto& b : bad) {
        m_ui = ScriptedInteraction();
        // As the label editor ends: the model hands the name on once the editor closed.
        view.treeModel().setData(view.treeModel().indexOfId(fuel), b.name, Qt::EditRole);
        QCoreApplication::processEvents();
        EXPECT_EQ(m_ui.messages, QStringList{QString::fromLatin1(b.message)})
            << b.name.left(20).toStdString();
    }
    EXPECT_EQ(m_book.categories().pathOf(fuel), QStringLiteral("Auto:Fuel"));
    EXPECT_EQ(m_book.categories().changeCount(), before);

    m_ui = ScriptedInteraction();
    const QString longest(TreeNameRule::MaxLength, u'y');
    view.treeModel().setData(view.treeModel().indexOfId(fuel), longest, Qt::EditRole);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_ui.messages.isEmpty());
    EXPECT_EQ(m_book.categories().pathOf(fuel), QStringLiteral("Auto:") + longest);
    EXPECT_EQ(view.treeModel().data(view.treeModel().indexOfId(fuel)).toString(), longest);
}

TEST_F(TreeWindowsTest, CreateEditsTheNewLabelAndDeleteAsksOnlyForLeaves)
{
    TreeEditView view;
    view.setEditing(categoryEditing());
    view.refill(1);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.selectId(cat("Auto"));
    const qint32 made = view.createChild();
    ASSERT_GT(made, 0);
    EXPECT_EQ(view.selectedId(), made);
    EXPECT_EQ(m_book.categories().pathOf(made), QStringLiteral("Auto:<_New_Category_>"));
    auto* editor = qobject_cast<QLineEdit*>(view.indexWidget(view.currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Parking"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits after the key, and the name is written after that.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_book.categories().pathOf(made), QStringLiteral("Auto:Parking"));

    // A parent is refused without a question; a leaf is asked about, No keeps it.
    view.selectId(cat("Auto"));
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_TRUE(m_ui.questions.isEmpty());
    EXPECT_GT(cat("Auto"), 0);
    const qint32 fuel = cat("Auto:Fuel");
    view.selectId(fuel);
    m_ui.answer(false);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(m_ui.questions, QStringList{Categories::deleteQuestion(QStringLiteral("Fuel"))});
    EXPECT_EQ(cat("Auto:Fuel"), fuel);
    m_ui.answer(true);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(cat("Auto:Fuel"), 0);
    EXPECT_FALSE(view.treeModel().indexOfId(fuel).isValid());
    EXPECT_EQ(view.selectedId(), cat("Auto"));
    EXPECT_EQ(categoryOfRow(3), 0);
}

TEST_F(TreeWindowsTest, APasteOfAProjectUnderItsOwnChildIsRefusedAndChangesNothing)
{
    Projects& projects = m_book.projects();
    const qint32 house = projects.createByPath(QStringLiteral("House"));
    const qint32 walls = projects.createByPath(QStringLiteral("House:Walls"));
    const qint32 garden = projects.createByPath(QStringLiteral("Garden"));
    fileUnder(QStringLiteral("Auto:Fuel"), QStringLiteral("Paint"), QStringLiteral("House:Walls"));
    ASSERT_TRUE(m_book.totals().updateAll(u"EUR"));
    TreeEditView view;
    view.setEditing(TreeEditContext{projects.tree(), TreePicker::Kind::Project, m_ui,
                                    [&projects](qint32 selected) { return projects.fill(selected, {}); },
                                    [&](qint32 id) { return projects.remove(id, m_ui); },
                                    [this] {
                                        return TreePasteTotals{&m_book.totals(), QStringLiteral("EUR")};
                                    }});
    const auto gardenPays = [this, garden] { return m_book.totals().totalsOf(garden)->treePayments; };
    view.refill(house);
    QAbstractItemModelTester tester(&view.treeModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    view.selectId(house);
    view.cut();
    const quint64 before = projects.changeCount();
    EXPECT_EQ(view.pasteOn(walls), TreeClipboard::Outcome::Nothing);
    EXPECT_EQ(view.pasteOn(house), TreeClipboard::Outcome::Nothing);
    EXPECT_EQ(projects.changeCount(), before);
    EXPECT_EQ(projects.tree().record(house)->parent, 1);
    EXPECT_EQ(projects.tree().record(walls)->parent, house);
    EXPECT_EQ(gardenPays(), Money::fromHundredths(0));

    // The moved subtree takes its sums to its new ancestors.
    EXPECT_EQ(view.pasteOn(garden), TreeClipboard::Outcome::Moved);
    EXPECT_EQ(projects.pathOf(walls), QStringLiteral("Garden:House:Walls"));
    EXPECT_EQ(gardenPays(), Money::fromHundredths(1000));
}

TEST_F(TreeWindowsTest, ThePickerCreatesAndDeletesWhereItsButtonsAllow)
{
    TreeSelectDialog dialog(TreePicker::Kind::Category);
    dialog.setEditing(categoryEditing());
    const qint32 service = cat("Auto:Service");
    qint32 made = 0;
    QTimer::singleShot(0, [&] {
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        dialog.tree()->selectId(1);
        EXPECT_TRUE(dialog.createButton()->isEnabled());
        EXPECT_FALSE(dialog.deleteButton()->isEnabled());
        EXPECT_FALSE(ok->isEnabled());
        dialog.tree()->selectId(service);
        dialog.createButton()->click();
        made = dialog.tree()->selectedId();
        // The label edit is left as it is: the new name stays.
        QWidget* editor = dialog.tree()->indexWidget(dialog.tree()->currentIndex());
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_TRUE(dialog.deleteButton()->isEnabled());
        m_ui.answer(true);
        dialog.tree()->selectId(cat("Auto:Fuel"));
        dialog.deleteButton()->click();
        dialog.tree()->selectId(made);
        ok->click();
    });
    EXPECT_EQ(dialog.pick(m_book.categories().fill(nullptr), m_book.categories().changeCount(), service),
              made);
    ASSERT_GT(made, 0);
    EXPECT_EQ(m_book.categories().pathOf(made), QStringLiteral("Auto:Service:<_New_Category_>"));
    EXPECT_EQ(cat("Auto:Fuel"), 0);
    EXPECT_EQ(dialog.picker().remembered(), made);
}

}  // namespace
