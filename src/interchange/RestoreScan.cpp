#include "interchange/RestoreScan.h"

#include "interchange/BackupLayout.h"
#include "interchange/BackupReader.h"

RestoreScan RestoreScan::of(QByteArrayView data)
{
    RestoreScan scan;
    BackupReader reader(data, BackupReader::Values::Skip);
    bool known = false;
    for (;;) {
        BackupReader::Item item = reader.next();
        switch (item.kind) {
        case BackupReader::ItemKind::Section:
            known = BackupLayout::sectionNamed(item.name) != nullptr;
            break;
        case BackupReader::ItemKind::Record:
            if (known)
                ++scan.records;
            break;
        case BackupReader::ItemKind::TextSetting:
            scan.settings.push_back(
                RestoreSetting{std::move(item.section), std::move(item.key), true, std::move(item.text), 0});
            break;
        case BackupReader::ItemKind::IntSetting:
            scan.settings.push_back(
                RestoreSetting{std::move(item.section), std::move(item.key), false, QString(), item.number});
            break;
        case BackupReader::ItemKind::Property:
        case BackupReader::ItemKind::Skipped:
            break;
        case BackupReader::ItemKind::End:
            scan.complete = true;
            return scan;
        case BackupReader::ItemKind::Error:
            return scan;
        }
    }
}
