#include "interchange/RestoreLoader.h"

#include "interchange/BackupLayout.h"
#include "interchange/BackupReader.h"
#include "platform/StoreTransaction.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <algorithm>

namespace {

// Records written to the store in one step; also how often a long fill
// looks for "Stop".
constexpr size_t BatchSize = 1024;

const PropValue* find(const PropList& props, quint16 id, PropType type)
{
    for (const PropValue& p : props) {
        if (p.id == id)
            return p.type == type ? &p : nullptr;
    }
    return nullptr;
}

bool isLockRecord(const PropList& props)
{
    const PropValue* account = find(props, Prop::AccountId, PropType::Int);
    const PropValue* key = find(props, Prop::AccountKey, PropType::Text);
    return BackupLayout::isPasswordLockRecord(account ? static_cast<qint32>(account->number) : 0,
                                              key ? QStringView(key->text) : QStringView());
}

}  // namespace

bool RestoreLoader::load(QByteArrayView data)
{
    ObjectStore* store = m_tables.store();
    if (!store)
        return false;
    bool ok = false;
    {
        StoreTransaction transaction(*store);
        ok = transaction.isOpen() && replace(data) && transaction.commit();
        // Leaving the scope rolls everything back unless it was committed.
    }
    // Whatever happened, the cursors go back to the sorts every part expects.
    const bool sorted = m_tables.setWorkingSorts();
    if (ok) {
        // Ids handed out before belong to the book that is gone.
        for (const TableKind kind : TableDefinitions::openOrder())
            m_tables.table(kind).forgetAllocatedId();
    }
    return ok && sorted;
}

bool RestoreLoader::replace(QByteArrayView data)
{
    if (!takeLockRecords())
        return false;
    for (const TableKind kind : TableDefinitions::openOrder()) {
        if (!emptyTable(m_tables.table(kind)))
            return false;
    }
    for (PropList& lock : m_lockRecords) {
        if (!queue(TableKind::Transaction, std::move(lock)))
            return false;
    }
    return fill(data) && flush();
}

// The password-lock record stays with the book: it is found under its own
// account key, as the lock reads it, and written back after the emptying.
bool RestoreLoader::takeLockRecords()
{
    m_lockRecords.clear();
    m_batch.clear();
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::AccountKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    const QString prefix = idStartKey(ReservedAccount::PasswordLock);
    if (!t.seekText(SeekKind::NotLess, prefix))
        return true;
    for (qint64 p = t.position(); p < t.count() && t.moveTo(p); ++p) {
        if (!t.getText(Prop::AccountKey).startsWith(prefix))
            break;
        if (t.getInt(Prop::AccountId) == ReservedAccount::PasswordLock)
            m_lockRecords.push_back(t.properties());
    }
    return true;
}

// The table is left open without a sort order, so no sorted list is kept up
// record by record while the book fills; each is built once, when a cursor
// first needs it.
bool RestoreLoader::emptyTable(DbTable& table)
{
    table.close();
    return table.open() && table.deleteAll();
}

// The records of a table are written in batches: one store write for many
// records, and no record read back.
bool RestoreLoader::flush()
{
    if (m_batch.empty())
        return true;
    if (m_ui.progressStopRequested())
        return false;
    const bool written = m_tables.table(m_batchKind).appendRecords(m_batch);
    m_batch.clear();
    return written;
}

bool RestoreLoader::queue(TableKind kind, PropList props)
{
    // A record without properties holds nothing a reader could tell from no record.
    if (props.empty())
        return true;
    if (kind != m_batchKind && !flush())
        return false;
    m_batchKind = kind;
    m_batch.push_back(std::move(props));
    return m_batch.size() < BatchSize || flush();
}

bool RestoreLoader::fill(QByteArrayView data)
{
    BackupReader reader(data);
    m_section = nullptr;
    m_pending = false;
    m_steps = 0;
    m_check = RestoreCheck();
    for (;;) {
        BackupReader::Item item = reader.next();
        switch (item.kind) {
        case BackupReader::ItemKind::Section:
            if (!finishRecord())
                return false;
            startSection(item.name);
            break;
        case BackupReader::ItemKind::Record:
            if (!finishRecord())
                return false;
            m_props = PropList();
            m_pending = m_section != nullptr;
            break;
        case BackupReader::ItemKind::Property:
            addProperty(std::move(item.property));
            break;
        case BackupReader::ItemKind::End:
            if (!finishRecord() || !m_check.finish())
                return false;
            m_ui.progressStep(Steps);
            m_ui.progressLabel(QString::fromLatin1(CompleteText));
            return true;
        case BackupReader::ItemKind::Error:
            return false;
        case BackupReader::ItemKind::TextSetting:
        case BackupReader::ItemKind::IntSetting:
        case BackupReader::ItemKind::Skipped:
            // The settings are stored after the commit; the skipped item holds nothing.
            break;
        }
    }
}

void RestoreLoader::startSection(const QString& name)
{
    // An unknown table's records are read and dropped.
    m_section = BackupLayout::sectionNamed(name);
    if (!m_section)
        return;
    m_ui.progressStep(std::min(++m_steps, Steps));
    m_ui.progressLabel(QString::fromLatin1(ProgressText) + m_section->name);
}

void RestoreLoader::addProperty(PropValue value)
{
    // Values outside any record of a saved table have nowhere to go.
    if (!m_pending)
        return;
    auto same =
        std::find_if(m_props.begin(), m_props.end(), [&](const PropValue& p) { return p.id == value.id; });
    // A zero or an empty text is stored as no property, as a backup leaves it
    // out: every reader takes them for the same, but a sorted order puts a
    // missing key last and a zero first, so keeping the zero would move the
    // record once the book is backed up and restored again.
    const bool nothing = value.type == PropType::Text ? value.text.isEmpty() : value.number == 0;
    if (nothing) {
        if (same != m_props.end())
            m_props.erase(same);  // named twice: the last value counts
    } else if (same != m_props.end()) {
        *same = std::move(value);
    } else {
        m_props.push_back(std::move(value));
    }
}

// A record reaches its table when the next record or section starts, or at the end.
bool RestoreLoader::finishRecord()
{
    if (!m_pending)
        return true;
    m_pending = false;
    if (m_section->kind == TableKind::Transaction && isLockRecord(m_props))
        return true;
    // A record that contradicts itself or an earlier one ends the restore,
    // and the store transaction takes back all that was written.
    if (!m_props.empty() && !m_check.add(m_section->kind, m_props))
        return false;
    return queue(m_section->kind, std::move(m_props));
}
