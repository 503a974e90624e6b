#include "planning/TextMacros.h"

#include "planning/RecurrenceRule.h"

#include <QDate>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {

enum class Keyword { Year, Month, Week, Day, Date };

struct Macro {
    qsizetype begin = 0;  // the "{"
    qsizetype end = 0;    // one past the "}"
    std::optional<Keyword> keyword;
    std::optional<qint64> offset;
};

std::optional<Keyword> keywordOf(QStringView word)
{
    if (word.isEmpty())
        return std::nullopt;
    static const std::pair<QLatin1StringView, Keyword> keywords[] = {
        {QLatin1StringView("year"), Keyword::Year}, {QLatin1StringView("month"), Keyword::Month},
        {QLatin1StringView("week"), Keyword::Week}, {QLatin1StringView("day"), Keyword::Day},
        {QLatin1StringView("date"), Keyword::Date},
    };
    for (const auto& [text, keyword] : keywords) {
        if (text.startsWith(word, Qt::CaseInsensitive))
            return keyword;
    }
    return std::nullopt;
}

// The whole number of a macro, its sign optional ("+1", "- 2", "3"); nullopt when the text is
// anything else. Values beyond any calendar step saturate, which the offset
// rule then refuses.
std::optional<qint64> offsetOf(QStringView text)
{
    const bool negative = text.front() == u'-';
    if (text.front() == u'-' || text.front() == u'+')
        text = text.mid(1).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    constexpr qint64 Cap = std::numeric_limits<qint32>::max();
    qint64 value = 0;
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return std::nullopt;
        value = std::min(Cap, value * 10 + (c.unicode() - u'0'));
    }
    return negative ? -value : value;
}

bool startsNumber(QChar c)
{
    return c == u'+' || c == u'-' || (c.unicode() >= u'0' && c.unicode() <= u'9');
}

// Splits the text between the braces into a keyword and an optional number.
Macro parseMacro(QStringView inner, qsizetype begin, qsizetype end)
{
    Macro macro{begin, end, std::nullopt, std::nullopt};
    inner = inner.trimmed();
    qsizetype sign = 0;
    while (sign < inner.size() && !startsNumber(inner[sign]))
        ++sign;
    const QStringView word = inner.left(sign).trimmed();
    if (sign < inner.size()) {
        macro.offset = offsetOf(inner.mid(sign));
        if (!macro.offset)
            return macro;  // a broken number: the macro names nothing
    }
    macro.keyword = keywordOf(word);
    return macro;
}

// The macros of the text up to the first "{" that has no "}", and where that
// unclosed rest begins (the text's size when every "{" is closed).
std::vector<Macro> findMacros(QStringView text, qsizetype& restBegin)
{
    std::vector<Macro> macros;
    qsizetype from = 0;
    restBegin = text.size();
    for (;;) {
        const qsizetype open = text.indexOf(u'{', from);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(u'}', open + 1);
        if (close < 0) {
            restBegin = open;
            break;
        }
        macros.push_back(parseMacro(text.mid(open + 1, close - open - 1), open, close + 1));
        from = close + 1;
    }
    return macros;
}

std::optional<FileTime> shifted(FileTime date, Keyword keyword, qint64 n)
{
    switch (keyword) {
    case Keyword::Year:
        return RecurrenceRule::occurrenceDate(RecurrenceRule::Annually, date, n);
    case Keyword::Month:
        return RecurrenceRule::occurrenceDate(RecurrenceRule::Monthly, date, n);
    case Keyword::Week:
        return RecurrenceRule::occurrenceDate(RecurrenceRule::Weekly, date, n);
    case Keyword::Day: {
        if (n > 4'000'000 || n < -4'000'000)
            return std::nullopt;
        const FileTime t = addDays(date, n);
        return t >= minFileTime() && t <= maxFileTime() ? std::optional<FileTime>(t) : std::nullopt;
    }
    case Keyword::Date:
        break;
    }
    return date;
}

FileTime finalDate(const std::vector<Macro>& macros, FileTime date)
{
    for (const Macro& m : macros) {
        if (m.keyword && m.offset) {
            if (const auto moved = shifted(date, *m.keyword, *m.offset))
                date = *moved;
        }
    }
    return date;
}

QDate qdateOf(FileTime t)
{
    const LocalTime fields = localFromFileTime(t);
    return QDate(fields.year, fields.month, fields.day);
}

QString formatted(Keyword keyword, FileTime date, const QLocale& locale)
{
    const QDate d = qdateOf(date);
    switch (keyword) {
    case Keyword::Year:
        return locale.toString(d, QStringLiteral("yyyy"));
    case Keyword::Month:
        return locale.toString(d, QStringLiteral("MMMM"));
    case Keyword::Week:
        return QString::number(TextMacros::weekNumber(date));
    case Keyword::Day:
        return locale.toString(d, QStringLiteral("dd"));
    case Keyword::Date:
        return locale.toString(d, QLocale::LongFormat);
    }
    return {};
}

}  // namespace

QString TextMacros::expand(QStringView text, FileTime date, const QLocale& locale)
{
    qsizetype restBegin = 0;
    const std::vector<Macro> macros = findMacros(text, restBegin);
    const FileTime shown = finalDate(macros, date);
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (const Macro& m : macros) {
        out += text.mid(copied, m.begin - copied);
        if (m.keyword)
            out += formatted(*m.keyword, shown, locale);
        copied = m.end;
    }
    out += text.mid(copied);
    return out;
}

int TextMacros::weekNumber(FileTime date)
{
    const QDate d = qdateOf(date);
    const int sundayBased = d.dayOfWeek() % 7;  // Sunday = 0
    const QDate nextSunday = d.addDays(7 - sundayBased);
    const qint64 days = QDate(d.year(), 1, 1).daysTo(nextSunday);
    return static_cast<int>(days / 7) + 1;
}
