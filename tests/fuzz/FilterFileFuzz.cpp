// Fuzz target of the filter file reader: any bytes must read as a filter, a
// bad header or a damaged file, without crash, hang or unbounded memory; and
// whatever a file leaves in the filter must survive a save and a reload
// unchanged.

#include "reports/FilterFile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

FilterFile::ReadResult readInto(const QByteArray& bytes, ReportFilter& filter)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        std::abort();
    return FilterFile::read(buffer, filter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ReportFilter filter;
    if (readInto(bytes, filter) == FilterFile::ReadResult::BadHeader)
        return 0;
    if (filter.amountLow() > filter.amountHigh())
        std::abort();
    const QByteArray saved = FilterFile::encode(filter);
    ReportFilter again;
    if (readInto(saved, again) != FilterFile::ReadResult::Complete || FilterFile::encode(again) != saved)
        std::abort();
    return 0;
}
