#pragma once

// How the columns of a bank's CSV file become statement lines: the file's
// dialect (delimiter, quote, header rows, encoding), how it writes dates and
// amounts, and what each column holds. A mapping is saved under a name (one
// per bank) as one line of text, the form toText() writes and fromText()
// reads.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class CsvMapping {
public:
    enum class Column { Skip, Date, Description, Memo, Number, Category, Amount, Debit, Credit };

    static constexpr const char* NoDateColumnText = "The mapping has no date column.";
    static constexpr const char* NoAmountColumnText =
        "The mapping needs an amount column, or a debit and a credit column.";
    static constexpr const char* UnknownColumnText = "Unknown column \"%1\": use date, description, memo, "
                                                     "number, category, amount, debit, credit or skip.";

    std::vector<Column> columns;
    QChar delimiter = u',';
    QChar quote = u'"';
    QChar decimal = u'.';
    QString dateFormat = QStringLiteral("yyyy-MM-dd");  // Qt's date letters
    int headerRows = 1;
    QString encoding = QStringLiteral("UTF-8");  // a byte-order mark wins over it

    // The column names as the command line and the saved form spell them.
    static QString nameOf(Column column);
    static std::optional<Column> columnNamed(const QString& name);
    // "date,description,amount"; nullopt (with `error` set) for an unknown name.
    static std::optional<std::vector<Column>> parseColumns(const QString& list, QString* error = nullptr);
    QString columnList() const;

    // Where a column stands; -1 when the mapping has none.
    int indexOf(Column column) const;
    // Why the mapping cannot read a statement; empty when it can.
    QString problem() const;

    QString toText() const;
    // nullopt when the text is no saved mapping.
    static std::optional<CsvMapping> fromText(const QString& text);

    friend bool operator==(const CsvMapping&, const CsvMapping&) = default;
};
