#pragma once

#include "toolkit/CalculatorField.h"

#include <QLineEdit>

// The amount field of the editors: an edit field that works as a pocket
// calculator over CalculatorField. Digits and separators type as usual; the
// operators + - * / % = (and the letters D E M P X, the keypad's keys) combine
// the typed value with a stored operand and show the result.
//
// Every change the user causes, typed or calculated, arrives through
// textEdited, so the owner tells its edits from its own setText(). A negative
// result is shown as its magnitude and announced through signSwitched.
class CalcEdit : public QLineEdit {
    Q_OBJECT
public:
    // Longer texts are no amount; the limit keeps a paste from growing the field.
    static constexpr int MaxTextLength = 40;

    explicit CalcEdit(QWidget* parent = nullptr);

    // Forgets a pending operation: the owner loaded a row or dropped changes.
    void reset() { m_calculator.reset(); }
    const CalculatorField& calculator() const { return m_calculator; }

Q_SIGNALS:
    // The result was negative: the Deposit/Payment choice switches.
    void signSwitched();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void apply(const CalculatorResponse& response);
    // Types `c` at the caret as the user would.
    void typePlain(QChar c);

    CalculatorField m_calculator;
};
