#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// The value types of the record store. A record is a list of typed properties;
// the property id is shared by every table (110 is always a name, and so on).

enum class PropType : quint16 {
    Int = 3,     // signed 32-bit integer
    Text = 31,   // UTF-16 text
    Int64 = 64,  // signed 64-bit value: a date (file time) or an amount in hundredths
};

struct PropValue {
    quint16 id = 0;
    PropType type = PropType::Int;
    qint64 number = 0;    // Int and Int64 values
    QString text;         // Text values
    bool remove = false;  // on a write: delete this property from the record

    static PropValue ofInt(quint16 id, qint32 v) { return {id, PropType::Int, v, {}, false}; }
    static PropValue ofInt64(quint16 id, qint64 v) { return {id, PropType::Int64, v, {}, false}; }
    static PropValue ofText(quint16 id, const QString& v) { return {id, PropType::Text, 0, v, false}; }
    static PropValue removal(quint16 id, PropType type) { return {id, type, 0, {}, true}; }

    friend bool operator==(const PropValue&, const PropValue&) = default;
};

using PropList = std::vector<PropValue>;

// One sort order of a database: ascending, case-sensitive, records lacking the
// property last; text compares UTF-16 code units; equal values keep insertion order.
struct SortSpec {
    quint16 propId = 0;
    PropType type = PropType::Int;
    friend bool operator==(const SortSpec&, const SortSpec&) = default;
};

using DbId = quint32;     // 0 = none
using RecordId = qint64;  // 0 = none; assigned by the store, never reused while the record lives

enum class SeekKind {
    Equal,    // first record whose sort value equals the value
    Smaller,  // last record whose sort value is smaller than the value
    NotLess,  // first record whose sort value is not less than the value
};

// The error codes the table layer sets and tests.
enum class StoreError {
    None = 0,
    NotFound = 2,
    OutOfMemory = 8,
    EndOfData = 38,
    NoData = 232,
    InvalidArgument = 87,
    Io = 1000,        // the file could not be read or written
    Busy = 1001,      // another program holds the book's write lock
    NotABook = 1002,  // the file is not a store of this system
};
