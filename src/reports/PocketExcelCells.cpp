#include "reports/PocketExcelCells.h"

#include <QtEndian>

#include <array>
#include <bit>

namespace {

constexpr char BlankRecord = 0x01;
constexpr char NumberRecord = 0x03;
constexpr char LabelRecord = 0x04;

// 1970-01-01 00:00 as a file time, and its day number in the sheet's count.
constexpr qint64 UnixEpochTicks = 116'444'736'000'000'000;
constexpr double UnixEpochDayNumber = 25569.0;
constexpr double SecondsPerDay = 86400.0;

template <typename T> void put(QByteArray& out, T value)
{
    std::array<char, sizeof(T)> bytes;
    qToLittleEndian(value, bytes.data());
    out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Floor division, so a moment before 1970 still drops to its whole second.
qint64 wholeSecondsSinceUnixEpoch(FileTime date)
{
    const qint64 ticks = date - UnixEpochTicks;
    qint64 seconds = ticks / TicksPerSecond;
    if (ticks % TicksPerSecond < 0)
        --seconds;
    return seconds;
}

}  // namespace

bool PocketExcelCells::validCell(int row, int column, int style)
{
    return row >= 0 && row <= MaxRow && column >= 0 && column <= MaxColumn && style >= 0 && style <= MaxStyle;
}

void PocketExcelCells::appendCellStart(QByteArray& out, char record, int row, int column, int style)
{
    out.append(record);
    put<quint16>(out, static_cast<quint16>(row));
    put<quint8>(out, static_cast<quint8>(column));
    put<quint16>(out, static_cast<quint16>(style));
}

bool PocketExcelCells::appendLabel(QByteArray& out, int row, int column, int style, QStringView text)
{
    if (!validCell(row, column, style))
        return false;
    qsizetype length = qMin(text.size(), MaxLabelLength);
    // Cutting between the halves of a pair would leave half a character.
    if (length < text.size() && length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    appendCellStart(out, LabelRecord, row, column, style);
    put<quint16>(out, static_cast<quint16>(length));
    for (qsizetype i = 0; i < length; ++i)
        put<quint16>(out, text.at(i).unicode());
    return true;
}

bool PocketExcelCells::appendNumber(QByteArray& out, int row, int column, int style, double value)
{
    if (!validCell(row, column, style))
        return false;
    appendCellStart(out, NumberRecord, row, column, style);
    put<quint64>(out, std::bit_cast<quint64>(value));
    return true;
}

bool PocketExcelCells::appendBlank(QByteArray& out, int row, int column, int style)
{
    if (!validCell(row, column, style))
        return false;
    appendCellStart(out, BlankRecord, row, column, style);
    return true;
}

double PocketExcelCells::dateNumber(FileTime date)
{
    return static_cast<double>(wholeSecondsSinceUnixEpoch(date)) * (1.0 / SecondsPerDay) + UnixEpochDayNumber;
}

double PocketExcelCells::amountNumber(Money amount)
{
    return static_cast<double>(amount.hundredths()) * 0.01;
}
