#pragma once

// The cursor over one table of the store: the one way every part of the
// programs reads and writes records.
//
// Invariants:
//  1. The position is a record index in the active sort order, -1 when there is
//     no current record, -2 while a new record is being assembled.
//  2. When the position is >= 0, the property list is the current record's as it
//     was read or last written through this cursor, and m_record names it.
//  3. A record being assembled reaches the store once, when a setter is called
//     with commit true; the cursor then finds it again by its identity.
//  4. A write to the active sort property moves the record; the cursor follows
//     it by identity, never by value (values repeat).

#include "platform/ObjectStore.h"

#include <QString>

#include <functional>
#include <optional>

class DbTable {
public:
    // Kinds 3 and 4 open the same way; both exist so a saved sort is restored as itself.
    enum class SortKind { None = 0, Integer = 1, Text = 2, Date = 3, DateTime = 4 };

    static constexpr qint64 NoRecord = -1;
    static constexpr qint64 NewRecord = -2;

    explicit DbTable(QString name);
    DbTable(const DbTable&) = delete;
    DbTable& operator=(const DbTable&) = delete;

    const QString& name() const { return m_name; }
    // The store the cursor works on; owned elsewhere, must outlive every use.
    void attach(ObjectStore* store);
    ObjectStore* store() const { return m_store; }

    // --- opening and sorting --------------------------------------------------
    // Creates the table with its sort orders. False when it exists or the write failed.
    bool create(const std::vector<SortSpec>& sorts);
    // Each open leaves no current record. A failed open changes nothing else;
    // lastError() is NotFound when the table does not exist.
    bool open();
    bool openByInteger(quint16 id);
    bool openByText(quint16 id);
    bool openByDate(quint16 id);
    bool openByDateTime(quint16 id);
    void close();
    bool isOpen() const { return m_open; }

    bool resortByInteger(quint16 id);
    bool resortByText(quint16 id);
    bool resortByDate(quint16 id);
    // One saved sort, no stack: saving again overwrites it.
    void saveSort();
    bool restoreSort();
    quint16 sortId() const { return m_sortId; }
    SortKind sortKind() const { return m_sortKind; }

    // --- records --------------------------------------------------------------
    qint64 count() const;
    qint64 position() const { return m_position; }
    bool moveTo(qint64 position);
    void beginNew();
    // Drops the cached record when another program wrote to the book since the
    // last look; true when it did.
    bool refresh();

    // Getters read the property list only; a missing property (or one of
    // another type) yields "", 0 or 0.
    QString getText(quint16 id) const;
    qint32 getInt(quint16 id) const;
    qint64 getInt64(quint16 id) const;
    bool has(quint16 id) const;
    const PropList& properties() const { return m_props; }
    RecordId recordId() const { return m_position >= 0 ? m_record : 0; }

    // On an existing record the property is written at once; on a new one it is
    // kept until a setter with commit true writes the whole record.
    bool setText(quint16 id, const QString& value, bool commit = false);
    bool setInt(quint16 id, qint32 value, bool commit = false);
    bool setInt64(quint16 id, qint64 value, bool commit = false);
    // Any typed value, as the setters above (restore and copies use it).
    bool setValue(const PropValue& value, bool commit = false) { return setProperty(value, commit); }
    // Writes several values (and removals) to the current existing record in one
    // store write; nothing happens for an empty list.
    bool setValues(const PropList& changes);
    // Deletes one property of the current record (an existing record only).
    bool removeProperty(quint16 id);

    // Seeks in the active sort order; the reached record becomes current.
    // On failure there is no current record.
    bool seekText(SeekKind kind, const QString& value);
    bool seekInt(SeekKind kind, qint32 value);
    bool seekInt64(SeekKind kind, qint64 value);
    // Makes the record with that identity current, wherever it now stands.
    bool moveToRecord(RecordId record);

    // Writes new records in one step, each as a record assembled by setters
    // and committed would be, without making any of them current (a restore
    // fills the book this way); afterwards there is no current record.
    bool appendRecords(const std::vector<PropList>& records);

    // Deletes the record at `position`; afterwards there is no current record.
    bool deleteAt(qint64 position);
    // Deletes every record of the table at once (a restore empties the book
    // this way); afterwards there is no current record.
    bool deleteAll();

    // --- the circular text scan -------------------------------------------------
    struct ScanOptions {
        bool forward = true;
        // Asked before each record; true stops the scan (result false).
        std::function<bool()> stopRequested;
        // Told the busy icon's frame (0..3) every 40 records visited.
        std::function<void(int frame)> busyFrame;
    };
    static constexpr int BusyFrameEvery = 40;
    // Looks for the first record, from `start` (the current record when -1,
    // record 0 when there is none) stepping with wrap-around, whose text
    // property begins with `target`, ignoring case. The match stays current.
    // Records of reserved accounts are skipped unless the scan starts at record 0.
    bool scanText(qint64 start, quint16 propId, const QString& target, const ScanOptions& options);
    bool scanText(qint64 start, quint16 propId, const QString& target)
    {
        return scanText(start, propId, target, ScanOptions());
    }

    // --- ids ----------------------------------------------------------------------
    // The next id: on the first call of a run the largest id held (the last
    // record in id order) or `floor`, whichever is larger; then one more each
    // call. 0 when the ids are exhausted or the table cannot be read.
    qint32 nextId(quint16 idProp, qint32 floor = 0);
    void forgetAllocatedId() { m_lastId.reset(); }
    // True once the first id of this run was handed out.
    bool hasAllocatedId() const { return m_lastId.has_value(); }

    StoreError lastError() const { return m_error; }

private:
    bool openWith(quint16 id, SortKind kind);
    bool resortWith(quint16 id, SortKind kind);
    bool setProperty(PropValue value, bool commit);
    bool ensureCurrent();
    bool commitNew();
    bool loadRecord(RecordId record, qint64 position);
    void clearCurrent();
    bool seek(SeekKind kind, const PropValue& value);
    qint64 scanStart(qint64 start) const;
    bool fail(StoreError error);

    QString m_name;
    ObjectStore* m_store = nullptr;
    DbId m_db = 0;
    bool m_open = false;
    quint16 m_sortId = 0;
    SortKind m_sortKind = SortKind::None;
    quint16 m_savedSortId = 0;
    SortKind m_savedSortKind = SortKind::None;
    qint64 m_position = NoRecord;
    RecordId m_record = 0;
    quint64 m_generation = 0;
    PropList m_props;
    std::optional<qint32> m_lastId;
    StoreError m_error = StoreError::None;
};
