#include "reference/CurrencyConversionForm.h"

#include "reference/RateText.h"
#include "store/NumberParse.h"

#include <cmath>

namespace {

const QString One = QStringLiteral("1.00");

// Whether a typed number is too large for the dialog: its value rounded to a
// whole number exceeds 10^12 in magnitude (infinite digit runs included).
bool exceedsLimit(double value)
{
    return !std::isfinite(value) || std::fabs(std::round(value)) > 1e12;
}

// round(units x 100) as money, through the saturating conversion helper, so
// no value however large is ever converted to an integer out of range.
Money hundredthsOf(double units)
{
    return convertHalfAwayFromZero(Money::fromHundredths(100), units);
}

}  // namespace

const QString CurrencyConversionForm::Title = QStringLiteral("Confirm Currency Convertation");

CurrencyConversionForm::CurrencyConversionForm(CurrencyCache& cache, QString codeA, QString codeB,
                                               Money amountA, Money amountB, Mode mode, LocaleValues locale)
    : m_cache(cache), m_codeA(std::move(codeA)), m_codeB(std::move(codeB)), m_amountB(amountB), m_mode(mode),
      m_locale(std::move(locale))
{
    fillRates();
    m_leftAmount = moneyText(amountA, m_locale);
}

void CurrencyConversionForm::fillRates()
{
    // The rate is shown the way round that is not below 1.
    const double forward = m_cache.rate(m_codeA, m_codeB);
    if (forward >= 1.0) {
        m_leftRate = One;
        m_rightRate = rateText(forward);
    } else {
        m_leftRate = rateText(m_cache.rate(m_codeB, m_codeA));
        m_rightRate = One;
    }
}

QString CurrencyConversionForm::text(Field field) const
{
    switch (field) {
    case Field::LeftRate:
        return m_leftRate;
    case Field::RightRate:
        return m_rightRate;
    case Field::LeftAmount:
        return m_leftAmount;
    }
    return {};
}

QString CurrencyConversionForm::rightAmountText() const
{
    return moneyText(m_amountB, m_locale);
}

QString CurrencyConversionForm::resetText() const
{
    return moneyText(Money::fromHundredths(ResetHundredths), m_locale);
}

void CurrencyConversionForm::setWriteListener(std::function<void(Field, const QString&)> listener)
{
    m_listener = std::move(listener);
}

QString& CurrencyConversionForm::slot(Field field)
{
    switch (field) {
    case Field::LeftRate:
        return m_leftRate;
    case Field::RightRate:
        return m_rightRate;
    case Field::LeftAmount:
        break;
    }
    return m_leftAmount;
}

void CurrencyConversionForm::write(Field field, const QString& value)
{
    slot(field) = value;
    if (!m_listener)
        return;
    m_writing = true;
    m_listener(field, value);
    m_writing = false;
}

void CurrencyConversionForm::editLeftRate(const QString& text)
{
    if (m_writing)
        return;
    m_leftRate = text;
    recalculateFromRates();
}

void CurrencyConversionForm::editRightRate(const QString& text)
{
    if (m_writing)
        return;
    m_rightRate = text;
    recalculateFromRates();
}

void CurrencyConversionForm::editLeftAmount(const QString& text)
{
    if (m_writing || m_mode != Mode::EditableAmount)
        return;
    m_leftAmount = text;
    recalculateFromAmount();
}

void CurrencyConversionForm::recalculateFromRates()
{
    // A reset replaces an edit's text, which counts as a change of its own and
    // runs the step again; each edit is reset at most once, hence three passes.
    for (int pass = 0; pass < 3; ++pass) {
        const double left = parseLenientNumber(m_leftRate);
        const double right = parseLenientNumber(m_rightRate);
        if (exceedsLimit(left)) {
            write(Field::LeftRate, resetText());
            continue;
        }
        if (exceedsLimit(right)) {
            write(Field::RightRate, resetText());
            continue;
        }
        // No quotient at a right-hand rate of 0: the amounts stay as they are.
        if (right == 0.0)
            return;
        write(Field::LeftAmount, moneyText(convertHalfAwayFromZero(m_amountB, left / right), m_locale));
        return;
    }
}

void CurrencyConversionForm::recalculateFromAmount()
{
    double e = parseLenientNumber(m_leftAmount);
    if (exceedsLimit(e)) {
        write(Field::LeftAmount, resetText());
        e = parseLenientNumber(m_leftAmount);
    } else {
        // The label of row 2 shows what was typed.
        write(Field::LeftAmount, m_leftAmount);
    }
    const double d = static_cast<double>(m_amountB.hundredths()) / 100.0;
    if (d > e) {
        write(Field::LeftRate, One);
        write(Field::RightRate, rateText(e == 0.0 ? d : d / e));
    } else {
        write(Field::LeftRate, rateText(d == 0.0 ? e : e / d));
        write(Field::RightRate, One);
    }
}

CurrencyConversionForm::Outcome CurrencyConversionForm::accept()
{
    Outcome outcome;
    const double rate = parseLenientNumber(m_rightRate) / parseLenientNumber(m_leftRate);
    if (isUsableRate(rate)) {
        outcome.rate = rate;
        outcome.rateStored = m_cache.storeRate(m_codeA, m_codeB, rate);
    }
    outcome.amountA = hundredthsOf(parseLenientNumber(m_leftAmount));
    // The label holds exactly this amount; reading it back through a double
    // would only lose digits of very large amounts.
    outcome.amountB = m_amountB;
    return outcome;
}
