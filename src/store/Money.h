#pragma once

// An amount of money: a signed 64-bit count of hundredths of the currency unit
// (1234.56 is 123456). Positive is a deposit, negative a payment. Every currency
// has two decimals; there is no other scale.
//
// Arithmetic saturates at the 64-bit limits instead of wrapping, so a sum that
// overflows stays at the limit with the right sign.

#include "platform/LocaleValues.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <compare>
#include <optional>

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromHundredths(qint64 hundredths) { return Money(hundredths); }

    constexpr qint64 hundredths() const { return m_hundredths; }
    constexpr bool isZero() const { return m_hundredths == 0; }
    constexpr bool isNegative() const { return m_hundredths < 0; }
    // The amount without its sign; the smallest amount gives the largest.
    Money magnitude() const { return isNegative() ? -*this : *this; }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;  // -min gives max
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }

    friend constexpr auto operator<=>(Money, Money) = default;

    // Saturating total of a range of Money, added in order. Each step saturates
    // on its own, so max + 1 - 1 gives max - 1.
    template <typename Range> static Money sum(const Range& amounts)
    {
        Money total;
        for (const Money m : amounts)
            total += m;
        return total;
    }

private:
    constexpr explicit Money(qint64 hundredths) : m_hundredths(hundredths) {}
    qint64 m_hundredths = 0;
};

// The largest magnitude a typed or imported amount may have: 9,999,999,999.99.
constexpr qint64 MaxEnteredHundredths = 999'999'999'999;

// The amount shown for money: "-", integer digits grouped by threes with the
// thousands separator, the decimal separator and exactly two decimals
// (-1 234 567.89). A null thousands separator means no grouping.
QString moneyText(Money amount, const LocaleValues& locale);

// The money text joined without a space to a currency symbol: before the number
// when the locale's negative-currency format puts it there (0, 1, 2, 3, 9, 11, 12,
// 14), after it otherwise. An empty symbol gives the plain money text.
QString moneyTextWithSymbol(Money amount, const QString& symbol, const LocaleValues& locale);

// Money from a number of currency units (12.345 units): times 100, rounded half
// away from zero. nullopt when the value is not finite or the rounded count of
// hundredths exceeds MaxEnteredHundredths in magnitude. The one entry point for
// typed amounts, opening balances, imported amounts and report bounds.
std::optional<Money> moneyFromUnits(double units);

// The lenient number reader (NumberParse.h) followed by moneyFromUnits.
// Empty text is 0; nullopt only when the number is out of range.
std::optional<Money> moneyFromTypedText(QStringView text);

// amount x rate, the amount taken as a double and the product rounded half away
// from zero, saturating at the 64-bit limits.
// A NaN product (NaN rate, or 0 at an infinite rate) gives 0; a rate of exactly 1 returns the amount
// unchanged.
Money convertHalfAwayFromZero(Money amount, double rate);
