#pragma once

// The arithmetic of the amount fields of the transaction and planner editors:
// an edit field that also works as a pocket calculator. Digits and separators
// are typed as usual; an operator key combines the typed value with a stored
// operand and shows the result in the field.
//
// The field holds a magnitude; the editor's Deposit/Payment choice holds the
// sign. A negative result is therefore shown without its "-" and reported
// through CalculatorResponse::switchSign, and the stored operand continues from
// the magnitude the user sees.
//
// Every shown result is rounded to hundredths through moneyFromUnits. A result
// that is no amount (a division by zero, a value beyond the largest amount, or
// an operand that is one) leaves the stored operand as the result.
//
// This class knows no widget: the edit field passes in its text and applies the
// response. The widget passes keys without the Ctrl or Alt modifiers only.

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

// What the edit field does with one key or character, in this order: switch
// the sign, replace the text, insert a character, select everything.
struct CalculatorResponse {
    // Handle the key or character as an ordinary edit field does.
    bool passOn = false;
    // The Deposit/Payment choice switches: the result was negative.
    bool switchSign = false;
    // The field's new text; the owner is told of the change.
    std::optional<QString> text;
    // Typed into the field at the caret, as if the user had typed it.
    QChar insert;
    // Select the whole text and scroll it into view.
    bool selectAll = false;
};

class CalculatorField {
public:
    // Forgets a pending operation. The editors call it whenever they load a row
    // or discard changes.
    void reset() { m_pending = false; }

    // A character the field received.
    CalculatorResponse typeCharacter(QChar c, QStringView fieldText);
    // A key press, before it produces a character. `key` is a Qt::Key value;
    // `keypad` says the key lies on the numeric keypad.
    CalculatorResponse pressKey(int key, bool keypad, QStringView fieldText);

    void focusGained() { reset(); }
    // Completes a calculation left open, as if '=' had been typed.
    CalculatorResponse focusLost(QStringView fieldText);

    bool isPending() const { return m_pending; }
    double storedOperand() const { return m_operand; }
    // One of + - * / % =; meaningful only while an operation is pending.
    QChar pendingOperator() const { return m_operator; }

    // The character a key stands for: D / , E =, M -, P +, X * and the keypad's
    // operators and decimal point. nullopt for every other key.
    static std::optional<QChar> keyCharacter(int key, bool keypad);
    static bool isOperator(QChar c);

private:
    CalculatorResponse operatorTyped(QChar op, QStringView fieldText);
    CalculatorResponse startOperation(QChar op, std::optional<double> value);
    CalculatorResponse completeOperation(QChar op, std::optional<double> value);
    std::optional<double> resultWith(std::optional<double> value) const;

    bool m_pending = false;
    double m_operand = 0.0;
    QChar m_operator = u'=';
};
