#include "reports/ReportSheetSource.h"

#include "reports/GroupReportTable.h"
#include "reports/ReportContext.h"
#include "reports/ReportHeading.h"
#include "reports/TransactionEntryReader.h"
#include "reports/TransactionListTable.h"
#include "store/DateText.h"

#include <memory>

namespace {

QStringList headingOf(const ReportContext& context, const QString& title, const QString& currency)
{
    const HtmlReportInfo info = ReportHeading::of(context, title);
    QStringList lines{info.title,
                      QStringLiteral("Period: ") + shortDate(info.dateLow, context.locale) +
                          QStringLiteral(" through ") + shortDate(info.dateHigh, context.locale),
                      QStringLiteral("Currency: ") + currency};
    if (info.filter.isEmpty())
        lines << QStringLiteral("All Transactions");
    const auto addNames = [&lines](const QString& label, const QStringList& names) {
        if (!names.isEmpty())
            lines << label + names.join(QStringLiteral(", "));
    };
    addNames(QStringLiteral("Accounts: "), info.filter.accounts);
    addNames(QStringLiteral("Categories: "), info.filter.categories);
    addNames(QStringLiteral("Projects: "), info.filter.projects);
    return lines;
}

SheetRow groupRow(const GroupRow& row)
{
    return {SheetCell::ofText(row.label), SheetCell::ofAmount(row.deposits, row.currency),
            SheetCell::ofAmount(row.payments, row.currency), SheetCell::ofAmount(row.total(), row.currency),
            SheetCell::ofText(row.currency)};
}

SheetRow listRow(const TransactionEntry& e, const QString& reportCurrency)
{
    return {SheetCell::ofDate(e.date),
            SheetCell::ofText(e.number),
            SheetCell::ofText(e.accountName),
            SheetCell::ofText(e.description),
            SheetCell::ofText(e.categoryText),
            SheetCell::ofText(e.projectPath),
            SheetCell::ofText(e.contact),
            SheetCell::ofText(e.note),
            SheetCell::ofAmount(e.amount, e.currency),
            SheetCell::ofText(e.currency),
            SheetCell::ofAmount(e.converted, reportCurrency)};
}

// A label cell, blanks up to `at`, then the amount.
SheetRow totalRow(const QString& label, qsizetype at, const SheetCell& value)
{
    SheetRow row(static_cast<size_t>(at) + 1);
    row.front() = SheetCell::ofText(label);
    row.back() = value;
    return row;
}

}  // namespace

ReportSheet ReportSheetSource::of(const GroupReportTable& view, const QString& title)
{
    const GroupReport& report = view.report();
    const QString& currency = report.currency;
    ReportSheet sheet;
    sheet.name =
        report.kind == ReportKind::Projects ? QStringLiteral("Projects") : QStringLiteral("Categories");
    sheet.heading = headingOf(view.context(), title, currency);
    sheet.columns = {report.kind == ReportKind::Projects ? QStringLiteral("Project")
                                                         : QStringLiteral("Category"),
                     QStringLiteral("Deposits"), QStringLiteral("Payments"), QStringLiteral("Total"),
                     QStringLiteral("Currency")};
    sheet.rowCount = view.rowCount();
    sheet.row = [&report](qint64 i) { return groupRow(report.rows[static_cast<size_t>(i)]); };
    const ReportTotals& t = report.totals;
    sheet.totals.push_back({SheetCell::ofText(QStringLiteral("Total")),
                            SheetCell::ofAmount(t.deposits, currency),
                            SheetCell::ofAmount(t.payments, currency), SheetCell::ofAmount(t.net, currency),
                            SheetCell::ofText(currency)});
    return sheet;
}

ReportSheet ReportSheetSource::of(const TransactionListTable& view, const QString& title)
{
    const ReportContext& context = view.context();
    const QString currency = view.reportCurrency();
    ReportSheet sheet;
    sheet.name = QStringLiteral("Transactions");
    sheet.heading = headingOf(context, title, currency);
    sheet.columns = {QStringLiteral("Date"),        QStringLiteral("Number"),   QStringLiteral("Account"),
                     QStringLiteral("Description"), QStringLiteral("Category"), QStringLiteral("Project"),
                     QStringLiteral("Contact"),     QStringLiteral("Note"),     QStringLiteral("Amount"),
                     QStringLiteral("Currency"),    QStringLiteral("Converted")};
    sheet.rowCount = view.rowCount();
    auto reader = std::make_shared<TransactionEntryReader>(context.tables, context.currencies, currency);
    sheet.row = [reader, &view, currency](qint64 i) {
        const std::optional<TransactionEntry> e = reader->read(view.rows()[static_cast<size_t>(i)].record);
        return e ? listRow(*e, currency) : SheetRow();
    };
    const ReportTotals& t = view.totals();
    const qsizetype last = sheet.columns.size() - 1;
    sheet.totals.push_back(totalRow(QStringLiteral("Transactions"), last, SheetCell::ofCount(t.count)));
    sheet.totals.push_back(
        totalRow(QStringLiteral("Deposits"), last, SheetCell::ofAmount(t.deposits, currency)));
    sheet.totals.push_back(
        totalRow(QStringLiteral("Payments"), last, SheetCell::ofAmount(t.payments, currency)));
    sheet.totals.push_back(totalRow(QStringLiteral("Total"), last, SheetCell::ofAmount(t.net, currency)));
    return sheet;
}
