#include "toolkit/CalculatorField.h"

#include "store/Money.h"
#include "store/NumberParse.h"

#include <QtCore/qnamespace.h>

#include <cmath>

namespace {

// Characters an amount field takes as they are: control characters, the blank,
// ! " # $, & ' ( ), the separators , and . and the digits.
bool passesThrough(QChar c)
{
    const char16_t u = c.unicode();
    return u <= u'$' || (u >= u'&' && u <= u')') || u == u',' || u == u'.' || (u >= u'0' && u <= u'9');
}

// The value as an amount can hold it; nullopt beyond the largest amount.
std::optional<double> asAmount(double value)
{
    if (!moneyFromUnits(value))
        return std::nullopt;
    return value;
}

std::optional<double> typedValue(QStringView text)
{
    return asAmount(parseLenientNumber(text));
}

// "%.2f" of a count of hundredths, '.' as the decimal point, no grouping.
QString plainAmount(qint64 hundredths)
{
    const qint64 cents = hundredths % 100;
    return QString::number(hundredths / 100) + u'.' + (cents < 10 ? QStringLiteral("0") : QString()) +
           QString::number(cents);
}

CalculatorResponse passedOn()
{
    CalculatorResponse response;
    response.passOn = true;
    return response;
}

}  // namespace

bool CalculatorField::isOperator(QChar c)
{
    return c == u'%' || c == u'*' || c == u'+' || c == u'-' || c == u'/' || c == u'=';
}

std::optional<QChar> CalculatorField::keyCharacter(int key, bool keypad)
{
    switch (key) {
    case Qt::Key_D:
        return QChar(u'/');
    case Qt::Key_E:
        return QChar(u'=');
    case Qt::Key_M:
        return QChar(u'-');
    case Qt::Key_P:
        return QChar(u'+');
    case Qt::Key_X:
        return QChar(u'*');
    // The handheld's hardware decimal key arrived with this code.
    case Qt::Key_Print:
        return QChar(u'.');
    default:
        break;
    }
    if (!keypad)
        return std::nullopt;
    switch (key) {
    case Qt::Key_Slash:
        return QChar(u'/');
    case Qt::Key_Asterisk:
        return QChar(u'*');
    case Qt::Key_Plus:
        return QChar(u'+');
    case Qt::Key_Comma:
        return QChar(u'-');  // the keypad's separator key
    case Qt::Key_Period:
        return QChar(u'.');
    default:
        return std::nullopt;
    }
}

CalculatorResponse CalculatorField::typeCharacter(QChar c, QStringView fieldText)
{
    if (isOperator(c))
        return operatorTyped(c, fieldText);
    CalculatorResponse response;
    response.passOn = passesThrough(c);
    return response;
}

CalculatorResponse CalculatorField::pressKey(int key, bool keypad, QStringView fieldText)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        reset();
        return passedOn();
    }
    const auto mapped = keyCharacter(key, keypad);
    if (!mapped)
        return passedOn();
    CalculatorResponse response = typeCharacter(*mapped, fieldText);
    if (response.passOn) {
        // The key itself would type something else: type the mapped character.
        response.passOn = false;
        response.insert = *mapped;
    }
    return response;
}

CalculatorResponse CalculatorField::focusLost(QStringView fieldText)
{
    return operatorTyped(u'=', fieldText);
}

CalculatorResponse CalculatorField::operatorTyped(QChar op, QStringView fieldText)
{
    std::optional<double> value = typedValue(fieldText);
    CalculatorResponse response;
    if (op == u'%') {
        if (!m_pending) {
            // A percentage of nothing: the field is cleared to zero.
            response.text = QStringLiteral("0.00");
            response.selectAll = true;
            return response;
        }
        value = value ? asAmount(m_operand * *value * 0.01) : std::nullopt;
    }
    response = m_pending ? completeOperation(op, value) : startOperation(op, value);
    response.selectAll = true;
    return response;
}

CalculatorResponse CalculatorField::startOperation(QChar op, std::optional<double> value)
{
    CalculatorResponse response;
    if (value && *value != 0.0) {
        m_operand = *value;
        m_operator = op;
        m_pending = true;
    } else if (value && op != u'=') {
        // Into an empty or zero field the operator is typed as it is, so a '-'
        // reaches the editor, which turns it into a Deposit/Payment switch.
        response.insert = op;
    }
    return response;
}

CalculatorResponse CalculatorField::completeOperation(QChar op, std::optional<double> value)
{
    const double result = resultWith(value).value_or(m_operand);
    // The stored operand is always an amount, so either value converts.
    const Money shown = moneyFromUnits(result).value_or(Money());
    CalculatorResponse response;
    response.switchSign = shown.isNegative();
    response.text = plainAmount(std::abs(shown.hundredths()));
    m_operand = shown.isNegative() ? -result : result;
    m_operator = op;
    return response;
}

std::optional<double> CalculatorField::resultWith(std::optional<double> value) const
{
    if (!value)
        return std::nullopt;
    switch (m_operator.unicode()) {
    case u'+':
        return asAmount(m_operand + *value);
    case u'-':
        return asAmount(m_operand - *value);
    case u'*':
        return asAmount(m_operand * *value);
    case u'/':
        return *value == 0.0 ? std::nullopt : asAmount(m_operand / *value);
    default:
        return m_operand;  // a pending '=' or '%' carries the operand on
    }
}
