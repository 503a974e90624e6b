#pragma once

// A QIF file as statement lines. The file is read three times: prepare()
// works out its date order (QifDateOrderScan) and counts its records ("^"
// lines) for the progress bar; next() then reads the records, one line per
// finished record.

#include "interchange/QifCategorySection.h"
#include "interchange/QifDateOrder.h"
#include "interchange/QifLineReader.h"
#include "interchange/StatementSource.h"
#include "platform/LocaleValues.h"

class QifStatementSource : public StatementSource {
public:
    static constexpr const char* FileReadErrorText = "File read error";

    // Reads `device`; it and the others are owned by the caller.
    QifStatementSource(QIODevice& device, const CodePage& codePage, const LocaleValues& locale)
        : m_reader(device, codePage), m_locale(locale)
    {
    }

    std::optional<qint64> prepare(const QString& accountCurrency) override;
    Next next(StatementLine& line) override;
    QString failure() const override { return QString::fromUtf8(FileReadErrorText); }
    bool namedProject() const override { return m_namedClass; }

private:
    QifDateOrder scanDateOrder();
    qint64 countRecords();

    QifLineReader m_reader;
    const LocaleValues& m_locale;
    QifDateOrder m_order;
    std::optional<QifPassLines> m_lines;  // the third pass, once prepared
    bool m_namedClass = false;
};
