#include "interchange/QifDateOrder.h"

#include "interchange/QifDateNumbers.h"

std::optional<QifDateOrder> QifDateOrder::fromText(QStringView text)
{
    if (text.size() != 3)
        return std::nullopt;
    QifDateOrder order;
    for (int i = 0; i < 3; ++i) {
        const char c = text[i].toLatin1();
        if (c != 'd' && c != 'm' && c != 'y' && c != 'x')
            return std::nullopt;
        order.m_letters[static_cast<size_t>(i)] = c;
    }
    return order;
}

QifDateOrder QifDateOrder::ofLocale(int localeDateOrder)
{
    switch (localeDateOrder) {
    case 1:
        return *fromText(u"dmy");
    case 2:
        return *fromText(u"ymd");
    default:
        return *fromText(u"mdy");
    }
}

QString QifDateOrder::text() const
{
    return QString::fromLatin1(m_letters.data(), 3);
}

int QifDateOrder::positionOf(char letter) const
{
    for (int i = 0; i < 3; ++i) {
        if (m_letters[static_cast<size_t>(i)] == letter)
            return i;
    }
    return -1;
}

bool QifDateOrder::isSettled() const
{
    return positionOf('d') >= 0 && positionOf('m') >= 0 && positionOf('y') >= 0;
}

void QifDateOrder::moveYearTo(int position)
{
    if (position < 0 || position > 2 || positionOf('y') < 0)
        return;
    // Nobody writes year-day-month: a year in front is followed by the month.
    if (position == 0) {
        m_letters = {'y', 'm', 'd'};
        return;
    }
    // Elsewhere day and month keep the order they had: a year-month-day
    // locale reads 12/5'03 as month-day-year, like its own dates.
    std::array<char, 2> rest{};
    size_t n = 0;
    for (const char c : m_letters) {
        if (c != 'y' && n < rest.size())
            rest[n++] = c;
    }
    m_letters = position == 1 ? std::array<char, 3>{rest[0], 'y', rest[1]}
                              : std::array<char, 3>{rest[0], rest[1], 'y'};
}

QifDateOrder::Detection QifDateOrder::detect(QStringView date)
{
    Detection found;
    const std::optional<QifDateNumbers> numbers = readQifDateNumbers(date, QifDateReading::Detect);
    if (!numbers)
        return found;
    const QifDateNumbers& n = *numbers;
    int day = -1;
    for (int i = 0; i < 3 && day < 0; ++i) {
        if (n[static_cast<size_t>(i)] >= 13 && n[static_cast<size_t>(i)] <= 31)
            day = i;
    }
    int year = -1;
    for (int i = 0; i < 3 && year < 0; ++i) {
        if (i != day && (n[static_cast<size_t>(i)] > 31 || n[static_cast<size_t>(i)] == 0))
            year = i;
    }
    int month = -1;
    if (day >= 0 && year >= 0) {
        const int rest = 3 - day - year;
        if (n[static_cast<size_t>(rest)] <= 12)
            month = rest;
    }
    auto& letters = found.order.m_letters;
    if (day >= 0)
        letters[static_cast<size_t>(day)] = 'd';
    if (year >= 0)
        letters[static_cast<size_t>(year)] = 'y';
    if (month >= 0)
        letters[static_cast<size_t>(month)] = 'm';
    found.settled = day >= 0 && year >= 0 && month >= 0;
    found.yearPosition = year;
    return found;
}
