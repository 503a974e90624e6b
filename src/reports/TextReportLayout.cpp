#include "reports/TextReportLayout.h"

#include "reports/AmountForms.h"
#include "reports/FreeText.h"
#include "store/DateText.h"
#include "store/RecordLayout.h"

QString TextReportLayout::line(const QStringList& fields)
{
    return fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

QString TextReportLayout::headerLine(ReportKind kind)
{
    switch (kind) {
    case ReportKind::TransactionList:
        return line({QStringLiteral("Account"), QStringLiteral("Data"), QStringLiteral("Description"),
                     QStringLiteral("Sum"), QStringLiteral("Currency"), QStringLiteral("Sum"),
                     QStringLiteral("Currency Report"), QStringLiteral("Category"), QStringLiteral("Project"),
                     QStringLiteral("Contact"), QStringLiteral("Note"), QStringLiteral("No"),
                     QStringLiteral("Cleared")});
    case ReportKind::Categories:
        return line({QStringLiteral("Category"), QStringLiteral("Deposit"), QStringLiteral("Payment"),
                     QStringLiteral("Total"), QStringLiteral("Currency Report")});
    case ReportKind::Projects:
        break;
    }
    return line({QStringLiteral("Project"), QStringLiteral("Deposit"), QStringLiteral("Payment"),
                 QStringLiteral("Total"), QStringLiteral("Currency Report")});
}

QString TextReportLayout::groupLine(const QString& name, Money deposits, Money payments,
                                    const QString& reportCurrency)
{
    return line({cleanFreeText(name), AmountForms::plain(deposits), AmountForms::plain(payments),
                 AmountForms::plain(deposits - payments), cleanFreeText(reportCurrency)});
}

QString TextReportLayout::transactionLine(const TransactionFields& row, const LocaleValues& locale)
{
    return line({
        QLatin1Char('[') + cleanFreeText(row.accountName) + QLatin1Char(']'),
        shortDate(row.date, locale),
        cleanFreeText(row.description),
        AmountForms::plain(row.amount),
        cleanFreeText(row.currency),
        AmountForms::plain(row.converted),
        cleanFreeText(row.reportCurrency),
        cleanFreeText(row.category),
        cleanFreeText(row.project),
        cleanFreeText(row.contact),
        cleanFreeText(row.note),
        cleanFreeText(row.number),
        markText(row.mark),
    });
}

QString TextReportLayout::markText(qint32 mark)
{
    switch (mark) {
    case static_cast<qint32>(ReconcileMark::Cleared):
        return QStringLiteral("C");
    case static_cast<qint32>(ReconcileMark::Reconciled):
        return QStringLiteral("R");
    default:
        return QStringLiteral(" ");
    }
}
