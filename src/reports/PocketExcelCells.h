#pragma once

// The cell records of a Pocket Excel sheet, little-endian without padding
// (doc/pocket-excel.md), appended to a byte buffer. A cell that cannot be
// written appends nothing and answers false; the writer counts it as a failed
// cell of its row.

#include "store/FileTime.h"
#include "store/Money.h"

#include <QByteArray>
#include <QStringView>

class PocketExcelCells {
public:
    // Rows above this are refused, though the field has 16 bits.
    static constexpr int MaxRow = 65000;
    static constexpr int MaxColumn = 0xFF;
    static constexpr int MaxStyle = 0xFFFF;
    // Longer labels are cut to this many UTF-16 code units.
    static constexpr qsizetype MaxLabelLength = 254;
    // The one byte after the last cell.
    static constexpr char EndByte = 0x0A;

    // 0x04, row, column, style, length, the characters as UTF-16LE.
    static bool appendLabel(QByteArray& out, int row, int column, int style, QStringView text);
    // 0x03, row, column, style, the IEEE 754 double.
    static bool appendNumber(QByteArray& out, int row, int column, int style, double value);
    // 0x01, row, column, style: a cell with a style and no value.
    static bool appendBlank(QByteArray& out, int row, int column, int style);

    // The sheet's day number: days since 30 December 1899, counted from the
    // whole seconds of the date (1 January 1970 00:00 is 25569.0).
    static double dateNumber(FileTime date);
    // The amount in currency units (hundredths x 0.01).
    static double amountNumber(Money amount);

private:
    static bool validCell(int row, int column, int style);
    static void appendCellStart(QByteArray& out, char record, int row, int column, int style);
};
