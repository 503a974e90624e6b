#pragma once

// A bank's CSV file as statement lines, read through a CsvMapping. The
// header rows are skipped and blank rows ignored; every other row must hold
// the mapped columns, a date that exists in the mapping's format and an
// amount, or the file is refused with the row's line.

#include "interchange/BufferedStatementSource.h"
#include "interchange/CsvMapping.h"
#include "interchange/CsvReader.h"

class CsvStatementSource : public BufferedStatementSource {
public:
    static constexpr const char* ReadErrorText = "File read error";
    static constexpr const char* EncodingText = "Unknown encoding \"%1\".";
    static constexpr const char* FewFieldsText = "Line %1: the row has %2 fields, the mapping needs %3.";
    static constexpr const char* BadDateText = "Line %1: \"%2\" is no date in the form %3.";
    static constexpr const char* BadAmountText = "Line %1: \"%2\" is no amount.";
    static constexpr const char* NoAmountText = "Line %1: the row has no amount.";

    CsvStatementSource(QString path, CsvMapping mapping)
        : m_path(std::move(path)), m_mapping(std::move(mapping))
    {
    }

    // The lines of one row; false (with `error` set) when the row is refused.
    static bool lineOf(const CsvRow& row, const CsvMapping& mapping, StatementLine& line, QString* error);

protected:
    bool read(std::vector<StatementLine>& lines) override;

private:
    QString m_path;
    CsvMapping m_mapping;
};
