#include "platform/SystemLocale.h"

namespace {

// The classic negative-currency patterns, by where the sign, the symbol and the
// number stand and whether a blank parts symbol and number:
//   0 ($1.1)   1 -$1.1    2 $-1.1    3 $1.1-    4 (1.1$)   5 -1.1$    6 1.1-$    7 1.1$-
//   8 -1.1 $   9 -$ 1.1  10 1.1 $-  11 $ 1.1-  12 $ -1.1  13 1.1- $  14 ($ 1.1)  15 (1.1 $)
// The formats 0, 1, 2, 3, 9, 11, 12 and 14 put the symbol first.
struct CurrencyPattern {
    const char* order;  // S sign, C symbol, N number; "(CN)" for parentheses
    int tight;          // the number when symbol and number touch
    int spaced;         // the number when a blank parts them
};

constexpr CurrencyPattern CurrencyPatterns[] = {
    {"(CN)", 0, 14}, {"(NC)", 4, 15}, {"SCN", 1, 9},  {"CSN", 2, 12},
    {"CNS", 3, 11},  {"SNC", 5, 8},   {"NSC", 6, 13}, {"NCS", 7, 10},
};

// Direction marks say nothing about order; right-to-left locales sprinkle them.
bool isDirectionMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069);
}

// Plain, no-break and narrow no-break blanks alike.
bool isBlank(QChar c)
{
    return c.isSpace();
}

QString withoutDirectionMarks(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (!isDirectionMark(c))
            out += c;
    }
    return out;
}

// The first form of the currency name that the negative amount shows.
QString shownSymbol(const QLocale& locale, const QString& amount)
{
    for (auto format : {QLocale::CurrencySymbol, QLocale::CurrencyIsoCode, QLocale::CurrencyDisplayName}) {
        const QString symbol = withoutDirectionMarks(locale.currencySymbol(format));
        if (!symbol.isEmpty() && amount.contains(symbol))
            return symbol;
    }
    return {};
}

// Reduces "-1.234,50 €" to "SN C": S sign, N number, C symbol, parentheses and
// one blank for any run of blanks; other characters are dropped.
QString currencyShape(const QLocale& locale)
{
    QString amount = withoutDirectionMarks(locale.toCurrencyString(-1234.5));
    const QString symbol = shownSymbol(locale, amount);
    if (symbol.isEmpty())
        return {};
    amount.replace(amount.indexOf(symbol), symbol.size(), QStringLiteral("\x01"));
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < amount.size(); ++i) {
        if (amount[i].isDigit()) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    if (first < 0)
        return {};
    amount.replace(first, last - first + 1, QStringLiteral("\x02"));
    const QString minus = withoutDirectionMarks(locale.negativeSign());
    QString shape;
    for (qsizetype i = 0; i < amount.size(); ++i) {
        const QChar c = amount[i];
        if (c == u'\x01')
            shape += u'C';
        else if (c == u'\x02')
            shape += u'N';
        else if (c == u'(' || c == u')')
            shape += c;
        else if (c == u'-' || c == QChar(0x2212) || (!minus.isEmpty() && minus.contains(c)))
            shape += u'S';
        else if (isBlank(c) && !shape.endsWith(u' '))
            shape += u' ';
    }
    return shape.trimmed();
}

// True when a blank stands between the symbol and the number.
bool symbolIsSpaced(const QString& shape)
{
    const qsizetype c = shape.indexOf(u'C');
    const qsizetype n = shape.indexOf(u'N');
    return shape.mid(qMin(c, n), qAbs(c - n)).contains(u' ');
}

bool isYear(QChar c)
{
    return c == u'y';
}

// The date order of a QDate format pattern, or -1 when day, month or year is
// missing. Quoted literals are skipped.
int dateOrderOf(const QString& pattern)
{
    qsizetype day = -1, month = -1, year = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\'')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'd' && day < 0)
            day = i;
        else if (c == u'M' && month < 0)
            month = i;
        else if (isYear(c) && year < 0)
            year = i;
    }
    if (day < 0 || month < 0 || year < 0)
        return -1;
    if (year < month && month < day)
        return LocaleValues::YearMonthDay;
    return day < month ? LocaleValues::DayMonthYear : LocaleValues::MonthDayYear;
}

// The first character of the pattern that is not a letter, a quote or a
// direction mark; nullopt when there is none.
std::optional<QChar> dateSeparatorOf(const QString& pattern)
{
    for (QChar c : pattern) {
        if (!c.isLetter() && c != u'\'' && !isDirectionMark(c))
            return c;
    }
    return std::nullopt;
}

// Groups of digits are parted by a plain blank where the locale uses a no-break one.
QChar plainSeparator(QChar c)
{
    return isBlank(c) ? QLatin1Char(' ') : c;
}

std::optional<QChar> singleCharacter(const QString& text)
{
    if (text.size() != 1)
        return std::nullopt;
    return text[0];
}

// Widens every year field of fewer than four letters to "yyyy", leaving quoted
// literals alone.
QString withFourDigitYear(const QString& pattern)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || !isYear(c)) {
            out += c;
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < pattern.size() && isYear(pattern[i + run]))
            ++run;
        out += run < 4 ? QStringLiteral("yyyy") : pattern.mid(i, run);
        i += run;
    }
    return out;
}

bool hasMonthName(const QString& pattern)
{
    return pattern.contains(QLatin1String("MMM"));
}

// A numeric short date built from the order and separator, for locales whose
// short form spells the month out.
QString numericPattern(int order, QChar s)
{
    switch (order) {
    case LocaleValues::DayMonthYear:
        return QStringLiteral("d%1M%1yyyy").arg(s);
    case LocaleValues::YearMonthDay:
        return QStringLiteral("yyyy%1M%1d").arg(s);
    default:
        return QStringLiteral("M%1d%1yyyy").arg(s);
    }
}

QString pickerFormat(int order, QChar s)
{
    switch (order) {
    case LocaleValues::DayMonthYear:
        return QStringLiteral("dd'%1'MM'%1'yyy").arg(s);
    case LocaleValues::YearMonthDay:
        return QStringLiteral("yyy'%1'MM'%1'dd").arg(s);
    default:
        return QStringLiteral("MM'%1'dd'%1'yyy").arg(s);
    }
}

// Reads the five table items in order; stops at the first that fails.
void readTableItems(const QLocale& locale, LocaleValues& values)
{
    const int negative = SystemLocale::negativeCurrencyFormat(locale);
    if (negative < 0)
        return;
    values.negativeCurrencyFormat = negative;
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    const int order = dateOrderOf(pattern);
    if (order < 0)
        return;
    values.dateOrder = order;
    const std::optional<QChar> separator = dateSeparatorOf(pattern);
    if (!separator)
        return;
    values.dateSeparator = *separator;
    const std::optional<QChar> decimal = singleCharacter(locale.decimalPoint());
    if (!decimal)
        return;
    values.decimalSeparator = *decimal;
    const std::optional<QChar> thousands = singleCharacter(locale.groupSeparator());
    if (!thousands)
        return;
    values.thousandsSeparator = plainSeparator(*thousands);
    values.datePickerFormat = pickerFormat(values.dateOrder, values.dateSeparator);
}

}  // namespace

std::optional<QLocale> SystemLocale::choose(const QString& name)
{
    if (name.isEmpty())
        return userLocale();
    const QLocale locale(name);
    // An unknown name falls back to the C locale; only "C" and "POSIX" mean it.
    if (locale.language() == QLocale::C && name != QLatin1String("C") && name != QLatin1String("POSIX"))
        return std::nullopt;
    return locale;
}

QLocale SystemLocale::userLocale()
{
    return QLocale::system();
}

int SystemLocale::negativeCurrencyFormat(const QLocale& locale)
{
    const QString shape = currencyShape(locale);
    QString order = shape;
    order.remove(u' ');
    for (const CurrencyPattern& p : CurrencyPatterns) {
        if (order == QLatin1String(p.order))
            return symbolIsSpaced(shape) ? p.spaced : p.tight;
    }
    return -1;
}

LocaleValues SystemLocale::read(const QLocale& locale, const LocaleValues& start)
{
    LocaleValues values = start;
    readTableItems(locale, values);
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    values.shortDateFormat = hasMonthName(pattern) || dateOrderOf(pattern) < 0
                                 ? numericPattern(values.dateOrder, values.dateSeparator)
                                 : withFourDigitYear(pattern);
    values.shortDayNames.clear();
    for (int day = 1; day <= 7; ++day)
        values.shortDayNames.append(locale.dayName(day, QLocale::ShortFormat));
    return values;
}
