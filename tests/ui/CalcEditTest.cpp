#include "toolkit/ui/CalcEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// The field and a neighbour to move the focus to, in a shown window.
class CalcEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&m_window);
        m_field = new CalcEdit(&m_window);
        m_other = new QLineEdit(&m_window);
        layout->addWidget(m_field);
        layout->addWidget(m_other);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_window.activateWindow();
        m_field->setFocus();
    }
    void type(const char* keys) { QTest::keyClicks(m_field, QString::fromLatin1(keys)); }
    // As an editor loading another row: the text replaced, the pending sum forgotten.
    void restart()
    {
        m_field->clear();
        m_field->reset();
    }

    QWidget m_window;
    CalcEdit* m_field = nullptr;
    QLineEdit* m_other = nullptr;
};

TEST_F(CalcEditTest, OperatorsCalculateAndShowTheResultWithTwoDecimals)
{
    QSignalSpy edits(m_field, &QLineEdit::textEdited);
    type("12+5=");
    EXPECT_EQ(m_field->text(), QStringLiteral("17.00"));
    EXPECT_EQ(m_field->selectedText(), m_field->text());
    EXPECT_FALSE(edits.isEmpty());
    EXPECT_EQ(edits.last().at(0).toString(), QStringLiteral("17.00"));

    // Ten per cent of the stored operand added.
    restart();
    type("200+10%");
    EXPECT_EQ(m_field->text(), QStringLiteral("220.00"));

    // The letters stand for operators; the others are dropped.
    restart();
    type("12x3abce");
    EXPECT_EQ(m_field->text(), QStringLiteral("36.00"));
    restart();
    type("9p1e");
    EXPECT_EQ(m_field->text(), QStringLiteral("10.00"));
    // A keypad '+' types the operator.
    restart();
    type("4");
    QTest::keyClick(m_field, Qt::Key_Plus, Qt::KeypadModifier);
    type("4=");
    EXPECT_EQ(m_field->text(), QStringLiteral("8.00"));
}

TEST_F(CalcEditTest, LeavingTheFieldCompletesAnOpenCalculation)
{
    type("12+5");
    EXPECT_EQ(m_field->text(), QStringLiteral("5"));
    m_other->setFocus();
    EXPECT_EQ(m_field->text(), QStringLiteral("17.00"));
    // Coming back starts afresh: nothing is pending.
    m_field->setFocus();
    EXPECT_FALSE(m_field->calculator().isPending());
}

TEST_F(CalcEditTest, MinusIntoAnEmptyFieldIsTypedAndANegativeResultSwitchesTheSign)
{
    QSignalSpy switched(m_field, &CalcEdit::signSwitched);
    type("-");
    EXPECT_EQ(m_field->text(), QStringLiteral("-"));
    EXPECT_EQ(switched.count(), 0);

    restart();
    type("5-8=");
    EXPECT_EQ(m_field->text(), QStringLiteral("3.00"));
    EXPECT_EQ(switched.count(), 1);

    // A division by zero keeps the stored operand.
    restart();
    type("7/0=");
    EXPECT_EQ(m_field->text(), QStringLiteral("7.00"));
}

TEST_F(CalcEditTest, BackspaceForgetsThePendingOperationAndHugeResultsAreNoAmount)
{
    type("12+");
    EXPECT_TRUE(m_field->calculator().isPending());
    QTest::keyClick(m_field, Qt::Key_Backspace);
    EXPECT_FALSE(m_field->calculator().isPending());

    restart();
    type("9999999999*9999999999=");
    EXPECT_EQ(m_field->text(), QStringLiteral("9999999999.00"));
    EXPECT_LE(m_field->text().size(), CalcEdit::MaxTextLength);
}

}  // namespace
