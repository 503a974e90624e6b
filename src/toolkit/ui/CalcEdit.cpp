#include "toolkit/ui/CalcEdit.h"

#include <QKeyEvent>

CalcEdit::CalcEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(MaxTextLength);
}

void CalcEdit::keyPressEvent(QKeyEvent* event)
{
    // Shortcuts (copy, paste, undo) keep the edit field's own meaning.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    CalculatorResponse response = m_calculator.pressKey(event->key(), keypad, text());
    if (response.passOn && event->text().size() == 1)
        response = m_calculator.typeCharacter(event->text().at(0), text());
    else if (response.passOn && event->text().size() > 1)
        response = CalculatorResponse();  // a composed text is no amount
    if (response.passOn) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    apply(response);
}

void CalcEdit::focusInEvent(QFocusEvent* event)
{
    m_calculator.focusGained();
    QLineEdit::focusInEvent(event);
}

void CalcEdit::focusOutEvent(QFocusEvent* event)
{
    // A calculation left open is completed when the user leaves the field.
    if (m_calculator.isPending())
        apply(m_calculator.focusLost(text()));
    QLineEdit::focusOutEvent(event);
}

void CalcEdit::apply(const CalculatorResponse& response)
{
    if (response.switchSign)
        Q_EMIT signSwitched();
    if (response.text) {
        setText(*response.text);
        Q_EMIT textEdited(*response.text);
    }
    if (!response.insert.isNull())
        typePlain(response.insert);
    if (response.selectAll)
        selectAll();
}

void CalcEdit::typePlain(QChar c)
{
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QLineEdit::keyPressEvent(&typed);
}
