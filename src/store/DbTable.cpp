#include "store/DbTable.h"

#include "store/RecordLayout.h"

#include <limits>

namespace {

PropType typeOfKind(DbTable::SortKind kind)
{
    switch (kind) {
    case DbTable::SortKind::Integer:
        return PropType::Int;
    case DbTable::SortKind::Text:
        return PropType::Text;
    default:
        return PropType::Int64;
    }
}

const PropValue* findProp(const PropList& props, quint16 id, PropType type)
{
    for (const PropValue& p : props) {
        if (p.id == id)
            return p.type == type ? &p : nullptr;
    }
    return nullptr;
}

}  // namespace

DbTable::DbTable(QString name) : m_name(std::move(name))
{
}

void DbTable::attach(ObjectStore* store)
{
    close();
    m_store = store;
    m_db = 0;
    m_lastId.reset();
}

bool DbTable::fail(StoreError error)
{
    m_error = error;
    return false;
}

// --- opening and sorting ------------------------------------------------------

bool DbTable::create(const std::vector<SortSpec>& sorts)
{
    if (!m_store)
        return fail(StoreError::InvalidArgument);
    const DbId db = m_store->createDatabase(m_name, sorts);
    if (db == 0)
        return fail(m_store->lastError());
    m_error = StoreError::None;
    return true;
}

bool DbTable::openWith(quint16 id, SortKind kind)
{
    if (!m_store)
        return fail(StoreError::InvalidArgument);
    const DbId db = m_store->findDatabase(m_name);
    if (db == 0)
        return fail(m_store->lastError());
    if (kind != SortKind::None && !m_store->hasSort(db, id))
        return fail(StoreError::InvalidArgument);
    m_db = db;
    m_open = true;
    m_sortId = kind == SortKind::None ? 0 : id;
    m_sortKind = kind;
    clearCurrent();
    m_error = StoreError::None;
    return true;
}

bool DbTable::open()
{
    return openWith(0, SortKind::None);
}
bool DbTable::openByInteger(quint16 id)
{
    return openWith(id, SortKind::Integer);
}
bool DbTable::openByText(quint16 id)
{
    return openWith(id, SortKind::Text);
}
bool DbTable::openByDate(quint16 id)
{
    return openWith(id, SortKind::Date);
}
bool DbTable::openByDateTime(quint16 id)
{
    return openWith(id, SortKind::DateTime);
}

void DbTable::close()
{
    m_open = false;
    clearCurrent();
}

bool DbTable::resortWith(quint16 id, SortKind kind)
{
    if (m_open && m_sortId == id && m_sortKind != SortKind::None)
        return true;
    close();
    return openWith(id, kind);
}

bool DbTable::resortByInteger(quint16 id)
{
    return resortWith(id, SortKind::Integer);
}
bool DbTable::resortByText(quint16 id)
{
    return resortWith(id, SortKind::Text);
}
bool DbTable::resortByDate(quint16 id)
{
    return resortWith(id, SortKind::Date);
}

void DbTable::saveSort()
{
    m_savedSortId = m_sortId;
    m_savedSortKind = m_sortKind;
}

bool DbTable::restoreSort()
{
    if (m_open && m_sortId == m_savedSortId && m_sortKind == m_savedSortKind)
        return true;
    close();
    return openWith(m_savedSortId, m_savedSortKind);
}

// --- records --------------------------------------------------------------------

qint64 DbTable::count() const
{
    if (!m_open || !m_store)
        return 0;
    const qint64 n = m_store->recordCount(m_db);
    return n < 0 ? 0 : n;
}

void DbTable::clearCurrent()
{
    m_position = NoRecord;
    m_record = 0;
    m_props.clear();
}

bool DbTable::loadRecord(RecordId record, qint64 position)
{
    if (record == 0 || !m_store->readRecord(m_db, record, m_props)) {
        const StoreError error = record == 0 ? StoreError::EndOfData : m_store->lastError();
        clearCurrent();
        return fail(error);
    }
    m_record = record;
    m_position = position;
    m_generation = m_store->generation();
    m_error = StoreError::None;
    return true;
}

bool DbTable::moveTo(qint64 position)
{
    if (!m_open)
        return fail(StoreError::InvalidArgument);
    if (position >= 0 && position == m_position && m_generation == m_store->generation())
        return true;
    if (position < 0) {
        clearCurrent();
        return fail(StoreError::EndOfData);
    }
    return loadRecord(m_store->recordAt(m_db, m_sortId, position), position);
}

bool DbTable::moveToRecord(RecordId record)
{
    if (!m_open)
        return fail(StoreError::InvalidArgument);
    const qint64 position = m_store->positionOf(m_db, m_sortId, record);
    if (position < 0) {
        clearCurrent();
        return fail(StoreError::NotFound);
    }
    return loadRecord(record, position);
}

void DbTable::beginNew()
{
    m_props.clear();
    m_record = 0;
    m_position = NewRecord;
}

bool DbTable::refresh()
{
    if (!m_store || !m_store->checkForChanges())
        return false;
    if (m_position >= 0)
        clearCurrent();
    return true;
}

QString DbTable::getText(quint16 id) const
{
    const PropValue* p = findProp(m_props, id, PropType::Text);
    return p ? p->text : QString();
}

qint32 DbTable::getInt(quint16 id) const
{
    const PropValue* p = findProp(m_props, id, PropType::Int);
    return p ? static_cast<qint32>(p->number) : 0;
}

qint64 DbTable::getInt64(quint16 id) const
{
    const PropValue* p = findProp(m_props, id, PropType::Int64);
    return p ? p->number : 0;
}

bool DbTable::has(quint16 id) const
{
    return std::any_of(m_props.begin(), m_props.end(), [id](const PropValue& p) { return p.id == id; });
}

// The record this cursor names must still exist before anything is written to it.
bool DbTable::ensureCurrent()
{
    if (!m_open)
        return fail(StoreError::InvalidArgument);
    if (m_position == NewRecord)
        return true;
    if (m_position < 0 || m_record == 0)
        return fail(StoreError::EndOfData);
    if (m_generation == m_store->generation())
        return true;
    // Another program wrote meanwhile: find the record again by its identity.
    const qint64 position = m_store->positionOf(m_db, m_sortId, m_record);
    if (position < 0) {
        clearCurrent();
        return fail(StoreError::NotFound);
    }
    m_position = position;
    m_generation = m_store->generation();
    return true;
}

bool DbTable::setProperty(PropValue value, bool commit)
{
    if (!ensureCurrent())
        return false;
    auto it =
        std::find_if(m_props.begin(), m_props.end(), [&](const PropValue& p) { return p.id == value.id; });
    if (it != m_props.end())
        *it = value;
    else
        m_props.push_back(value);

    if (m_position == NewRecord)
        return commit ? commitNew() : true;

    const RecordId written = m_store->writeRecord(m_db, m_record, PropList{value});
    if (written == 0) {
        const StoreError error = m_store->lastError();
        // The list no longer mirrors the store; read the record again.
        const qint64 position = m_position;
        loadRecord(m_record, position);
        return fail(error);
    }
    m_generation = m_store->generation();
    if (value.id == m_sortId && m_sortKind != SortKind::None)
        return moveToRecord(m_record);
    return true;
}

bool DbTable::commitNew()
{
    if (m_props.empty())
        return fail(StoreError::NoData);
    const RecordId written = m_store->writeRecord(m_db, 0, m_props);
    if (written == 0) {
        const StoreError error = m_store->lastError();
        clearCurrent();
        return fail(error);
    }
    return moveToRecord(written);
}

bool DbTable::setText(quint16 id, const QString& value, bool commit)
{
    return setProperty(PropValue::ofText(id, value), commit);
}

bool DbTable::setInt(quint16 id, qint32 value, bool commit)
{
    return setProperty(PropValue::ofInt(id, value), commit);
}

bool DbTable::setInt64(quint16 id, qint64 value, bool commit)
{
    return setProperty(PropValue::ofInt64(id, value), commit);
}

bool DbTable::setValues(const PropList& changes)
{
    if (changes.empty())
        return true;
    if (m_position == NewRecord || !ensureCurrent())
        return m_position == NewRecord ? fail(StoreError::InvalidArgument) : false;
    if (m_store->writeRecord(m_db, m_record, changes) == 0) {
        const StoreError error = m_store->lastError();
        loadRecord(m_record, m_position);
        return fail(error);
    }
    bool movesSort = false;
    for (const PropValue& change : changes) {
        auto it = std::find_if(m_props.begin(), m_props.end(),
                               [&](const PropValue& p) { return p.id == change.id; });
        if (change.remove) {
            if (it != m_props.end())
                m_props.erase(it);
        } else if (it != m_props.end()) {
            *it = change;
        } else {
            m_props.push_back(change);
        }
        movesSort = movesSort || (change.id == m_sortId && m_sortKind != SortKind::None);
    }
    m_generation = m_store->generation();
    return movesSort ? moveToRecord(m_record) : true;
}

bool DbTable::removeProperty(quint16 id)
{
    if (m_position == NewRecord) {
        m_props.erase(
            std::remove_if(m_props.begin(), m_props.end(), [id](const PropValue& p) { return p.id == id; }),
            m_props.end());
        return true;
    }
    if (!ensureCurrent())
        return false;
    auto it = std::find_if(m_props.begin(), m_props.end(), [id](const PropValue& p) { return p.id == id; });
    if (it == m_props.end())
        return true;
    const PropValue removal = PropValue::removal(id, it->type);
    m_props.erase(it);
    if (m_store->writeRecord(m_db, m_record, PropList{removal}) == 0) {
        const StoreError error = m_store->lastError();
        loadRecord(m_record, m_position);
        return fail(error);
    }
    m_generation = m_store->generation();
    if (id == m_sortId && m_sortKind != SortKind::None)
        return moveToRecord(m_record);
    return true;
}

bool DbTable::seek(SeekKind kind, const PropValue& value)
{
    if (!m_open || m_sortKind == SortKind::None || value.type != typeOfKind(m_sortKind)) {
        clearCurrent();
        return fail(StoreError::InvalidArgument);
    }
    const ObjectStore::Hit hit = m_store->seek(m_db, m_sortId, kind, value);
    if (hit.record == 0) {
        clearCurrent();
        return fail(StoreError::NotFound);
    }
    return loadRecord(hit.record, hit.position);
}

bool DbTable::seekText(SeekKind kind, const QString& value)
{
    return seek(kind, PropValue::ofText(m_sortId, value));
}

bool DbTable::seekInt(SeekKind kind, qint32 value)
{
    return seek(kind, PropValue::ofInt(m_sortId, value));
}

bool DbTable::seekInt64(SeekKind kind, qint64 value)
{
    return seek(kind, PropValue::ofInt64(m_sortId, value));
}

bool DbTable::appendRecords(const std::vector<PropList>& records)
{
    if (!m_open)
        return fail(StoreError::InvalidArgument);
    const bool written = m_store->appendRecords(m_db, records);
    const StoreError error = m_store->lastError();
    clearCurrent();
    return written ? true : fail(error);
}

bool DbTable::deleteAll()
{
    if (!m_open)
        return fail(StoreError::InvalidArgument);
    const bool cleared = m_store->clearDatabase(m_db);
    const StoreError error = m_store->lastError();
    clearCurrent();
    return cleared ? true : fail(error);
}

bool DbTable::deleteAt(qint64 position)
{
    if (!m_open)
        return fail(StoreError::InvalidArgument);
    const RecordId record = position >= 0 ? m_store->recordAt(m_db, m_sortId, position) : 0;
    if (record == 0) {
        clearCurrent();
        return fail(StoreError::EndOfData);
    }
    const bool deleted = m_store->deleteRecord(m_db, record);
    const StoreError error = m_store->lastError();
    // Like a reopen in the active sort: no current record afterwards.
    clearCurrent();
    return deleted ? true : fail(error);
}

// --- the circular text scan ---------------------------------------------------------

qint64 DbTable::scanStart(qint64 start) const
{
    if (start >= 0)
        return start;
    return m_position >= 0 ? m_position : 0;
}

bool DbTable::scanText(qint64 start, quint16 propId, const QString& target, const ScanOptions& options)
{
    const qint64 total = count();
    if (total <= 0) {
        clearCurrent();
        return fail(StoreError::NotFound);
    }
    qint64 position = scanStart(start);
    if (position >= total)
        position = 0;
    const bool compareReserved = position == 0;
    int frame = 0;
    for (qint64 visited = 0; visited < total; ++visited) {
        if (options.stopRequested && options.stopRequested()) {
            clearCurrent();
            return fail(StoreError::None);
        }
        if (visited > 0 && visited % BusyFrameEvery == 0 && options.busyFrame) {
            frame = options.forward ? (frame + 3) % 4 : (frame + 1) % 4;
            options.busyFrame(frame);
        }
        if (moveTo(position)) {
            const bool skip = !compareReserved && isReservedAccount(getInt(Prop::AccountId));
            if (!skip && getText(propId).startsWith(target, Qt::CaseInsensitive))
                return true;
        }
        position = options.forward ? (position + 1) % total : (position + total - 1) % total;
    }
    clearCurrent();
    return fail(StoreError::NotFound);
}

// --- ids ------------------------------------------------------------------------------

qint32 DbTable::nextId(quint16 idProp, qint32 floor)
{
    if (!m_lastId) {
        saveSort();
        if (!resortByInteger(idProp))
            return 0;
        const qint64 last = count() - 1;
        // An empty table reads as id 0: there is no record to move to.
        const bool read = last < 0 || moveTo(last);
        const qint32 largest = last >= 0 && read ? getInt(idProp) : 0;
        restoreSort();
        if (!read)
            return 0;
        m_lastId = std::max(largest, floor);
    }
    if (*m_lastId == std::numeric_limits<qint32>::max())
        return 0;
    m_lastId = *m_lastId + 1;
    return *m_lastId;
}
