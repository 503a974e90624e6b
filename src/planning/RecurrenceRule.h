#pragma once

// The repeat rules of a planner entry and the date of its n-th occurrence.
//
// An occurrence date is always computed from the start date and the occurrence
// number, never by stepping the previous occurrence, so a day clamped in a
// short month does not drift: a monthly plan from 31 January falls on 28/29
// February and then again on 31 March. Only year, month and day change; the
// time of day (down to the tick) is kept.

#include "store/FileTime.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

class RecurrenceRule {
public:
    // Property Recurrence of a plan; the code is the position in the "Repeat" list.
    enum Kind : qint32 {
        OnlyOnce = 0,
        Weekly = 1,
        EveryTwoWeeks = 2,
        TwiceAMonth = 3,
        EveryFourWeeks = 4,
        Monthly = 5,
        LastDayOfMonth = 6,
        EveryTwoMonths = 7,
        Quarterly = 8,
        TwiceAYear = 9,
        Annually = 10,
    };
    static constexpr int KindCount = 11;

    // Property Entries of a plan: this value means "no end".
    static constexpr qint32 Ongoing = -1;

    RecurrenceRule() = delete;

    static bool isKnown(qint32 kind) { return kind >= 0 && kind < KindCount; }
    // The rule's name in the "Repeat" list; "" for a code outside it.
    static QString name(qint32 kind);
    // The eleven names in list order.
    static QStringList names();

    // The date of occurrence n (n may be negative: the text macros step back).
    // An unknown code repeats nothing, like OnlyOnce. nullopt when the
    // occurrence would fall outside the supported calendar (MinYear..MaxYear).
    static std::optional<FileTime> occurrenceDate(qint32 kind, FileTime start, qint64 n);

    // Whether successive occurrences of the rule fall on later dates. False for
    // OnlyOnce and for unknown codes, whose every occurrence is the start date.
    static bool advances(qint32 kind);

    // The number of entries a plan gets when its rule is chosen in the editor:
    // 1 for "Only once", Ongoing for every other rule.
    static qint32 entriesForNewRule(qint32 kind);

    // How many occurrences a plan has in all; nullopt for no end. A rule that
    // does not advance never runs without end, whatever its stored count says
    // (restored or damaged data may pair "Only once" with Ongoing): it has at
    // most max(1, entries). An advancing rule with a count below 1 runs on.
    static std::optional<qint64> occurrenceLimit(qint32 kind, qint32 entries);
};
