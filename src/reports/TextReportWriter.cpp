#include "reports/TextReportWriter.h"

#include "reports/ReportSink.h"
#include "reports/ReportWriteProgress.h"
#include "reports/TextReportLayout.h"

bool TextReportWriter::writeGroups(ReportSink& out, const GroupReport& report, Interaction& ui)
{
    out.text(TextReportLayout::headerLine(report.kind));
    ReportWriteProgress progress(ui, static_cast<qint64>(report.rows.size()));
    for (size_t i = 0; i < report.rows.size() && progress.next(static_cast<qint64>(i)); ++i) {
        const GroupRow& row = report.rows[i];
        if (row.counted)
            out.text(TextReportLayout::groupLine(row.label, row.deposits, row.payments, report.currency));
    }
    return !progress.stopped();
}

bool TextReportWriter::writeTransactions(ReportSink& out, const ReportListSource& source,
                                         const LocaleValues& locale, Interaction& ui)
{
    out.text(TextReportLayout::headerLine(ReportKind::TransactionList));
    ReportWriteProgress progress(ui, source.count);
    for (qint64 i = 0; i < source.count && progress.next(i); ++i) {
        const std::optional<TransactionEntry> e = source.entry(i);
        if (!e)
            continue;
        TextReportLayout::TransactionFields fields;
        fields.accountName = e->accountName;
        fields.date = e->date;
        fields.description = e->description;
        fields.amount = e->amount;
        fields.currency = e->currency;
        fields.converted = e->converted;
        fields.reportCurrency = source.reportCurrency;
        fields.category = e->categoryText;
        fields.project = e->projectPath;
        fields.contact = e->contact;
        fields.note = e->note;
        fields.number = e->number;
        fields.mark = e->mark;
        out.text(TextReportLayout::transactionLine(fields, locale));
    }
    return !progress.stopped();
}
