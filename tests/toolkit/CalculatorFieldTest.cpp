#include "toolkit/CalculatorField.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// An edit field as the amount editors have it: typing replaces a selection,
// otherwise it appends (the caret stays at the end in these scripts).
class AmountEdit {
public:
    void type(QChar c) { apply(m_calc.typeCharacter(c, m_text), c); }
    void press(int key, bool keypad = false) { apply(m_calc.pressKey(key, keypad, m_text), QChar()); }
    void leave() { apply(m_calc.focusLost(m_text), QChar()); }
    void enter() { m_calc.focusGained(); }
    // Types a script; '~' leaves the field.
    void script(const char* keys)
    {
        for (const char* k = keys; *k; ++k) {
            if (*k == '~')
                leave();
            else
                type(QChar::fromLatin1(*k));
        }
    }

    QString text() const { return m_text; }
    int signSwitches() const { return m_signSwitches; }
    bool allSelected() const { return m_allSelected; }
    CalculatorField& calc() { return m_calc; }

private:
    void insert(QChar c)
    {
        if (m_allSelected)
            m_text.clear();
        m_text += c;
        m_allSelected = false;
    }
    void apply(const CalculatorResponse& r, QChar typed)
    {
        if (r.passOn) {
            if (!typed.isNull() && typed.unicode() >= u' ')
                insert(typed);
            return;
        }
        if (r.switchSign)
            ++m_signSwitches;
        if (r.text) {
            m_text = *r.text;
            m_allSelected = false;
        }
        if (!r.insert.isNull())
            insert(r.insert);
        if (r.selectAll)
            m_allSelected = true;
    }

    CalculatorField m_calc;
    QString m_text;
    bool m_allSelected = false;
    int m_signSwitches = 0;
};

struct ScriptCase {
    const char* keys;
    const char* text;
    int signSwitches;
    bool pending;
};

class CalculatorScriptTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(CalculatorScriptTest, LeavesTheExpectedAmount)
{
    const auto& c = GetParam();
    AmountEdit edit;
    edit.script(c.keys);
    EXPECT_EQ(edit.text().toStdString(), std::string(c.text)) << c.keys;
    EXPECT_EQ(edit.signSwitches(), c.signSwitches) << c.keys;
    EXPECT_EQ(edit.calc().isPending(), c.pending) << c.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, CalculatorScriptTest,
    ::testing::Values(ScriptCase{"12+5=", "17.00", 0, true}, ScriptCase{"200+10%", "220.00", 0, true},
                      ScriptCase{"200-10%", "180.00", 0, true}, ScriptCase{"12+5~", "17.00", 0, true},
                      ScriptCase{"12", "12", 0, false}, ScriptCase{"7*", "7", 0, true},
                      ScriptCase{"2*3*4=", "24.00", 0, true}, ScriptCase{"10/4=", "2.50", 0, true},
                      // The stored operand keeps the unrounded result.
                      ScriptCase{"10/3*3=", "10.00", 0, true}, ScriptCase{"10/3=", "3.33", 0, true},
                      ScriptCase{"2/3=", "0.67", 0, true}, ScriptCase{"5*0.001=", "0.01", 0, true},
                      ScriptCase{"1,5+1=", "2.50", 0, true},
                      // A negative result shows its magnitude and switches Deposit/Payment.
                      ScriptCase{"5-12=", "7.00", 1, true}, ScriptCase{"5-12=+3=", "10.00", 1, true},
                      ScriptCase{"5-12=-10=", "3.00", 2, true}, ScriptCase{"3-3=", "0.00", 0, true},
                      ScriptCase{"1-1.004=", "0.00", 0, true},
                      // Division by zero keeps the stored operand.
                      ScriptCase{"10/0=", "10.00", 0, true}, ScriptCase{"10/0/5=", "2.00", 0, true},
                      // An operator reads the field as it stands, selection and all.
                      ScriptCase{"10/=", "1.00", 0, true},
                      // A pending '=' carries the operand on and drops what was typed after it.
                      ScriptCase{"12+5=3+", "17.00", 0, true},
                      // Operators into an empty or zero field are typed as characters; '=' is dropped.
                      ScriptCase{"-", "-", 0, false}, ScriptCase{"+", "+", 0, false},
                      ScriptCase{"=", "", 0, false}, ScriptCase{"0=", "0", 0, false},
                      ScriptCase{"0*", "0*", 0, false},
                      // '%' with nothing pending clears the field to zero.
                      ScriptCase{"%", "0.00", 0, false}, ScriptCase{"50%", "0.00", 0, false},
                      // Letters and other punctuation are dropped; the passing characters stay.
                      ScriptCase{"1a2b", "12", 0, false}, ScriptCase{"1:2;3?4@", "1234", 0, false},
                      ScriptCase{"(1)", "(1)", 0, false},
                      // Amounts beyond the largest one are never produced.
                      ScriptCase{"9999999999.99+1=", "9999999999.99", 0, true},
                      ScriptCase{"9999999999*9999999999=", "9999999999.00", 0, true},
                      ScriptCase{"99999999999999+", "99999999999999", 0, false},
                      ScriptCase{"5+99999999999999=", "5.00", 0, true},
                      ScriptCase{"5*99999999999999%", "5.00", 0, true},
                      ScriptCase{"9999999999-9999999999.99=", "0.99", 1, true}));

TEST(CalculatorFieldTest, SelectsTheTextAfterEveryOperator)
{
    AmountEdit edit;
    edit.script("12+");
    EXPECT_TRUE(edit.allSelected());
    edit.type(u'5');
    EXPECT_EQ(edit.text(), QStringLiteral("5"));  // typing replaces the selection
    edit.type(u'=');
    EXPECT_TRUE(edit.allSelected());
}

TEST(CalculatorFieldTest, FocusGainedForgetsThePendingOperation)
{
    AmountEdit edit;
    edit.script("12+");
    edit.enter();
    EXPECT_FALSE(edit.calc().isPending());
    edit.script("5=");
    EXPECT_EQ(edit.text(), QStringLiteral("5"));
}

TEST(CalculatorFieldTest, BackspaceAndDeleteForgetThePendingOperationAndEditAsUsual)
{
    for (const int key : {int(Qt::Key_Backspace), int(Qt::Key_Delete)}) {
        CalculatorField calc;
        calc.typeCharacter(u'+', u"12");
        ASSERT_TRUE(calc.isPending());
        const CalculatorResponse r = calc.pressKey(key, false, u"12");
        EXPECT_TRUE(r.passOn);
        EXPECT_FALSE(calc.isPending());
    }
}

TEST(CalculatorFieldTest, ResetForgetsThePendingOperation)
{
    CalculatorField calc;
    calc.typeCharacter(u'*', u"3");
    calc.reset();
    EXPECT_FALSE(calc.isPending());
    EXPECT_FALSE(calc.typeCharacter(u'=', u"4").text.has_value());
}

TEST(CalculatorFieldTest, LetterKeysTypeOperators)
{
    AmountEdit edit;
    edit.script("12");
    edit.press(Qt::Key_P);
    edit.type(u'5');
    edit.press(Qt::Key_X);
    edit.type(u'2');
    edit.press(Qt::Key_E);
    EXPECT_EQ(edit.text(), QStringLiteral("34.00"));
}

TEST(CalculatorFieldTest, LetterMIntoAnEmptyFieldTypesAMinus)
{
    AmountEdit edit;
    edit.press(Qt::Key_M);
    EXPECT_EQ(edit.text(), QStringLiteral("-"));
}

TEST(CalculatorFieldTest, KeypadDecimalTypesAPoint)
{
    AmountEdit edit;
    edit.type(u'1');
    edit.press(Qt::Key_Period, true);
    edit.type(u'5');
    EXPECT_EQ(edit.text(), QStringLiteral("1.5"));
}

struct KeyCase {
    int key;
    bool keypad;
    char16_t expected;  // 0: the key stands for nothing
};

class CalculatorKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CalculatorKeyTest, MapsKeysToCharacters)
{
    const auto& c = GetParam();
    const auto got = CalculatorField::keyCharacter(c.key, c.keypad);
    if (c.expected == 0)
        EXPECT_FALSE(got.has_value()) << c.key;
    else
        EXPECT_EQ(got, QChar(c.expected)) << c.key;
}

INSTANTIATE_TEST_SUITE_P(Keys, CalculatorKeyTest,
                         ::testing::Values(KeyCase{Qt::Key_D, false, u'/'}, KeyCase{Qt::Key_E, false, u'='},
                                           KeyCase{Qt::Key_M, false, u'-'}, KeyCase{Qt::Key_P, false, u'+'},
                                           KeyCase{Qt::Key_X, false, u'*'}, KeyCase{Qt::Key_A, false, 0},
                                           KeyCase{Qt::Key_Z, false, 0}, KeyCase{Qt::Key_Slash, true, u'/'},
                                           KeyCase{Qt::Key_Asterisk, true, u'*'},
                                           KeyCase{Qt::Key_Plus, true, u'+'},
                                           KeyCase{Qt::Key_Comma, true, u'-'},
                                           KeyCase{Qt::Key_Period, true, u'.'},
                                           KeyCase{Qt::Key_Print, false, u'.'},
                                           // The same keys off the keypad type their own characters.
                                           KeyCase{Qt::Key_Slash, false, 0}, KeyCase{Qt::Key_Comma, false, 0},
                                           KeyCase{Qt::Key_Period, false, 0}, KeyCase{Qt::Key_5, true, 0}));

TEST(CalculatorFieldTest, PassesExactlyTheAmountCharacters)
{
    const QString passing = QStringLiteral(" !\"#$&'(),.0123456789");
    const QString operators = QStringLiteral("%*+-/=");
    for (char16_t u = 0; u < 0x3000; ++u) {
        const QChar c(u);
        if (operators.contains(c))
            continue;
        CalculatorField calc;
        const bool expected = u < 0x20 || passing.contains(c);
        EXPECT_EQ(calc.typeCharacter(c, u"").passOn, expected) << int(u);
    }
}

}  // namespace
