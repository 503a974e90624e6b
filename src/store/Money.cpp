#include "store/Money.h"

#include "store/NumberParse.h"

#include <cmath>
#include <limits>

namespace {

constexpr qint64 MaxHundredths = std::numeric_limits<qint64>::max();
constexpr qint64 MinHundredths = std::numeric_limits<qint64>::min();

qint64 saturate(bool overflowed, qint64 result, bool towardsMax)
{
    if (!overflowed)
        return result;
    return towardsMax ? MaxHundredths : MinHundredths;
}

bool symbolComesFirst(int negativeCurrencyFormat)
{
    switch (negativeCurrencyFormat) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 9:
    case 11:
    case 12:
    case 14:
        return true;
    default:
        return false;
    }
}

// Digits of v, least significant first, into `out`; returns how many.
int reversedDigits(quint64 v, char16_t* out)
{
    int n = 0;
    do {
        out[n++] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    return n;
}

}  // namespace

Money Money::operator+(Money other) const
{
    qint64 sum = 0;
    const bool overflowed = __builtin_add_overflow(m_hundredths, other.m_hundredths, &sum);
    return Money(saturate(overflowed, sum, other.m_hundredths > 0));
}

Money Money::operator-(Money other) const
{
    qint64 difference = 0;
    const bool overflowed = __builtin_sub_overflow(m_hundredths, other.m_hundredths, &difference);
    return Money(saturate(overflowed, difference, other.m_hundredths < 0));
}

Money Money::operator-() const
{
    return Money(m_hundredths == MinHundredths ? MaxHundredths : -m_hundredths);
}

QString moneyText(Money amount, const LocaleValues& locale)
{
    const qint64 h = amount.hundredths();
    // Unsigned, so that the magnitude of the minimum is representable.
    const quint64 magnitude = h < 0 ? 0 - static_cast<quint64>(h) : static_cast<quint64>(h);
    const quint64 units = magnitude / 100;
    const quint64 cents = magnitude % 100;
    const bool grouped = !locale.thousandsSeparator.isNull();

    char16_t digits[24];
    const int d = reversedDigits(units, digits);
    const int separators = grouped ? (d - 1) / 3 : 0;

    QString text;
    text.reserve((h < 0 ? 1 : 0) + d + separators + 3);
    if (h < 0)
        text.append(QLatin1Char('-'));
    for (int i = d - 1; i >= 0; --i) {
        text.append(QChar(digits[i]));
        if (grouped && i > 0 && i % 3 == 0)
            text.append(locale.thousandsSeparator);
    }
    text.append(locale.decimalSeparator);
    text.append(QChar(static_cast<char16_t>(u'0' + cents / 10)));
    text.append(QChar(static_cast<char16_t>(u'0' + cents % 10)));
    return text;
}

QString moneyTextWithSymbol(Money amount, const QString& symbol, const LocaleValues& locale)
{
    const QString number = moneyText(amount, locale);
    if (symbol.isEmpty())
        return number;
    return symbolComesFirst(locale.negativeCurrencyFormat) ? symbol + number : number + symbol;
}

std::optional<Money> moneyFromUnits(double units)
{
    if (!std::isfinite(units))
        return std::nullopt;
    // std::round is half away from zero, and without the slip of adding 0.5 to a
    // value just under one half. The range is checked while still a double, so
    // no out-of-range value is ever converted to an integer.
    const double rounded = std::round(units * 100.0);
    if (std::fabs(rounded) > static_cast<double>(MaxEnteredHundredths))
        return std::nullopt;
    return Money::fromHundredths(static_cast<qint64>(rounded));
}

std::optional<Money> moneyFromTypedText(QStringView text)
{
    return moneyFromUnits(parseLenientNumber(text));
}

Money convertHalfAwayFromZero(Money amount, double rate)
{
    if (rate == 1.0)
        return amount;
    // The product is formed in double on purpose: every converted amount the
    // book shows (reports, project totals, transfer sides) must round the same
    // way, and a wider type rounds 5 x 0.3 (1.4999...) down where double gives 1.5.
    const double product = static_cast<double>(amount.hundredths()) * rate;
    if (std::isnan(product))  // a NaN rate, or 0 times an infinite one
        return Money();
    const double rounded = std::round(product);
    constexpr double limit = 0x1p63;
    if (rounded >= limit)
        return Money::fromHundredths(MaxHundredths);
    if (rounded <= -limit)
        return Money::fromHundredths(MinHundredths);
    return Money::fromHundredths(static_cast<qint64>(rounded));
}
