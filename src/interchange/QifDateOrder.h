#pragma once

// The order in which day, month and year stand in every date of a QIF file:
// three letters, a permutation of d, m and y once settled, "xxx" while
// unknown. A file says nothing about its order, so it is worked out from its
// dates (QifDateOrderScan); detect() looks at one date.

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

struct QifDateDetection;

class QifDateOrder {
public:
    // "xxx".
    QifDateOrder() = default;
    // The letters of `text` ("mdy", "dxx"); nullopt unless three of d, m, y, x.
    static std::optional<QifDateOrder> fromText(QStringView text);
    // The locale's short-date order: 1 day-month-year, 2 year-month-day,
    // anything else month-day-year.
    static QifDateOrder ofLocale(int localeDateOrder);

    QString text() const;
    // Position 0..2 of the letter ('d', 'm' or 'y'); -1 when it is not there.
    int positionOf(char letter) const;
    // True for a permutation of d, m and y.
    bool isSettled() const;
    // Puts 'y' at `position`: in front it makes year-month-day; in the
    // middle or at the end, day and month keep the order they had ("ymd"
    // with the year moved last is "mdy").
    void moveYearTo(int position);

    using Detection = QifDateDetection;
    // One date text: the day is the first number from 13 to 31; the year the
    // first other number above 31 or equal to 0; the month the remaining
    // number, when there is exactly one left and it is at most 12. So
    // 12/31/99 gives "mdy", 31.12.1999 "dmy", 1999-12-31 "ymd", and 05/06/01
    // settles nothing (a two-digit year up to 31 is never taken for a year).
    static Detection detect(QStringView date);

    friend bool operator==(const QifDateOrder&, const QifDateOrder&) = default;

private:
    std::array<char, 3> m_letters{'x', 'x', 'x'};
};

struct QifDateDetection {
    QifDateOrder order;     // the letters found, 'x' elsewhere
    bool settled = false;   // all three found
    int yearPosition = -1;  // where a year was found, -1 for none
};
