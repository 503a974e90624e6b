#include "reports/XlsxReportWriter.h"

#include "platform/LocalTime.h"
#include "reports/ReportWriteProgress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>

namespace {

// Wider columns only make the sheet harder to read; longer texts wrap out of view.
constexpr double MaxColumnWidth = 60.0;
constexpr double MinColumnWidth = 8.0;

class SheetWriter {
public:
    SheetWriter(lxw_workbook* book, lxw_worksheet* sheet, size_t columns)
        : m_book(book), m_sheet(sheet), m_widths(columns, MinColumnWidth)
    {
        m_bold = workbook_add_format(book);
        format_set_bold(m_bold);
        m_title = workbook_add_format(book);
        format_set_bold(m_title);
        format_set_font_size(m_title, 14);
        m_date = workbook_add_format(book);
        format_set_num_format(m_date, "yyyy-mm-dd");
        m_boldDate = workbook_add_format(book);
        format_set_num_format(m_boldDate, "yyyy-mm-dd");
        format_set_bold(m_boldDate);
    }

    void heading(lxw_row_t row, const QString& text, bool title)
    {
        worksheet_write_string(m_sheet, row, 0, text.toUtf8().constData(), title ? m_title : nullptr);
    }

    void header(lxw_row_t row, const QStringList& columns)
    {
        for (qsizetype c = 0; c < columns.size(); ++c)
            text(row, static_cast<lxw_col_t>(c), columns[c], m_bold);
    }

    void cells(lxw_row_t row, const SheetRow& cells, bool bold)
    {
        for (size_t c = 0; c < cells.size(); ++c)
            cell(row, static_cast<lxw_col_t>(c), cells[c], bold);
    }

    void fitColumns()
    {
        for (size_t c = 0; c < m_widths.size(); ++c)
            worksheet_set_column(m_sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 std::min(m_widths[c] + 2.0, MaxColumnWidth), nullptr);
    }

private:
    void cell(lxw_row_t row, lxw_col_t col, const SheetCell& cell, bool bold)
    {
        switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return;
        case SheetCell::Kind::Text:
            text(row, col, cell.text, bold ? m_bold : nullptr);
            return;
        case SheetCell::Kind::Date: {
            const LocalTime d = localFromFileTime(cell.date);
            lxw_datetime when{d.year, d.month, d.day, 0, 0, 0.0};
            worksheet_write_datetime(m_sheet, row, col, &when, bold ? m_boldDate : m_date);
            fit(col, 10);
            return;
        }
        case SheetCell::Kind::Amount:
            // The only floating point on the way: the exact hundredths become
            // the spreadsheet's number as the cell is written.
            worksheet_write_number(m_sheet, row, col, static_cast<double>(cell.amount.hundredths()) / 100.0,
                                   currencyFormat(cell.text, bold));
            fit(col, amountWidth(cell.amount, cell.text));
            return;
        case SheetCell::Kind::Count:
            worksheet_write_number(m_sheet, row, col, static_cast<double>(cell.count),
                                   bold ? m_bold : nullptr);
            fit(col, QString::number(cell.count).size());
            return;
        }
    }

    void text(lxw_row_t row, lxw_col_t col, const QString& value, lxw_format* format)
    {
        if (value.isEmpty())
            return;
        worksheet_write_string(m_sheet, row, col, value.toUtf8().constData(), format);
        fit(col, value.size());
    }

    void fit(lxw_col_t col, qsizetype chars)
    {
        if (col < m_widths.size())
            m_widths[col] = std::max(m_widths[col], static_cast<double>(chars));
    }

    // Digits, group separators, point, cents, sign and the currency code.
    static qsizetype amountWidth(Money amount, const QString& currency)
    {
        const qsizetype digits = QString::number(amount.magnitude().hundredths() / 100).size();
        return digits + (digits - 1) / 3 + 4 + currency.size() + 1;
    }

    // "#,##0.00 "EUR"", one format per currency and weight.
    lxw_format* currencyFormat(const QString& currency, bool bold)
    {
        const QString key = currency + (bold ? QStringLiteral("/b") : QString());
        if (lxw_format* known = m_formats.value(key))
            return known;
        QString code = currency;
        code.remove(QLatin1Char('"'));
        const QString unit = code.isEmpty() ? QString() : QStringLiteral(" \"") + code + QLatin1Char('"');
        const QByteArray pattern =
            (QStringLiteral("#,##0.00") + unit + QStringLiteral(";-#,##0.00") + unit).toUtf8();
        lxw_format* format = workbook_add_format(m_book);
        format_set_num_format(format, pattern.constData());
        if (bold)
            format_set_bold(format);
        m_formats.insert(key, format);
        return format;
    }

    lxw_workbook* m_book;
    lxw_worksheet* m_sheet;
    lxw_format* m_bold;
    lxw_format* m_title;
    lxw_format* m_date;
    lxw_format* m_boldDate;
    QHash<QString, lxw_format*> m_formats;
    std::vector<double> m_widths;
};

// Rows in order only: the workbook streams them to its temporary file.
bool fill(lxw_workbook* book, const ReportSheet& sheet, Interaction& ui)
{
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.toUtf8().constData());
    SheetWriter out(book, ws, static_cast<size_t>(sheet.columns.size()));
    lxw_row_t row = 0;
    for (qsizetype i = 0; i < sheet.heading.size(); ++i)
        out.heading(row++, sheet.heading[i], i == 0);
    ++row;  // a blank line between the heading block and the list
    out.header(row, sheet.columns);
    worksheet_freeze_panes(ws, row + 1, 0);
    ++row;
    ReportWriteProgress progress(ui, sheet.rowCount);
    bool complete = true;
    for (qint64 i = 0; i < sheet.rowCount; ++i) {
        if (!progress.next(i)) {
            complete = false;
            break;
        }
        const SheetRow cells = sheet.row(i);
        if (!cells.empty())
            out.cells(row++, cells, false);
    }
    for (const SheetRow& total : sheet.totals)
        out.cells(row++, total, true);
    out.fitColumns();
    return complete;
}

// An unused name beside the target, for the library to create.
QString temporarySibling(const QString& path)
{
    const QFileInfo target(path);
    QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        return QString();
    return reserve.fileName();
}

}  // namespace

XlsxReportWriter::Outcome XlsxReportWriter::write(const ReportSheet& sheet, const QString& path,
                                                  Interaction& ui)
{
    Outcome outcome;
    const QString temporary = temporarySibling(path);
    if (temporary.isEmpty()) {
        outcome.error = QStringLiteral("No file can be made in %1.").arg(QFileInfo(path).absolutePath());
        return outcome;
    }
    const QByteArray temporaryName = QFile::encodeName(temporary);
    // Constant memory: rows go to disk as they are written, so a list of any
    // length needs no more memory than one row.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(temporaryName.constData(), &options);
    if (!book) {
        QFile::remove(temporary);
        outcome.error = QStringLiteral("The workbook could not be started.");
        return outcome;
    }
    outcome.stopped = !fill(book, sheet, ui);
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(temporary);
        outcome.error = QString::fromUtf8(lxw_strerror(closed));
        return outcome;
    }
    QFile::setPermissions(temporary, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // POSIX rename replaces the target in one step; QFile::rename would refuse it.
    if (std::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        outcome.error = QStringLiteral("The workbook could not be moved to %1.").arg(path);
        return outcome;
    }
    outcome.written = true;
    return outcome;
}
