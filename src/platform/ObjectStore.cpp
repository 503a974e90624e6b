#include "platform/ObjectStore.h"

#include "platform/RecordCodec.h"
#include "platform/SortIndex.h"

#include <QFile>
#include <QtEndian>

#include <sqlite3.h>

#include <algorithm>
#include <map>

namespace {

constexpr int MaxSortOrders = 4;
constexpr int BusyTimeoutMs = 10000;
const char* const FormatName = "tallyra-object-store";

// A prepared statement that resets itself for reuse and finalizes on destruction.
class Statement {
public:
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(m_stmt); }

    bool prepare(sqlite3* db, const QByteArray& sql)
    {
        if (m_stmt)
            return true;
        return sqlite3_prepare_v3(db, sql.constData(), static_cast<int>(sql.size()),
                                  SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr) == SQLITE_OK;
    }
    sqlite3_stmt* get() const { return m_stmt; }
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

// Resets a statement when a use of it ends, however it ends.
class Use {
public:
    explicit Use(Statement& s) : m_s(s) {}
    ~Use() { m_s.reset(); }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    sqlite3_stmt* operator*() const { return m_s.get(); }

private:
    Statement& m_s;
};

QByteArray bigEndianUtf16(const QString& text)
{
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(units[i] >> 8);
        out[2 * i + 1] = static_cast<char>(units[i] & 0xff);
    }
    return out;
}

QString fromBigEndianUtf16(const void* data, int bytes)
{
    const uchar* p = static_cast<const uchar*>(data);
    QString out(bytes / 2, Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (int i = 0; i < bytes / 2; ++i)
        dst[i] = static_cast<char16_t>((p[2 * i] << 8) | p[2 * i + 1]);
    return out;
}

QByteArray sortsToText(const std::vector<SortSpec>& sorts)
{
    QByteArray out;
    for (const SortSpec& s : sorts) {
        if (!out.isEmpty())
            out += ';';
        out += QByteArray::number(s.propId) + ':' + QByteArray::number(static_cast<int>(s.type));
    }
    return out;
}

bool isKnownType(int type)
{
    return type == static_cast<int>(PropType::Int) || type == static_cast<int>(PropType::Int64) ||
           type == static_cast<int>(PropType::Text);
}

std::vector<SortSpec> sortsFromText(const QByteArray& text)
{
    std::vector<SortSpec> sorts;
    for (const QByteArray& part : text.split(';')) {
        const QList<QByteArray> fields = part.split(':');
        if (fields.size() != 2)
            continue;
        const int type = fields[1].toInt();
        if (!isKnownType(type))
            continue;
        sorts.push_back(SortSpec{static_cast<quint16>(fields[0].toUInt()), static_cast<PropType>(type)});
    }
    return sorts;
}

void mergeInto(PropList& record, const PropList& changes)
{
    for (const PropValue& change : changes) {
        auto it =
            std::find_if(record.begin(), record.end(), [&](const PropValue& p) { return p.id == change.id; });
        if (change.remove) {
            if (it != record.end())
                record.erase(it);
        } else if (it != record.end()) {
            *it = change;
        } else {
            record.push_back(change);
            record.back().remove = false;
        }
    }
}

}  // namespace

// One database of the catalogue with what this connection caches of it.
struct Database {
    DbId id = 0;
    QString name;
    std::vector<SortSpec> sorts;
    qint64 count = 0;
    QByteArray table;                                   // the SQLite table that holds its records
    std::vector<std::unique_ptr<SortIndex>> indexes;    // parallel to sorts; null until first use
    std::unique_ptr<std::vector<RecordId>> byRecordId;  // the unsorted order; null until first use
    Statement select, insert, update, updateProps, remove;
};

struct ObjectStore::Impl {
    sqlite3* db = nullptr;
    QString path;
    StoreError error = StoreError::None;
    QString errorText;
    int depth = 0;
    bool rollbackOnly = false;
    qint64 dataVersion = -1;
    quint64 generation = 0;
    std::map<DbId, std::unique_ptr<Database>> databases;
    Statement countUpdate;
    std::function<bool()> writeFault;
    // Reads outside a store transaction share one read snapshot, kept until the
    // next write or change check: starting a read transaction per statement
    // costs file-system calls on every row.
    bool readSnapshot = false;
    // The record last read or written inside a store transaction. No other
    // connection can write while one is open (it begins IMMEDIATE), so a
    // write that follows a read of the same record (a running balance walk)
    // takes its "before" from here instead of reading the record again.
    struct Recent {
        DbId db = 0;
        RecordId record = 0;
        PropList props;
    } recent;
    // The handle through which a single 64-bit value is written in place.
    // Once open, the records of that database are also read through it, so a
    // walk that reads a record and then writes its balance seeks it once.
    sqlite3_blob* patchBlob = nullptr;
    DbId patchDb = 0;
    RecordId patchRecord = 0;
    QByteArray blobBuffer;
    void closePatchBlob()
    {
        if (patchBlob)
            sqlite3_blob_close(patchBlob);
        patchBlob = nullptr;
        patchDb = 0;
        patchRecord = 0;
    }
    bool moveBlobTo(RecordId record);
    bool readThroughBlob(Database& base, RecordId record, PropList& out);
    bool patchInt64(Database& base, RecordId record, int offset, qint64 value);
    void forgetRecent()
    {
        closePatchBlob();
        recent = Recent();
    }
    void remember(DbId base, RecordId record, PropList props)
    {
        if (depth > 0)
            recent = Recent{base, record, std::move(props)};
    }
    bool recall(DbId base, RecordId record, PropList& out) const
    {
        if (depth == 0 || recent.record == 0 || recent.db != base || recent.record != record)
            return false;
        out = recent.props;
        return true;
    }

    ~Impl()
    {
        closePatchBlob();
        endRead();
        // close_v2 waits for the statements still alive (countUpdate) to be finalized.
        databases.clear();
        sqlite3_close_v2(db);
    }

    void ensureRead()
    {
        if (!sqlite3_get_autocommit(db))
            return;  // a read snapshot or a write transaction is open already
        if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
            readSnapshot = true;
    }

    void endRead()
    {
        if (!readSnapshot)
            return;
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        readSnapshot = false;
    }

    bool fail(StoreError e, const QString& text = {})
    {
        error = e;
        errorText = text.isEmpty() && db ? QString::fromUtf8(sqlite3_errmsg(db)) : text;
        return false;
    }
    void ok()
    {
        error = StoreError::None;
        errorText.clear();
    }
    StoreError sqliteError() const
    {
        const int code = sqlite3_errcode(db) & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            return StoreError::Busy;
        if (code == SQLITE_NOMEM)
            return StoreError::OutOfMemory;
        return StoreError::Io;
    }

    bool exec(const char* sql)
    {
        closePatchBlob();
        char* message = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
            sqlite3_free(message);
            return fail(sqliteError(), text);
        }
        return true;
    }

    qint64 queryInt(const char* sql, bool* okOut = nullptr)
    {
        sqlite3_stmt* s = nullptr;
        qint64 value = 0;
        bool ok = sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW;
        if (ok)
            value = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        if (okOut)
            *okOut = ok;
        return value;
    }

    void dropCaches()
    {
        forgetRecent();
        databases.clear();
        ++generation;
    }

    // Another connection's commit invalidates everything cached here.
    // Asked before every write, so the statement is prepared once.
    Statement dataVersionQuery;

    bool noticeOtherWriters()
    {
        // A store transaction begins IMMEDIATE: no other connection can
        // commit while it is open.
        if (depth > 0)
            return false;
        endRead();
        if (!dataVersionQuery.prepare(db, "PRAGMA data_version"))
            return false;
        qint64 version = 0;
        {
            Use s(dataVersionQuery);
            if (sqlite3_step(*s) != SQLITE_ROW)
                return false;
            version = sqlite3_column_int64(*s, 0);
        }
        if (version == dataVersion)
            return false;
        const bool changed = dataVersion != -1;
        dataVersion = version;
        if (changed)
            dropCaches();
        return changed;
    }

    Database* database(DbId id);
    bool buildSortIndex(Database& d, size_t k);
    bool buildRecordIdOrder(Database& d);
    SortIndex* sortIndex(Database& d, quint16 sortProp);
    bool readProps(Database& d, RecordId record, PropList& out);
    bool bindSortValues(Database& d, sqlite3_stmt* s, const PropList& props, int firstParam);
    bool adjustCount(Database& d, qint64 delta);
    bool beginImplicit(bool& implicit);
    // The start of a write that changes more than one value in place: the
    // in-place handle and the remembered record are let go, a write
    // transaction is made sure of, and the database looked up. Null on
    // failure, with nothing begun.
    Database* beginBulkWrite(DbId id, bool& implicit);
    // Ends an implicit write transaction in which nothing was written, keeping the error.
    void abandonImplicit(bool implicit)
    {
        closePatchBlob();
        if (implicit)
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    bool endImplicit(bool implicit, bool success);
    void indexInsert(Database& d, const PropList& props, RecordId record);
    void indexErase(Database& d, const PropList& props, RecordId record);
    void indexMove(Database& d, const PropList& before, const PropList& after, RecordId record);
    bool rewriteSortColumns(Database& d);
};

Database* ObjectStore::Impl::database(DbId id)
{
    auto it = databases.find(id);
    if (it != databases.end())
        return it->second.get();
    ensureRead();
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name, sorts, count FROM databases WHERE id = ?", -1, &s, nullptr) !=
        SQLITE_OK) {
        fail(sqliteError());
        return nullptr;
    }
    sqlite3_bind_int64(s, 1, id);
    std::unique_ptr<Database> entry;
    if (sqlite3_step(s) == SQLITE_ROW) {
        entry = std::make_unique<Database>();
        entry->id = id;
        entry->name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        entry->sorts = sortsFromText(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))));
        entry->count = sqlite3_column_int64(s, 2);
        entry->table = "r" + QByteArray::number(id);
        entry->indexes.resize(entry->sorts.size());
    }
    sqlite3_finalize(s);
    if (!entry) {
        fail(StoreError::NotFound, QStringLiteral("no such database"));
        return nullptr;
    }
    Database* raw = entry.get();
    databases.emplace(id, std::move(entry));
    return raw;
}

bool ObjectStore::Impl::buildSortIndex(Database& base, size_t k)
{
    ensureRead();
    auto index = std::make_unique<SortIndex>(base.sorts[k]);
    const QByteArray col = "s" + QByteArray::number(static_cast<int>(k));
    const QByteArray keyed = "SELECT oid, " + col + " FROM " + base.table + " WHERE " + col +
                             " IS NOT NULL ORDER BY " + col + ", oid";
    const QByteArray missing = "SELECT oid FROM " + base.table + " WHERE " + col + " IS NULL ORDER BY oid";
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, keyed.constData(), -1, &s, nullptr) != SQLITE_OK)
        return fail(sqliteError());
    const bool text = index->isText();
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        const RecordId oid = sqlite3_column_int64(s, 0);
        if (text)
            index->appendText(fromBigEndianUtf16(sqlite3_column_blob(s, 1), sqlite3_column_bytes(s, 1)), oid);
        else
            index->appendNumber(sqlite3_column_int64(s, 1), oid);
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE || sqlite3_prepare_v2(db, missing.constData(), -1, &s, nullptr) != SQLITE_OK)
        return fail(sqliteError());
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        index->appendMissing(sqlite3_column_int64(s, 0));
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        return fail(sqliteError());
    base.indexes[k] = std::move(index);
    return true;
}

bool ObjectStore::Impl::buildRecordIdOrder(Database& base)
{
    ensureRead();
    auto order = std::make_unique<std::vector<RecordId>>();
    order->reserve(static_cast<size_t>(base.count));
    const QByteArray sql = "SELECT oid FROM " + base.table + " ORDER BY oid";
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &s, nullptr) != SQLITE_OK)
        return fail(sqliteError());
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        order->push_back(sqlite3_column_int64(s, 0));
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        return fail(sqliteError());
    base.byRecordId = std::move(order);
    return true;
}

SortIndex* ObjectStore::Impl::sortIndex(Database& base, quint16 sortProp)
{
    for (size_t k = 0; k < base.sorts.size(); ++k) {
        if (base.sorts[k].propId != sortProp)
            continue;
        if (!base.indexes[k] && !buildSortIndex(base, k))
            return nullptr;
        return base.indexes[k].get();
    }
    fail(StoreError::InvalidArgument, QStringLiteral("no such sort order"));
    return nullptr;
}

bool ObjectStore::Impl::readProps(Database& base, RecordId record, PropList& out)
{
    if (recall(base.id, record, out))
        return true;
    if (readThroughBlob(base, record, out)) {
        remember(base.id, record, out);
        return true;
    }
    out.clear();
    ensureRead();
    if (!base.select.prepare(db, "SELECT props FROM " + base.table + " WHERE oid = ?"))
        return fail(sqliteError());
    Use s(base.select);
    sqlite3_bind_int64(*s, 1, record);
    const int rc = sqlite3_step(*s);
    if (rc == SQLITE_DONE)
        return fail(StoreError::NotFound, QStringLiteral("no such record"));
    if (rc != SQLITE_ROW)
        return fail(sqliteError());
    if (!RecordCodec::decode(sqlite3_column_blob(*s, 0), sqlite3_column_bytes(*s, 0), out))
        return fail(StoreError::Io, QStringLiteral("damaged record"));
    remember(base.id, record, out);
    return true;
}

bool ObjectStore::Impl::bindSortValues(Database& base, sqlite3_stmt* s, const PropList& props, int firstParam)
{
    for (int k = 0; k < MaxSortOrders; ++k) {
        const int param = firstParam + k;
        if (static_cast<size_t>(k) >= base.sorts.size()) {
            sqlite3_bind_null(s, param);
            continue;
        }
        const SortIndex::Key key = SortIndex(base.sorts[static_cast<size_t>(k)]).keyOf(props);
        if (!key.present) {
            sqlite3_bind_null(s, param);
        } else if (base.sorts[static_cast<size_t>(k)].type == PropType::Text) {
            const QByteArray bytes = bigEndianUtf16(key.text);
            if (sqlite3_bind_blob(s, param, bytes.constData(), static_cast<int>(bytes.size()),
                                  SQLITE_TRANSIENT) != SQLITE_OK)
                return fail(sqliteError());
        } else {
            sqlite3_bind_int64(s, param, key.number);
        }
    }
    return true;
}

bool ObjectStore::Impl::adjustCount(Database& base, qint64 delta)
{
    if (!countUpdate.prepare(db, "UPDATE databases SET count = count + ? WHERE id = ?"))
        return fail(sqliteError());
    Use s(countUpdate);
    sqlite3_bind_int64(*s, 1, delta);
    sqlite3_bind_int64(*s, 2, base.id);
    if (sqlite3_step(*s) != SQLITE_DONE)
        return fail(sqliteError());
    return true;
}

bool ObjectStore::Impl::beginImplicit(bool& implicit)
{
    implicit = false;
    if (writeFault && writeFault())
        return fail(StoreError::Io, QStringLiteral("injected write fault"));
    implicit = depth == 0;
    endRead();
    return !implicit || exec("BEGIN IMMEDIATE");
}

Database* ObjectStore::Impl::beginBulkWrite(DbId id, bool& implicit)
{
    forgetRecent();
    noticeOtherWriters();
    if (!beginImplicit(implicit))
        return nullptr;
    Database* base = database(id);
    if (!base)
        abandonImplicit(implicit);
    return base;
}

bool ObjectStore::Impl::endImplicit(bool implicit, bool success)
{
    if (!implicit)
        return success;
    if (success && exec("COMMIT"))
        return true;
    const StoreError e = error;
    const QString text = errorText;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    dropCaches();
    return fail(e, text);
}

void ObjectStore::Impl::indexInsert(Database& base, const PropList& props, RecordId record)
{
    for (auto& index : base.indexes) {
        if (index)
            index->insert(index->keyOf(props), record);
    }
    if (base.byRecordId)
        base.byRecordId->insert(std::upper_bound(base.byRecordId->begin(), base.byRecordId->end(), record),
                                record);
}

// Only the sort orders whose value changed move the record.
void ObjectStore::Impl::indexMove(Database& base, const PropList& before, const PropList& after,
                                  RecordId record)
{
    for (auto& index : base.indexes) {
        if (!index)
            continue;
        const SortIndex::Key from = index->keyOf(before);
        const SortIndex::Key to = index->keyOf(after);
        if (from.present == to.present && from.number == to.number && from.text == to.text)
            continue;
        index->erase(from, record);
        index->insert(to, record);
    }
}

void ObjectStore::Impl::indexErase(Database& base, const PropList& props, RecordId record)
{
    for (auto& index : base.indexes) {
        if (index)
            index->erase(index->keyOf(props), record);
    }
    if (base.byRecordId) {
        auto it = std::lower_bound(base.byRecordId->begin(), base.byRecordId->end(), record);
        if (it != base.byRecordId->end() && *it == record)
            base.byRecordId->erase(it);
    }
}

bool ObjectStore::Impl::rewriteSortColumns(Database& base)
{
    const QByteArray readSql = "SELECT oid, props FROM " + base.table;
    const QByteArray writeSql =
        "UPDATE " + base.table + " SET s0 = ?1, s1 = ?2, s2 = ?3, s3 = ?4 WHERE oid = ?5";
    sqlite3_stmt* r = nullptr;
    sqlite3_stmt* w = nullptr;
    bool good = sqlite3_prepare_v2(db, readSql.constData(), -1, &r, nullptr) == SQLITE_OK &&
                sqlite3_prepare_v2(db, writeSql.constData(), -1, &w, nullptr) == SQLITE_OK;
    PropList props;
    int rc = SQLITE_DONE;
    while (good && (rc = sqlite3_step(r)) == SQLITE_ROW) {
        // A damaged record keeps no sort values rather than stopping the rebuild.
        if (!RecordCodec::decode(sqlite3_column_blob(r, 1), sqlite3_column_bytes(r, 1), props))
            props.clear();
        good = bindSortValues(base, w, props, 1);
        sqlite3_bind_int64(w, 5, sqlite3_column_int64(r, 0));
        good = good && sqlite3_step(w) == SQLITE_DONE;
        sqlite3_reset(w);
    }
    good = good && rc == SQLITE_DONE;
    if (!good && error == StoreError::None)
        fail(sqliteError());
    sqlite3_finalize(r);
    sqlite3_finalize(w);
    return good;
}

// ---------------------------------------------------------------------------

namespace {

bool initialiseSchema(sqlite3* db)
{
    const char* sql =
        "BEGIN;"
        "CREATE TABLE store_info(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
        "INSERT INTO store_info VALUES('format', 'tallyra-object-store'), ('version', '1');"
        "CREATE TABLE databases(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, sorts TEXT NOT NULL,"
        " count INTEGER NOT NULL DEFAULT 0);"
        "COMMIT;";
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

enum class FileKind { Store, Empty, Foreign };

FileKind inspect(sqlite3* db)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &s, nullptr) != SQLITE_OK)
        return FileKind::Foreign;  // not an SQLite file at all
    const bool read = sqlite3_step(s) == SQLITE_ROW;
    const qint64 tables = read ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_finalize(s);
    if (!read)
        return FileKind::Foreign;
    if (tables == 0)
        return FileKind::Empty;
    if (sqlite3_prepare_v2(db, "SELECT value FROM store_info WHERE key = 'format'", -1, &s, nullptr) !=
        SQLITE_OK)
        return FileKind::Foreign;
    const bool ours = sqlite3_step(s) == SQLITE_ROW &&
                      qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), FormatName) == 0;
    sqlite3_finalize(s);
    return ours ? FileKind::Store : FileKind::Foreign;
}

}  // namespace

std::unique_ptr<ObjectStore> ObjectStore::open(const QString& path, QString* error)
{
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    const auto report = [&](const QString& text) {
        if (error)
            *error = text;
        return std::unique_ptr<ObjectStore>();
    };
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &impl->db, flags, nullptr) != SQLITE_OK)
        return report(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(impl->db))));
    sqlite3_busy_timeout(impl->db, BusyTimeoutMs);
    sqlite3_extended_result_codes(impl->db, 1);

    switch (inspect(impl->db)) {
    case FileKind::Foreign:
        return report(QStringLiteral("%1 is not a book store").arg(path));
    case FileKind::Empty:
        // Larger pages than SQLite's 4 KB: a save that rewrites the running
        // balances of a long account commits thousands of pages, and the log
        // takes each page with system calls of its own. (Set before the first
        // table exists; a book made with other pages keeps them.)
        if (!impl->exec("PRAGMA page_size=16384") || !impl->exec("PRAGMA journal_mode=WAL") ||
            !initialiseSchema(impl->db))
            return report(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(impl->db))));
        break;
    case FileKind::Store:
        if (!impl->exec("PRAGMA journal_mode=WAL"))
            return report(QStringLiteral("%1: %2").arg(path, impl->errorText));
        break;
    }
    // Reads go through a memory map and a larger page cache: a register row is
    // read by record id at random, which the default 2 MB cache would turn into
    // a system call per row on a large book.
    impl->exec("PRAGMA mmap_size=1073741824");
    impl->exec("PRAGMA cache_size=-32768");
    // A save that rewrites the running balances of a large account dirties
    // thousands of pages; copying them back into the store file on every such
    // commit would double its cost. The log is folded back after about 64 MB
    // of pages instead (and when the last connection closes), which copies a
    // page rewritten by many saves only once.
    impl->exec("PRAGMA wal_autocheckpoint=16384");
    // Every commit reaches the disk before the call returns.
    if (!impl->exec("PRAGMA synchronous=FULL"))
        return report(QStringLiteral("%1: %2").arg(path, impl->errorText));
    impl->noticeOtherWriters();
    return std::unique_ptr<ObjectStore>(new ObjectStore(std::move(impl)));
}

ObjectStore::ObjectStore(std::unique_ptr<Impl> impl) : d(std::move(impl))
{
}
ObjectStore::~ObjectStore()
{
    while (d->depth > 0)
        rollbackTransaction();
}

QString ObjectStore::path() const
{
    return d->path;
}

DbId ObjectStore::findDatabase(const QString& name)
{
    d->ensureRead();
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(d->db, "SELECT id FROM databases WHERE name = ?", -1, &s, nullptr) != SQLITE_OK) {
        d->fail(d->sqliteError());
        return 0;
    }
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(s, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_STATIC);
    DbId id = 0;
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW)
        id = static_cast<DbId>(sqlite3_column_int64(s, 0));
    sqlite3_finalize(s);
    if (rc == SQLITE_ROW)
        d->ok();
    else if (rc == SQLITE_DONE)
        d->fail(StoreError::NotFound, QStringLiteral("no such database"));
    else
        d->fail(d->sqliteError());
    return id;
}

DbId ObjectStore::createDatabase(const QString& name, const std::vector<SortSpec>& sorts)
{
    if (sorts.size() > MaxSortOrders || name.isEmpty()) {
        d->fail(StoreError::InvalidArgument, QStringLiteral("bad database definition"));
        return 0;
    }
    bool implicit = false;
    if (!d->beginImplicit(implicit))
        return 0;
    sqlite3_stmt* s = nullptr;
    bool good = sqlite3_prepare_v2(d->db, "INSERT INTO databases(name, sorts) VALUES(?, ?)", -1, &s,
                                   nullptr) == SQLITE_OK;
    const QByteArray utf8 = name.toUtf8();
    const QByteArray sortText = sortsToText(sorts);
    if (good) {
        sqlite3_bind_text(s, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_STATIC);
        sqlite3_bind_text(s, 2, sortText.constData(), static_cast<int>(sortText.size()), SQLITE_STATIC);
        good = sqlite3_step(s) == SQLITE_DONE;
    }
    sqlite3_finalize(s);
    if (!good)
        d->fail(d->sqliteError());
    const DbId id = good ? static_cast<DbId>(sqlite3_last_insert_rowid(d->db)) : 0;
    if (good) {
        const QByteArray table = "r" + QByteArray::number(id);
        QByteArray sql =
            "CREATE TABLE " + table + "(oid INTEGER PRIMARY KEY, s0, s1, s2, s3, props BLOB NOT NULL);";
        for (size_t k = 0; k < sorts.size(); ++k) {
            const QByteArray col = "s" + QByteArray::number(static_cast<int>(k));
            sql += "CREATE INDEX " + table + "_" + col + " ON " + table + "(" + col + ");";
        }
        good = d->exec(sql.constData());
    }
    if (!d->endImplicit(implicit, good))
        return 0;
    d->ok();
    return id;
}

std::vector<SortSpec> ObjectStore::sortSpecs(DbId db)
{
    Database* base = d->database(db);
    return base ? base->sorts : std::vector<SortSpec>{};
}

bool ObjectStore::setSortSpecs(DbId db, const std::vector<SortSpec>& sorts)
{
    d->forgetRecent();
    d->noticeOtherWriters();
    Database* base = d->database(db);
    if (!base)
        return false;
    if (sorts.size() > MaxSortOrders)
        return d->fail(StoreError::InvalidArgument, QStringLiteral("too many sort orders"));
    bool implicit = false;
    if (!d->beginImplicit(implicit))
        return false;
    QByteArray sql;
    for (int k = 0; k < MaxSortOrders; ++k)
        sql += "DROP INDEX IF EXISTS " + base->table + "_s" + QByteArray::number(k) + ";";
    sql += "UPDATE databases SET sorts = '" + sortsToText(sorts) + "' WHERE id = " + QByteArray::number(db) +
           ";";
    bool good = d->exec(sql.constData());
    base->sorts = sorts;
    base->indexes.clear();
    base->indexes.resize(sorts.size());
    if (good && !sorts.empty()) {
        good = d->rewriteSortColumns(*base);
        QByteArray create;
        for (size_t k = 0; k < sorts.size(); ++k) {
            const QByteArray col = "s" + QByteArray::number(static_cast<int>(k));
            create += "CREATE INDEX " + base->table + "_" + col + " ON " + base->table + "(" + col + ");";
        }
        good = good && d->exec(create.constData());
    }
    if (!d->endImplicit(implicit, good)) {
        d->dropCaches();
        return false;
    }
    d->ok();
    return true;
}

qint64 ObjectStore::recordCount(DbId db)
{
    Database* base = d->database(db);
    return base ? base->count : -1;
}

bool ObjectStore::hasSort(DbId db, quint16 sortProp)
{
    Database* base = d->database(db);
    if (!base)
        return false;
    if (sortProp == 0)
        return true;
    return std::any_of(base->sorts.begin(), base->sorts.end(),
                       [&](const SortSpec& s) { return s.propId == sortProp; });
}

RecordId ObjectStore::recordAt(DbId db, quint16 sortProp, qint64 position)
{
    Database* base = d->database(db);
    if (!base)
        return 0;
    if (position < 0 || position >= base->count) {
        d->fail(StoreError::EndOfData, QStringLiteral("position out of range"));
        return 0;
    }
    if (sortProp == 0) {
        if (!base->byRecordId && !d->buildRecordIdOrder(*base))
            return 0;
        return position < static_cast<qint64>(base->byRecordId->size())
                   ? (*base->byRecordId)[static_cast<size_t>(position)]
                   : 0;
    }
    SortIndex* index = d->sortIndex(*base, sortProp);
    return index ? index->at(position) : 0;
}

qint64 ObjectStore::positionOf(DbId db, quint16 sortProp, RecordId record)
{
    Database* base = d->database(db);
    if (!base)
        return -1;
    if (sortProp == 0) {
        if (!base->byRecordId && !d->buildRecordIdOrder(*base))
            return -1;
        auto it = std::lower_bound(base->byRecordId->begin(), base->byRecordId->end(), record);
        return it != base->byRecordId->end() && *it == record ? it - base->byRecordId->begin() : -1;
    }
    SortIndex* index = d->sortIndex(*base, sortProp);
    PropList props;
    if (!index || !d->readProps(*base, record, props))
        return -1;
    return index->positionOf(index->keyOf(props), record);
}

ObjectStore::Hit ObjectStore::seek(DbId db, quint16 sortProp, SeekKind kind, const PropValue& value)
{
    Database* base = d->database(db);
    if (!base)
        return {};
    SortIndex* index = sortProp == 0 ? nullptr : d->sortIndex(*base, sortProp);
    if (!index) {
        d->fail(StoreError::InvalidArgument, QStringLiteral("seek by value needs a sort order"));
        return {};
    }
    const qint64 position = index->seek(kind, value);
    if (position < 0) {
        d->fail(StoreError::NotFound, QStringLiteral("no record qualifies"));
        return {};
    }
    d->ok();
    return Hit{index->at(position), position};
}

bool ObjectStore::readRecord(DbId db, RecordId record, PropList& out)
{
    Database* base = d->database(db);
    if (!base) {
        out.clear();
        return false;
    }
    return d->readProps(*base, record, out);
}

namespace {

bool sameSortValues(const Database& base, const PropList& before, const PropList& after)
{
    for (const SortSpec& sort : base.sorts) {
        const SortIndex index(sort);
        const SortIndex::Key from = index.keyOf(before);
        const SortIndex::Key to = index.keyOf(after);
        if (from.present != to.present || from.number != to.number || from.text != to.text)
            return false;
    }
    return true;
}

// Where the value of a 64-bit property starts in the encoded record; -1 when
// the record has no such property of that type.
int int64ValueOffset(const PropList& props, quint16 id)
{
    qsizetype offset = 0;
    for (const PropValue& p : props) {
        if (p.id == id)
            return p.type == PropType::Int64 ? static_cast<int>(offset + 4) : -1;
        offset += 4 + (p.type == PropType::Int ? 4 : p.type == PropType::Int64 ? 8 : 4 + p.text.size() * 2);
    }
    return -1;
}

bool sortsUse(const Database& base, quint16 id)
{
    return std::any_of(base.sorts.begin(), base.sorts.end(),
                       [id](const SortSpec& s) { return s.propId == id; });
}

// A change of one 64-bit value that the record already holds and no sort
// order reads (a running balance) keeps the record's size and layout; inside
// a store transaction, with the record's content known, it is written in
// place. Gives the value's offset, or -1.
int patchOffset(const Database& base, const PropList& before, const PropList& changes)
{
    if (changes.size() != 1 || changes[0].remove || changes[0].type != PropType::Int64 ||
        sortsUse(base, changes[0].id))
        return -1;
    return int64ValueOffset(before, changes[0].id);
}

}  // namespace

// The open handle is moved to `record`; on failure it is closed.
bool ObjectStore::Impl::moveBlobTo(RecordId record)
{
    if (patchRecord == record)
        return true;
    if (sqlite3_blob_reopen(patchBlob, record) != SQLITE_OK) {
        closePatchBlob();
        return false;
    }
    patchRecord = record;
    return true;
}

// False when the record could not be read this way (the caller reads it
// with a statement, which also tells a missing record from a failure).
bool ObjectStore::Impl::readThroughBlob(Database& base, RecordId record, PropList& out)
{
    if (depth == 0 || !patchBlob || patchDb != base.id || !moveBlobTo(record))
        return false;
    const int size = sqlite3_blob_bytes(patchBlob);
    blobBuffer.resize(size);
    if (sqlite3_blob_read(patchBlob, blobBuffer.data(), size, 0) != SQLITE_OK ||
        !RecordCodec::decode(blobBuffer.constData(), size, out)) {
        closePatchBlob();
        return false;
    }
    return true;
}

bool ObjectStore::Impl::patchInt64(Database& base, RecordId record, int offset, qint64 value)
{
    bool open = false;
    if (patchBlob && patchDb == base.id) {
        open = moveBlobTo(record);
    } else {
        closePatchBlob();
        open = sqlite3_blob_open(db, "main", base.table.constData(), "props", record, 1, &patchBlob) ==
               SQLITE_OK;
        if (open) {
            patchDb = base.id;
            patchRecord = record;
        }
    }
    uchar bytes[sizeof(qint64)];
    qToLittleEndian(value, bytes);
    if (open && sqlite3_blob_write(patchBlob, bytes, sizeof bytes, offset) == SQLITE_OK)
        return true;
    fail(sqliteError());
    closePatchBlob();
    return false;
}

RecordId ObjectStore::writeRecord(DbId db, RecordId record, const PropList& changes)
{
    if (changes.empty()) {
        d->fail(StoreError::NoData, QStringLiteral("no properties to write"));
        return 0;
    }
    d->noticeOtherWriters();
    // The record is read inside the write transaction, so nobody changes it in between.
    bool implicit = false;
    if (!d->beginImplicit(implicit))
        return 0;
    Database* base = d->database(db);
    PropList before;
    const bool known = base && record != 0 && d->recall(db, record, before);
    if (!base || (record != 0 && !known && !d->readProps(*base, record, before))) {
        d->abandonImplicit(implicit);
        return 0;
    }
    PropList after = before;
    mergeInto(after, changes);
    if (known && !implicit) {
        const int offset = patchOffset(*base, before, changes);
        if (offset >= 0) {
            if (!d->patchInt64(*base, record, offset, changes[0].number)) {
                d->forgetRecent();
                return 0;
            }
            d->remember(db, record, std::move(after));
            d->ok();
            return record;
        }
    }
    d->closePatchBlob();
    const QByteArray blob = RecordCodec::encode(after);

    // A change that leaves every sort value as it was (a running balance, a
    // note) writes the properties only, so SQLite leaves its indexes alone.
    const bool propsOnly = record != 0 && sameSortValues(*base, before, after);
    Statement& stmt = record == 0 ? base->insert : propsOnly ? base->updateProps : base->update;
    const QByteArray sql =
        record == 0 ? "INSERT INTO " + base->table + "(s0, s1, s2, s3, props) VALUES(?1, ?2, ?3, ?4, ?5)"
        : propsOnly
            ? "UPDATE " + base->table + " SET props = ?5 WHERE oid = ?6"
            : "UPDATE " + base->table + " SET s0 = ?1, s1 = ?2, s2 = ?3, s3 = ?4, props = ?5 WHERE oid = ?6";
    bool good = stmt.prepare(d->db, sql);
    RecordId written = record;
    if (good) {
        Use s(stmt);
        good = (propsOnly || d->bindSortValues(*base, *s, after, 1)) &&
               sqlite3_bind_blob(*s, 5, blob.constData(), static_cast<int>(blob.size()), SQLITE_STATIC) ==
                   SQLITE_OK;
        if (good && record != 0)
            sqlite3_bind_int64(*s, 6, record);
        good = good && sqlite3_step(*s) == SQLITE_DONE;
        if (!good && d->error == StoreError::None)
            d->fail(d->sqliteError());
        if (good && record == 0)
            written = sqlite3_last_insert_rowid(d->db);
    } else {
        d->fail(d->sqliteError());
    }
    if (good && record == 0)
        good = d->adjustCount(*base, 1);
    if (!good)
        d->forgetRecent();
    if (!d->endImplicit(implicit, good))
        return 0;

    // The caches may have been dropped by a failed commit; only a live entry is updated.
    auto it = d->databases.find(db);
    if (it != d->databases.end()) {
        Database& live = *it->second;
        if (record != 0) {
            // propsOnly: every sort value was compared already and none moved.
            if (!propsOnly)
                d->indexMove(live, before, after, record);
        } else {
            ++live.count;
            d->indexInsert(live, after, written);
        }
    }
    d->remember(db, written, std::move(after));
    d->ok();
    return written;
}

bool ObjectStore::deleteRecord(DbId db, RecordId record)
{
    d->forgetRecent();
    d->noticeOtherWriters();
    bool implicit = false;
    if (!d->beginImplicit(implicit))
        return false;
    Database* base = d->database(db);
    PropList before;
    if (!base || !d->readProps(*base, record, before)) {
        d->abandonImplicit(implicit);
        return false;
    }
    bool good = base->remove.prepare(d->db, "DELETE FROM " + base->table + " WHERE oid = ?");
    if (good) {
        Use s(base->remove);
        sqlite3_bind_int64(*s, 1, record);
        good = sqlite3_step(*s) == SQLITE_DONE;
    }
    if (!good)
        d->fail(d->sqliteError());
    good = good && d->adjustCount(*base, -1);
    if (!d->endImplicit(implicit, good))
        return false;
    auto it = d->databases.find(db);
    if (it != d->databases.end()) {
        d->indexErase(*it->second, before, record);
        --it->second->count;
    }
    d->ok();
    return true;
}

bool ObjectStore::appendRecords(DbId db, const std::vector<PropList>& records)
{
    if (records.empty())
        return true;
    bool implicit = false;
    Database* base = d->beginBulkWrite(db, implicit);
    if (!base)
        return false;
    bool good = base->insert.prepare(d->db, "INSERT INTO " + base->table +
                                                "(s0, s1, s2, s3, props) VALUES(?1, ?2, ?3, ?4, ?5)");
    if (!good)
        d->fail(d->sqliteError());
    std::vector<PropList> written;
    std::vector<RecordId> ids;
    written.reserve(records.size());
    ids.reserve(records.size());
    for (const PropList& changes : records) {
        if (!good)
            break;
        PropList after;
        mergeInto(after, changes);
        if (after.empty()) {
            good = d->fail(StoreError::NoData, QStringLiteral("no properties to write"));
            break;
        }
        const QByteArray blob = RecordCodec::encode(after);
        Use s(base->insert);
        good = d->bindSortValues(*base, *s, after, 1) &&
               sqlite3_bind_blob(*s, 5, blob.constData(), static_cast<int>(blob.size()), SQLITE_STATIC) ==
                   SQLITE_OK &&
               sqlite3_step(*s) == SQLITE_DONE;
        if (!good && d->error == StoreError::None)
            d->fail(d->sqliteError());
        if (good) {
            ids.push_back(sqlite3_last_insert_rowid(d->db));
            written.push_back(std::move(after));
        }
    }
    good = good && d->adjustCount(*base, static_cast<qint64>(ids.size()));
    if (!d->endImplicit(implicit, good))
        return false;
    // The caches may have been dropped by a failed commit; only a live entry is updated.
    auto it = d->databases.find(db);
    if (it != d->databases.end()) {
        Database& live = *it->second;
        live.count += static_cast<qint64>(ids.size());
        for (size_t i = 0; i < ids.size(); ++i)
            d->indexInsert(live, written[i], ids[i]);
    }
    d->ok();
    return true;
}

bool ObjectStore::clearDatabase(DbId db)
{
    bool implicit = false;
    Database* base = d->beginBulkWrite(db, implicit);
    if (!base)
        return false;
    const QByteArray sql = "DELETE FROM " + base->table +
                           "; UPDATE databases SET count = 0 WHERE id = " + QByteArray::number(db) + ";";
    if (!d->endImplicit(implicit, d->exec(sql.constData())))
        return false;
    auto it = d->databases.find(db);
    if (it != d->databases.end()) {
        Database& live = *it->second;
        live.count = 0;
        for (auto& index : live.indexes)
            index.reset();
        live.byRecordId.reset();
    }
    // Every position a cursor holds in this database is gone.
    ++d->generation;
    d->ok();
    return true;
}

bool ObjectStore::beginTransaction()
{
    if (d->depth == 0) {
        d->forgetRecent();
        d->noticeOtherWriters();
        d->endRead();
        if (!d->exec("BEGIN IMMEDIATE"))
            return false;
        d->rollbackOnly = false;
    }
    ++d->depth;
    return true;
}

bool ObjectStore::commitTransaction()
{
    if (d->depth == 0)
        return d->fail(StoreError::InvalidArgument, QStringLiteral("no transaction"));
    if (--d->depth > 0)
        return !d->rollbackOnly;
    d->forgetRecent();
    if (d->rollbackOnly) {
        sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
        d->dropCaches();
        return d->fail(StoreError::Io, QStringLiteral("an inner step was rolled back"));
    }
    if (d->exec("COMMIT"))
        return true;
    const StoreError e = d->error;
    const QString text = d->errorText;
    sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
    d->dropCaches();
    return d->fail(e, text);
}

void ObjectStore::rollbackTransaction()
{
    d->forgetRecent();
    if (d->depth == 0)
        return;
    if (--d->depth > 0) {
        d->rollbackOnly = true;
        return;
    }
    sqlite3_exec(d->db, "ROLLBACK", nullptr, nullptr, nullptr);
    d->dropCaches();
}

int ObjectStore::transactionDepth() const
{
    return d->depth;
}

bool ObjectStore::checkForChanges()
{
    return d->noticeOtherWriters();
}

quint64 ObjectStore::generation() const
{
    return d->generation;
}

bool ObjectStore::verify(DbId db, QString* problem)
{
    const auto report = [&](const QString& text) {
        if (problem)
            *problem = text;
        return false;
    };
    Database* base = d->database(db);
    if (!base)
        return report(QStringLiteral("database %1 is missing").arg(db));
    const QByteArray sql = "SELECT oid, props FROM " + base->table;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(d->db, sql.constData(), -1, &s, nullptr) != SQLITE_OK)
        return report(QString::fromUtf8(sqlite3_errmsg(d->db)));
    qint64 rows = 0;
    RecordId damaged = 0;
    PropList props;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        ++rows;
        if (!damaged && !RecordCodec::decode(sqlite3_column_blob(s, 1), sqlite3_column_bytes(s, 1), props))
            damaged = sqlite3_column_int64(s, 0);
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        return report(QString::fromUtf8(sqlite3_errmsg(d->db)));
    if (damaged)
        return report(QStringLiteral("%1: record %2 is damaged").arg(base->name).arg(damaged));
    if (rows != base->count)
        return report(
            QStringLiteral("%1: %2 records, count says %3").arg(base->name).arg(rows).arg(base->count));
    return true;
}

void ObjectStore::setWriteFault(std::function<bool()> fault)
{
    d->writeFault = std::move(fault);
}

StoreError ObjectStore::lastError() const
{
    return d->error;
}

QString ObjectStore::lastErrorText() const
{
    return d->errorText;
}
