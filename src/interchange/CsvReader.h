#pragma once

// The rows of a comma-separated file as RFC 4180 lays them out: fields split
// by the delimiter, rows by CR LF, LF or CR; a field that begins with the
// quote may hold delimiters, line breaks and doubled quotes. A quote inside an
// unquoted field is kept as text, as banks' files have them.
//
// Our own reader rather than a library's: Qt has none, and the C and C++ CSV
// readers Debian packages work on bytes, where ours must work on text
// already decoded from the file's code page, byte-order mark or UTF-16, and
// must name the line of every fault.
//
// Faults it reports, by the line where the row starts: a quoted field that
// is never closed, and text after a closing quote.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

struct CsvRow {
    qint64 line = 0;  // the 1-based line where the row starts
    QStringList fields;

    // True for a row with no text at all (a blank line, or only delimiters).
    bool isBlank() const;
};

class CsvReader {
public:
    static constexpr const char* OpenQuoteText = "Line %1: a quoted field is not closed.";
    static constexpr const char* AfterQuoteText = "Line %1: text follows a closing quote.";

    // Reads `text`, which must outlive the reader.
    CsvReader(QStringView text, QChar delimiter, QChar quote = u'"')
        : m_text(text), m_delimiter(delimiter), m_quote(quote)
    {
    }

    // The next row; nullopt at the end and after a fault (failure() tells).
    std::optional<CsvRow> next();
    // The fault's message; empty when there was none.
    const QString& failure() const { return m_failure; }

private:
    enum class FieldEnd { Delimiter, Row, Fault };

    FieldEnd readField(QString& field);
    FieldEnd readQuoted(QString& field);
    FieldEnd endAt(qsizetype pos);

    QStringView m_text;
    QChar m_delimiter;
    QChar m_quote;
    qsizetype m_pos = 0;
    qint64 m_line = 1;
    qint64 m_rowLine = 1;
    QString m_failure;
};
