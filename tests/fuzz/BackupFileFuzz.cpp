// Fuzz target of the backup file reader: any bytes must read as a backup
// file, a bad header or a damaged file, without crash, hang or unbounded
// memory. The first pass of a restore and the item reader must agree on
// whether the file is whole, and the items of a whole file must survive
// being written again by the backup writer and read back unchanged.
//
// A whole file is also restored into a book (one store for the run, in a
// temporary folder) and the book backed up: restoring that backup and backing
// up again must give the same items, so whatever a file holds, the book it
// leaves is one that backs up and restores without loss.

#include "interchange/Backup.h"
#include "interchange/BackupFormat.h"
#include "interchange/BackupReader.h"
#include "interchange/BackupWriter.h"
#include "interchange/Restore.h"
#include "interchange/RestoreLoader.h"
#include "interchange/RestoreScan.h"
#include "platform/ObjectStore.h"
#include "store/TableSet.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using Item = BackupReader::Item;
using Kind = BackupReader::ItemKind;

// Every item up to and including End or Error. Each item takes at least one
// byte, so more items than bytes would mean the reader stands still.
std::vector<Item> itemsOf(const QByteArray& bytes)
{
    std::vector<Item> items;
    BackupReader reader(bytes);
    for (;;) {
        items.push_back(reader.next());
        const Kind kind = items.back().kind;
        if (kind == Kind::End || kind == Kind::Error)
            return items;
        if (static_cast<qsizetype>(items.size()) > bytes.size() || reader.offset() > bytes.size())
            std::abort();
    }
}

// The items the backup writer can write (it never writes integer settings or
// the skipped item), written again; empty when the writer refused one.
QByteArray rewritten(FileTime time, const std::vector<Item>& items)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    BackupWriter out(buffer);
    bool ok = out.header(time);
    for (const Item& item : items) {
        switch (item.kind) {
        case Kind::Section:
            ok = ok && out.section(item.name);
            break;
        case Kind::Record:
            ok = ok && out.record();
            break;
        case Kind::Property:
            switch (item.property.type) {
            case PropType::Text:
                ok = ok && out.text(item.property.id, item.property.text);
                break;
            case PropType::Int:
                ok = ok && out.integer(item.property.id, static_cast<qint32>(item.property.number));
                break;
            case PropType::Int64:
                ok = ok && out.int64(BackupFormat::DateTag, item.property.id, item.property.number);
                break;
            }
            break;
        case Kind::TextSetting:
            ok = ok && out.textSetting(item.section, item.key, item.text);
            break;
        case Kind::End:
            ok = ok && out.end();
            break;
        case Kind::IntSetting:
        case Kind::Skipped:
        case Kind::Error:
            break;
        }
    }
    if (!ok)
        return {};
    buffer.close();
    return buffer.data();
}

bool sameItem(const Item& a, const Item& b)
{
    return a.kind == b.kind && a.name == b.name && a.property == b.property && a.section == b.section &&
           a.key == b.key && a.text == b.text && a.number == b.number;
}

// Larger whole files take the store's time without reaching new code.
constexpr size_t MaxRestoredSize = 1 << 16;

// The book every whole file is restored into.
class FuzzBook {
public:
    FuzzBook()
    {
        if (!m_dir.isValid())
            return;
        m_store = ObjectStore::open(m_dir.filePath(QStringLiteral("tallyra.db")));
        if (!m_store)
            return;
        m_tables.attach(m_store.get());
        if (!m_tables.openAll() || !m_tables.setWorkingSorts())
            m_store.reset();
    }
    bool ok() const { return m_store != nullptr; }
    TableSet& tables() { return m_tables; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ObjectStore> m_store;
    TableSet m_tables;
};

// The book replaced by the whole file `bytes`, then backed up; empty when
// the book holds no record or the file was refused.
QByteArray restoredAndBackedUp(FuzzBook& book, const QByteArray& bytes, FileTime time)
{
    SilentInteraction ui;
    RestoreLoader loader(book.tables(), ui);
    if (!loader.load(bytes)) {
        // A whole file is refused only when its records contradict each other;
        // a book restored before backs up into a file that is never refused.
        if (loader.problem().isEmpty())
            std::abort();
        return {};
    }
    Backup backup(book.tables(), ui);
    if (backup.countRecords() == 0)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    // Every text came out of a length field, so every text fits one again.
    if (!backup.writeTo(Backup::Request{{}, time, QStringLiteral("USD")}, buffer))
        std::abort();
    buffer.close();
    return buffer.data();
}

// The items of a whole file without the records that hold no property: a
// restore has nothing to write for them, so they do not come back.
std::vector<Item> withoutEmptyRecords(const std::vector<Item>& items)
{
    std::vector<Item> out;
    for (size_t i = 0; i < items.size(); ++i) {
        const bool empty =
            items[i].kind == Kind::Record && (i + 1 == items.size() || items[i + 1].kind != Kind::Property);
        if (!empty)
            out.push_back(items[i]);
    }
    return out;
}

void restoreTwice(const QByteArray& bytes, FileTime time)
{
    static FuzzBook book;
    if (!book.ok())
        std::abort();
    const QByteArray first = restoredAndBackedUp(book, bytes, time);
    if (first.isEmpty())
        return;
    const QByteArray second = restoredAndBackedUp(book, first, time);
    const std::vector<Item> a = withoutEmptyRecords(itemsOf(first));
    if (second.isEmpty()) {
        // Only records without a carried property were restored the first time.
        for (const Item& item : a) {
            if (item.kind == Kind::Record)
                std::abort();
        }
        return;
    }
    const std::vector<Item> b = withoutEmptyRecords(itemsOf(second));
    if (a.size() != b.size() || a.back().kind != Kind::End)
        std::abort();
    for (size_t i = 0; i < a.size(); ++i) {
        if (!sameItem(a[i], b[i])) {
            std::fprintf(stderr, "item %zu differs: kind %d/%d id %u/%u value %lld/%lld text '%s'/'%s'\n", i,
                         static_cast<int>(a[i].kind), static_cast<int>(b[i].kind), a[i].property.id,
                         b[i].property.id, static_cast<long long>(a[i].property.number),
                         static_cast<long long>(b[i].property.number), qPrintable(a[i].property.text),
                         qPrintable(b[i].property.text));
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<FileTime> time = BackupReader::headerTime(bytes);
    const std::vector<Item> items = itemsOf(bytes);
    const RestoreScan scan = RestoreScan::of(bytes);
    if (scan.complete != (items.back().kind == Kind::End))
        std::abort();
    if (!time)
        return 0;
    // The date question shows whatever time the header holds.
    if (Restore::dateQuestion(*time, LocaleValues()).isEmpty())
        std::abort();
    if (!scan.complete)
        return 0;

    std::vector<Item> writable;
    for (const Item& item : items) {
        if (item.kind != Kind::IntSetting && item.kind != Kind::Skipped)
            writable.push_back(item);
    }
    const QByteArray again = rewritten(*time, writable);
    if (again.isEmpty())
        std::abort();
    const std::vector<Item> reread = itemsOf(again);
    if (reread.size() != writable.size())
        std::abort();
    for (size_t i = 0; i < reread.size(); ++i) {
        if (!sameItem(reread[i], writable[i]))
            std::abort();
    }
    if (size <= MaxRestoredSize)
        restoreTwice(bytes, *time);
    return 0;
}
