#include "store/NumberParse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isDecimalMark(QChar c)
{
    switch (c.unicode()) {
    case '=':
    case '\'':
    case ',':
    case '.':
    case ';':
    case '@':
    case '|':
    case '\\':
        return true;
    default:
        return false;
    }
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits, '-' and one decimal point, in their original order.
std::string keptCharacters(QStringView text)
{
    std::string kept(static_cast<size_t>(text.size()), '\0');
    auto out = kept.end();
    bool pointTaken = false;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if ((u >= '0' && u <= '9') || u == '-')
            *--out = static_cast<char>(u);
        else if (!pointTaken && isDecimalMark(c)) {
            *--out = '.';
            pointTaken = true;
        }
    }
    return std::string(out, kept.end());
}

// The longest prefix a C string-to-double conversion would use: an optional
// '-', digits, an optional point and digits, at least one digit in all.
struct NumberParts {
    bool negative = false;
    std::string integer;
    std::string fraction;
};

NumberParts splitNumber(const std::string& s)
{
    NumberParts parts;
    size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        parts.negative = true;
        ++i;
    }
    while (i < s.size() && isAsciiDigit(s[i]))
        parts.integer.push_back(s[i++]);
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isAsciiDigit(s[i]))
            parts.fraction.push_back(s[i++]);
    }
    return parts;
}

bool hasNonZeroDigit(const std::string& digits)
{
    return digits.find_first_not_of('0') != std::string::npos;
}

// from_chars leaves the value alone when it is out of range, where the C
// conversion gives infinity (too large) or zero (too small).
double outOfRangeValue(const NumberParts& parts)
{
    const double magnitude = hasNonZeroDigit(parts.integer) ? std::numeric_limits<double>::infinity() : 0.0;
    return parts.negative ? -magnitude : magnitude;
}

double convert(const NumberParts& parts)
{
    if (parts.integer.empty() && parts.fraction.empty())
        return 0.0;
    // Locale-independent, unlike strtod: the point is always '.'.
    const std::string plain = (parts.integer.empty() ? std::string("0") : parts.integer) + '.' +
                              (parts.fraction.empty() ? std::string("0") : parts.fraction);
    double value = 0.0;
    const auto result =
        std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)
        return outOfRangeValue(parts);
    if (result.ec != std::errc())
        return 0.0;
    return parts.negative ? -value : value;
}

}  // namespace

double parseLenientNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0.0;
    return convert(splitNumber(keptCharacters(trimmed)));
}
