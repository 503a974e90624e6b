#pragma once

// The byte layout of a backup file (".tyb"); doc/backup-file.md describes it.
//
// A 13-byte header (one byte 0x01, four version bytes, the 64-bit time of the
// backup), then a flat stream of items, each a tag byte and its payload, up to
// the end item. Numbers are little-endian; texts are UTF-16LE code units
// without terminator, preceded by their length in units.

#include <QtGlobal>

#include <array>

namespace BackupFormat {

constexpr quint8 Signature = 0x01;
// A reader checks only the first of them.
constexpr std::array<quint8, 4> Version = {0x01, 0x03, 0x00, 0x00};
constexpr int HeaderSize = 1 + 4 + 8;

// The longest texts the length fields can carry, in UTF-16 code units.
constexpr int MaxSectionNameLength = 0xFF;
constexpr int MaxTextLength = 0xFFFF;

enum Tag : quint8 {
    SectionTag = 4,       // length (1 byte), the table's store name
    SkipTag = 5,          // 3 bytes nobody reads; never written
    RecordTag = 13,       // a record of the current section starts
    TextTag = 17,         // id (2), length (2), code units
    DateTag = 18,         // id (2), 8 bytes: dates, and the transaction amounts
    IntegerTag = 19,      // id (2), 4 bytes
    AmountTag = 20,       // id (2), 8 bytes: amounts outside the transaction section
    TextSettingTag = 21,  // section, key, value: three texts, each length (2) and units
    IntSettingTag = 22,   // section, key as above, then 4 bytes; read, never written
    EndTag = 0xFF,
};

constexpr int SkipLength = 3;

}  // namespace BackupFormat
