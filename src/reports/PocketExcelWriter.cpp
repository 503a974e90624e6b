#include "reports/PocketExcelWriter.h"

#include "platform/Interaction.h"
#include "reports/FreeText.h"
#include "reports/PocketExcelCells.h"
#include "reports/PocketExcelHead.h"
#include "reports/ReportSink.h"
#include "reports/ReportWriteProgress.h"
#include "store/DateText.h"
#include "store/RecordLayout.h"

const QString PocketExcelWriter::FailureText =
    QStringLiteral("Inpossible save data\nInsufficient memory is possible");
const QString PocketExcelWriter::FailureTitle = QStringLiteral("Informations");

namespace {

using Cells = PocketExcelCells;
using Style = PocketExcelHead::Style;

// Counts failed rows and says when to give up.
class FailureList {
public:
    explicit FailureList(Interaction& ui) : m_ui(ui) {}
    // False once the limit is reached (the message is shown then).
    bool note(const QString& name)
    {
        m_names << name;
        if (m_names.size() < PocketExcelWriter::MaxFailedRows)
            return true;
        m_ui.showMessage(PocketExcelWriter::FailureText, Interaction::Icon::Exclamation);
        return false;
    }
    QStringList names() const { return m_names; }

private:
    Interaction& m_ui;
    QStringList m_names;
};

}  // namespace

// A row's cells go out together only when every one of them was written, so a
// failed row leaves no half row behind.
bool PocketExcelWriter::groupRow(QByteArray& cells, int sheetRow, const GroupRow& row,
                                 const QString& currency)
{
    bool ok = Cells::appendLabel(cells, sheetRow, 0, Style::DateOrName, cleanFreeText(row.label));
    ok = Cells::appendNumber(cells, sheetRow, 1, Style::Plain, Cells::amountNumber(row.deposits)) && ok;
    ok = Cells::appendNumber(cells, sheetRow, 2, Style::Plain, -Cells::amountNumber(row.payments)) && ok;
    ok = Cells::appendLabel(cells, sheetRow, 3, Style::CurrencyCell, currency) && ok;
    return ok;
}

bool PocketExcelWriter::transactionRow(QByteArray& cells, int sheetRow, const TransactionEntry& e)
{
    const QString labels[] = {cleanFreeText(e.description),
                              e.currency,
                              QLatin1Char('[') + cleanFreeText(e.accountName) + QLatin1Char(']'),
                              cleanFreeText(e.categoryText),
                              cleanFreeText(e.projectPath),
                              cleanFreeText(e.contact),
                              cleanFreeText(e.note),
                              cleanFreeText(e.number)};
    const int labelColumns[] = {1, 3, 4, 5, 6, 7, 8, 9};
    bool ok = Cells::appendNumber(cells, sheetRow, 0, Style::DateOrName, Cells::dateNumber(e.date));
    ok = Cells::appendNumber(cells, sheetRow, 2, Style::Plain, Cells::amountNumber(e.amount)) && ok;
    for (size_t i = 0; i < std::size(labels); ++i)
        ok = Cells::appendLabel(cells, sheetRow, labelColumns[i], Style::Plain, labels[i]) && ok;
    if (e.mark == static_cast<qint32>(ReconcileMark::Cleared) ||
        e.mark == static_cast<qint32>(ReconcileMark::Reconciled))
        ok =
            Cells::appendLabel(cells, sheetRow, 10, Style::Plain,
                               e.mark == static_cast<qint32>(ReconcileMark::Cleared) ? QStringLiteral("C")
                                                                                     : QStringLiteral("R")) &&
            ok;
    return ok;
}

PocketExcelWriter::Outcome PocketExcelWriter::writeGroups(ReportSink& out, const GroupReport& report,
                                                          Interaction& ui)
{
    out.bytes(PocketExcelHead::bytes(report.kind));
    ReportWriteProgress progress(ui, static_cast<qint64>(report.rows.size()));
    FailureList failures(ui);
    int sheetRow = 1;
    for (size_t i = 0; i < report.rows.size() && progress.next(static_cast<qint64>(i)); ++i) {
        const GroupRow& row = report.rows[i];
        if (!row.counted || (row.deposits.isZero() && row.payments.isZero()))
            continue;
        QByteArray cells;
        const bool ok = groupRow(cells, sheetRow++, row, report.currency);
        if (ok)
            out.bytes(cells);
        else if (!failures.note(cleanFreeText(row.label)))
            break;
    }
    out.bytes(QByteArray(1, PocketExcelCells::EndByte));
    return {progress.stopped(), failures.names()};
}

PocketExcelWriter::Outcome PocketExcelWriter::writeTransactions(ReportSink& out,
                                                                const ReportListSource& source,
                                                                const LocaleValues& locale, Interaction& ui)
{
    out.bytes(PocketExcelHead::bytes(ReportKind::TransactionList));
    ReportWriteProgress progress(ui, source.count);
    FailureList failures(ui);
    int sheetRow = 1;
    for (qint64 i = 0; i < source.count && progress.next(i); ++i) {
        const std::optional<TransactionEntry> e = source.entry(i);
        if (!e)
            continue;
        QByteArray cells;
        const bool ok = transactionRow(cells, sheetRow++, *e);
        if (ok)
            out.bytes(cells);
        else if (!failures.note(shortDate(e->date, locale) + QLatin1Char(' ') +
                                cleanFreeText(e->description)))
            break;
    }
    out.bytes(QByteArray(1, PocketExcelCells::EndByte));
    return {progress.stopped(), failures.names()};
}

QString PocketExcelWriter::failureMessage(ReportKind kind, const QStringList& failedRows)
{
    QString heading;
    switch (kind) {
    case ReportKind::Categories:
        heading = QStringLiteral("This categories not correct save");
        break;
    case ReportKind::Projects:
        heading = QStringLiteral("This projects not correct save");
        break;
    case ReportKind::TransactionList:
        heading = QStringLiteral("This transactions not correct save");
        break;
    }
    return (QStringList{heading} + failedRows).join(QStringLiteral("\r\n"));
}
