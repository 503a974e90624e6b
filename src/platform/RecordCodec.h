#pragma once

#include "platform/StoreTypes.h"

#include <QByteArray>

// The byte form of a record's property list inside the store file:
// a sequence of entries [u16 id][u16 type][payload], little-endian, where the
// payload is an i32 (Int), an i64 (Int64) or a u32 length in UTF-16 units
// followed by the units (Text). Entries are kept in the order they were set.
namespace RecordCodec {

QByteArray encode(const PropList& props);
// False when the bytes are not a well-formed record (a damaged file); `out` is
// left empty then.
bool decode(const void* data, qsizetype size, PropList& out);

}  // namespace RecordCodec
