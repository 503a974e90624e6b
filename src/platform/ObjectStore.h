#pragma once

// The record store: named databases of property-list records, each with up to
// four sort orders, over one SQLite file.
//
// Invariants:
//  1. SQLite holds every record durably; a write is committed (or belongs to the
//     open store transaction) before the call returns.
//  2. The in-memory sort indexes are a cache of what SQLite holds. They are built
//     on first use of a sort order, kept in step by every write of this
//     connection, and dropped whole when a transaction rolls back or another
//     connection committed (checkForChanges).
//  3. Within a sort order, records that have the property come first, ordered by
//     value and then by record id (insertion order); records lacking it follow in
//     record-id order and never match a seek by value.
//  4. Text compares by UTF-16 code unit; SQLite keeps text sort values as UTF-16
//     big-endian blobs, whose byte order is the same order.
//  5. A file that is not a store of this system is never written to.

#include "platform/StoreTypes.h"

#include <QString>

#include <functional>
#include <memory>

class ObjectStore {
public:
    // Opens the store file, creating an empty store when the file does not
    // exist or is empty. Returns null with *error filled when the file cannot be
    // opened or is not a store of this system (nothing is written to it then).
    static std::unique_ptr<ObjectStore> open(const QString& path, QString* error = nullptr);
    ~ObjectStore();
    ObjectStore(const ObjectStore&) = delete;
    ObjectStore& operator=(const ObjectStore&) = delete;

    QString path() const;

    // --- catalogue ------------------------------------------------------------
    // 0 with lastError NotFound when no database has that name.
    DbId findDatabase(const QString& name);
    // 0 on failure (a database of that name exists already, or the write failed).
    DbId createDatabase(const QString& name, const std::vector<SortSpec>& sorts);
    std::vector<SortSpec> sortSpecs(DbId db);
    // Replaces the sort orders (empty = none) and rebuilds every index from the records.
    bool setSortSpecs(DbId db, const std::vector<SortSpec>& sorts);
    // -1 when the database does not exist.
    qint64 recordCount(DbId db);

    // --- reading in a sort order ------------------------------------------------
    // sortProp names one of the database's sort orders by its property id; 0 means
    // no sort (records in creation order).
    bool hasSort(DbId db, quint16 sortProp);
    // 0 when the position is outside 0 .. count-1.
    RecordId recordAt(DbId db, quint16 sortProp, qint64 position);
    // -1 when the record is not in the database.
    qint64 positionOf(DbId db, quint16 sortProp, RecordId record);

    struct Hit {
        RecordId record = 0;  // 0 = nothing found
        qint64 position = -1;
    };
    // Seeks by value in a sort order; the value's type must be the sort's type.
    Hit seek(DbId db, quint16 sortProp, SeekKind kind, const PropValue& value);

    // False with lastError NotFound when the record does not exist.
    bool readRecord(DbId db, RecordId record, PropList& out);

    // --- writing ----------------------------------------------------------------
    // Merges `changes` into the record (record 0 creates a new one): properties
    // are replaced by id, entries flagged `remove` delete theirs. Returns the
    // record id, 0 on failure (lastError says why; nothing was changed). An empty
    // change list fails with NoData.
    RecordId writeRecord(DbId db, RecordId record, const PropList& changes);
    bool deleteRecord(DbId db, RecordId record);
    // Writes new records in one step, as writeRecord with record 0 would write
    // each of them, without handing their ids back (a restore fills a table
    // this way). An empty list writes nothing and succeeds; a record without
    // properties fails with NoData. On failure nothing was written, unless an
    // open store transaction holds the records before (the caller rolls back).
    bool appendRecords(DbId db, const std::vector<PropList>& records);
    // Deletes every record of the database in one step; its sort orders stay.
    // False when the write failed (nothing was deleted then).
    bool clearDatabase(DbId db);

    // --- store transactions -----------------------------------------------------
    // Nested calls are allowed; only the outermost commit makes the writes
    // durable, and any rollback undoes everything since the outermost begin.
    // Prefer StoreTransaction, which rolls back unless committed.
    [[nodiscard]] bool beginTransaction();
    [[nodiscard]] bool commitTransaction();
    void rollbackTransaction();
    int transactionDepth() const;

    // --- another program's writes ----------------------------------------------
    // True when another connection committed since the last check; the cached
    // indexes and counts are dropped then and rebuilt on their next use.
    bool checkForChanges();
    // Increases every time cached state is dropped, so cursors can tell that
    // their positions may have moved.
    quint64 generation() const;

    // --- health -----------------------------------------------------------------
    // Checks that the database's record count matches its records and that every
    // record reads back whole. False with a description of the first problem.
    bool verify(DbId db, QString* problem);

    // Fault injection for tests: while `fault` answers true, every write fails
    // with Io before anything reaches the file.
    void setWriteFault(std::function<bool()> fault);

    StoreError lastError() const;
    QString lastErrorText() const;

private:
    struct Impl;
    explicit ObjectStore(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};
