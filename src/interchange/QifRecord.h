#pragma once

// One QIF record being assembled in pass 3 of the import, line by line, until
// its "^" finishes it. Every field is cleared at the start, after each "^"
// and at each "!" line.
//
// The category and the class of the "L" line are kept as the texts the file
// gives; they are looked up (and made) only when a finished record is kept,
// so a record that is dropped leaves no category or project behind. A kept
// record makes every category and class its "L" lines named, even those a
// split then took away from it.

#include "interchange/QifDateOrder.h"
#include "interchange/QifLineReader.h"
#include "store/FileTime.h"

#include <QString>
#include <QStringList>

struct QifRecord {
    FileTime date = 0;       // midnight of the "D" line's day
    bool dateValid = false;  // the last "D" line parsed
    QString payee;           // "P"
    QString memo;            // "M"
    QString address;         // the first non-empty "A" line
    double amount = 0;       // "T" or "U", the later one wins, by the lenient number rule
    // "L": the category part ("" for none, and for a "[Account]" transfer,
    // which is imported as a plain transaction) and the class part after the
    // first '/', both trimmed.
    QString category;
    QString projectClass;
    // Every category and class named by an "L" line of the record, first named first.
    QStringList namedCategories;
    QStringList namedClasses;
    int status = 0;  // "C": '*' 1 (cleared), 'X' 2 (reconciled)
    QString number;  // "N"

    enum class Effect {
        None,    // a field was set, or the line was ignored
        Clear,   // a "!" line: the caller clears the record
        Finish,  // a "^" line: the caller finishes the record, then clears it
    };
    // Applies one line by its tag (case does not count). A class named in an
    // "L" line sets *namedClass.
    Effect apply(const QifLine& line, const QifDateOrder& order, bool* namedClass = nullptr);

    void clear() { *this = QifRecord(); }
};
