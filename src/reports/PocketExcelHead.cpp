#include "reports/PocketExcelHead.h"

#include "reports/PocketExcelCells.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace {

void appendHex(QByteArray& out, std::initializer_list<unsigned char> bytes)
{
    for (const unsigned char b : bytes)
        out.append(static_cast<char>(b));
}

void appendUtf16(QByteArray& out, const QString& text)
{
    for (const QChar c : text) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
}

void appendFont(QByteArray& out, unsigned char weightLow, unsigned char weightHigh)
{
    const QString face = QStringLiteral("Arial");
    appendHex(out, {0x31, 0xC8, 0x00, 0x00, 0x00, 0x00, 0x00, weightLow, weightHigh, 0x00, 0x00, 0x00, 0x00,
                    0x00, 0x00, static_cast<unsigned char>(face.size())});
    appendUtf16(out, face);
}

// font: 0 regular, 1 bold; the two other bytes set the style apart as the
// workbook format defines them (0x12 on the date style; 0x32, 0x33 on the
// group views' own styles).
void appendStyle(QByteArray& out, unsigned char font, unsigned char flags, unsigned char format)
{
    appendHex(out, {0xE0, font, 0x00, flags, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, format,
                    0x00, 0xFF, 0x00, 0xFF,  0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00});
}

QString sheetName(ReportKind kind)
{
    switch (kind) {
    case ReportKind::TransactionList:
        return QStringLiteral("Report Records");
    case ReportKind::Categories:
        return QStringLiteral("Report Category");
    case ReportKind::Projects:
        break;
    }
    return QStringLiteral("Report Project");
}

bool isGroup(ReportKind kind)
{
    return kind != ReportKind::TransactionList;
}

}  // namespace

QByteArray PocketExcelHead::bytes(ReportKind kind)
{
    QByteArray out;
    appendWorkbookPart(out, kind);
    appendSheetStart(out, kind);
    appendHeadingRow(out, kind);
    return out;
}

void PocketExcelHead::appendWorkbookPart(QByteArray& out, ReportKind kind)
{
    appendHex(out, {0x09, 0x0F, 0x01, 0x05, 0x00, 0x42, 0xE3, 0x04, 0x8C, 0x07, 0x00, 0x07, 0x00, 0x3D, 0x1F,
                    0x00, 0x00, 0x00});
    appendFont(out, 0x90, 0x01);  // weight 400
    appendFont(out, 0xBC, 0x02);  // weight 700
    appendStyle(out, 0, 0x00, 0x30);
    appendStyle(out, 1, 0x00, 0x30);
    appendStyle(out, 0, 0x12, 0x30);
    if (isGroup(kind)) {
        appendStyle(out, 1, 0x00, 0x33);
        appendStyle(out, 0, 0x00, 0x32);
        appendStyle(out, 1, 0x00, 0x32);
    }
    const QString name = sheetName(kind);
    appendHex(out, {0x85, 0x01, static_cast<unsigned char>(name.size())});
    appendUtf16(out, name);
    appendHex(out, {0x0A});
}

void PocketExcelHead::appendSheetStart(QByteArray& out, ReportKind kind)
{
    appendHex(out, {0x09, 0x0F, 0x01, 0x10, 0x00, 0x55, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00});
    if (isGroup(kind)) {
        appendHex(out, {0x7D, 0x00, 0x00, 0x00, 0x00, 0x6D, 0x24, 0x00, 0x00, 0x02});
        appendHex(out, {0x7D, 0x01, 0x00, 0x02, 0x00, 0xB6, 0x0C, 0x00, 0x00, 0x02});
        appendHex(out, {0x7D, 0x03, 0x00, 0x03, 0x00, 0xDB, 0x0A, 0x00, 0x00, 0x02});
        appendHex(out, {0x7D, 0x04, 0x00, 0xFF, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00});
    } else {
        appendHex(out, {0x7D, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00});
    }
    appendHex(out, {0x25, 0x00, 0x00, 0xF0, 0x00});
}

void PocketExcelHead::appendHeadingRow(QByteArray& out, ReportKind kind)
{
    if (!isGroup(kind)) {
        const QStringList headings = {
            QStringLiteral("Date"),     QStringLiteral("Description"), QStringLiteral("Amount"),
            QStringLiteral("Currency"), QStringLiteral("Account"),     QStringLiteral("Category"),
            QStringLiteral("Project"),  QStringLiteral("Contact"),     QStringLiteral("Note"),
            QStringLiteral("No"),       QStringLiteral("Cleared"),
        };
        for (int column = 0; column < headings.size(); ++column)
            PocketExcelCells::appendLabel(out, 0, column, Heading, headings.at(column));
        return;
    }
    const QString first =
        kind == ReportKind::Categories ? QStringLiteral("Category") : QStringLiteral("Project");
    PocketExcelCells::appendLabel(out, 0, 0, Heading, first);
    PocketExcelCells::appendLabel(out, 0, 1, AmountHeading, QStringLiteral("Inflow"));
    PocketExcelCells::appendLabel(out, 0, 2, AmountHeading, QStringLiteral("Outflow"));
    PocketExcelCells::appendLabel(out, 0, 3, CurrencyHeading, QStringLiteral("Currency"));
    for (int column = 4; column <= 10; ++column)
        PocketExcelCells::appendBlank(out, 0, column, Heading);
}
