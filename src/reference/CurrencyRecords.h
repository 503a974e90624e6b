#pragma once

// The writes and reads of the Currency table's records, through its cursor.
//
// Every function leaves the cursor in the sort order it found it in (the
// currency number, 302, is the only one the table has), with no current record.
// A function that writes more than one property does so in one store
// transaction: on failure nothing of it reaches the book.

#include "reference/CurrencyRecord.h"
#include "store/DbTable.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

class CurrencyRecords {
public:
    // The cursor over the Currency table; owned by the caller, must outlive this.
    explicit CurrencyRecords(DbTable& table) : m_table(table) {}

    // Every record in table order (by currency number). nullopt when the table
    // cannot be read.
    std::optional<std::vector<CurrencyRecord>> readAll();

    // A record with this code gets the symbol and name and keeps its number;
    // otherwise a record is added with number = highest number + 1 (1 for the
    // first). Returns the number, 0 when the write failed or the numbers are
    // exhausted. The code is stored in upper case.
    qint32 registerCurrency(const QString& code, const QString& symbol, const QString& name);

    // False when no record has that number or the write failed.
    bool setSymbol(qint32 number, const QString& symbol);

    // Writes the rate of a pair into both records: `from`'s record gets its rate
    // to `to` as rateText(rate), `to`'s record its rate to `from` as
    // rateText(1 / rate). False, with nothing written, when the rate is not
    // usable, the numbers are equal, a record is missing or a write failed.
    bool writeRatePair(qint32 from, qint32 to, double rate);

    // The start-up repair: upper-cases every stored code and gives every record
    // whose code is a built-in one the built-in name; a code of two built-in
    // rows keeps its stored name. Only records that change are written. False when a
    // write failed; then nothing was changed.
    bool normalise();

private:
    bool moveToNumber(qint32 number);
    bool writeText(quint16 id, const QString& value);
    bool normaliseCurrent();

    DbTable& m_table;
};
