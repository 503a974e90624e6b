// Fuzz target of the backup file reader: any bytes must read as a backup
// file, a bad header or a damaged file, without crash, hang or unbounded
// memory. The first pass of a restore and the item reader must agree on
// whether the file is whole, and the items of a whole file must survive
// being written again by the backup writer and read back unchanged.

#include "interchange/BackupFormat.h"
#include "interchange/BackupReader.h"
#include "interchange/BackupWriter.h"
#include "interchange/Restore.h"
#include "interchange/RestoreScan.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
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
        case Kind::Section: ok = ok && out.section(item.name); break;
        case Kind::Record: ok = ok && out.record(); break;
        case Kind::Property:
            switch (item.property.type) {
            case PropType::Text: ok = ok && out.text(item.property.id, item.property.text); break;
            case PropType::Int: ok = ok && out.integer(item.property.id, static_cast<qint32>(item.property.number)); break;
            case PropType::Int64: ok = ok && out.int64(BackupFormat::DateTag, item.property.id, item.property.number); break;
            }
            break;
        case Kind::TextSetting: ok = ok && out.textSetting(item.section, item.key, item.text); break;
        case Kind::End: ok = ok && out.end(); break;
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
    return 0;
}
