#include "reports/HtmlListWriter.h"

#include "reference/CurrencyCache.h"
#include "reports/AmountForms.h"
#include "reports/HtmlRateText.h"
#include "reports/HtmlText.h"
#include "reports/ReportSink.h"
#include "reports/ReportTotals.h"
#include "reports/ReportWriteProgress.h"
#include "reports/TextReportLayout.h"
#include "store/DateText.h"

namespace {

QString headerCell(const QString& width, const QString& text)
{
    return QStringLiteral("    <td width=\"") + width + QStringLiteral("\"><font size=\"2\"><strong>") +
           text + QStringLiteral("</strong></font></td> \n");
}

QString cell(const QString& width, const QString& html)
{
    return QStringLiteral("    <td width=\"") + width + QStringLiteral("\"><font size=\"2\">") + html +
           QStringLiteral("</font></td> \n");
}

QString tableHead()
{
    QString out = QStringLiteral("<table border=\"1\" width=\"100%\"> \n  <tr> \n");
    out += headerCell(QStringLiteral("9%\" align=\"center"), QStringLiteral("Data"));
    out += headerCell(QStringLiteral("6%"), QStringLiteral("?"));
    out += headerCell(QStringLiteral("4%"), QStringLiteral("C"));
    out += headerCell(QStringLiteral("19%"), QStringLiteral("Description"));
    out += headerCell(QStringLiteral("13%"), QStringLiteral("Note"));
    out += headerCell(QStringLiteral("15%"), QStringLiteral("Account"));
    out += headerCell(QStringLiteral("15%"), QStringLiteral("Category/ Project"));
    out += headerCell(QStringLiteral("9%"), QStringLiteral("Contact"));
    out += headerCell(QStringLiteral("13%\" align=\"right"), QStringLiteral("Sum"));
    return out + QStringLiteral("  </tr> \n");
}

QString markCell(qint32 mark)
{
    const QString text = TextReportLayout::markText(mark);
    return text == QStringLiteral(" ") ? QStringLiteral("&nbsp;") : text;
}

QString transactionRow(const TransactionEntry& e, const CurrencyCache& currencies, const LocaleValues& locale)
{
    QString out = QStringLiteral("  <tr> \n");
    out += cell(QStringLiteral("9%\" align=\"center"), HtmlText::escape(shortDate(e.date, locale)));
    out += cell(QStringLiteral("6%"), HtmlText::cell(e.number));
    out += cell(QStringLiteral("4%"), markCell(e.mark));
    out += cell(QStringLiteral("19%"), HtmlText::cell(e.description));
    out += cell(QStringLiteral("13%"), HtmlText::cell(e.note));
    out += cell(QStringLiteral("12%"), QLatin1Char('[') + HtmlText::escape(e.accountName) + QLatin1Char(']'));
    out += cell(QStringLiteral("15%"),
                HtmlText::escape(e.categoryText) + QStringLiteral("/ ") + HtmlText::escape(e.projectPath));
    out += cell(QStringLiteral("9%"), HtmlText::cell(e.contact));
    out += cell(QStringLiteral("13%\" align=\"right"),
                HtmlRateText::amount(currencies, e.amount, e.currency, locale));
    return out + QStringLiteral("  </tr> \n");
}

QString bigTotalRow(const QString& label, const QString& amount, bool doubledClose)
{
    return QStringLiteral("  <tr> \n    <td width=\"72%\" align=\"right\"><font size=\"3\"><strong>") +
           label +
           QStringLiteral(
               "</strong></font></td> \n    <td width=\"28%\" align=\"right\"><font size=\"3\"><strong>") +
           amount +
           (doubledClose ? QStringLiteral("</strong></font></strong></font></td> \n")
                         : QStringLiteral("</strong></font></td> \n")) +
           QStringLiteral("  </tr> \n");
}

QString smallRow(const QString& label, const QString& amount)
{
    return QStringLiteral("  <tr> \n    <td width=\"72%\" align=\"right\"><font size=\"2\">") + label +
           QStringLiteral("</font></td> \n    <td width=\"28%\" align=\"right\"><font size=\"2\">") + amount +
           QStringLiteral("</font></td> \n  </tr> \n");
}

QString totalsTable(const HtmlReportInfo& info, const ReportTotals& totals, const QString& reportCurrency,
                    const CurrencyCache& currencies, const LocaleValues& locale)
{
    const QString period = HtmlText::escape(shortDate(info.dateLow, locale)) + QStringLiteral(" through ") +
                           HtmlText::escape(shortDate(info.dateHigh, locale));
    const QString code = HtmlText::escape(reportCurrency);
    QString out =
        QStringLiteral("<table border=\"0\" width=\"100%\" cellpadding=\"0\" cellspacing=\"0\"> \n");
    out += QStringLiteral("  <tr> \n    <td width=\"72%\" align=\"right\"><p align=\"right\"><font "
                          "size=\"3\"><strong><br>TOTAL  ") +
           period + QStringLiteral("<br></strong></font></td> \n") +
           QStringLiteral("    <td width=\"28%\" align=\"right\"><font size=\"3\"><strong>") +
           AmountForms::grouped(totals.net, locale) + QLatin1Char(' ') + code +
           QStringLiteral("</strong></font><br></td> \n  </tr> \n");
    out += bigTotalRow(QStringLiteral("TOTAL INFLOWS"),
                       AmountForms::grouped(totals.deposits, locale) + QLatin1Char(' ') + code, true);
    out += bigTotalRow(QStringLiteral("TOTAL OUTFLOUWS"),
                       AmountForms::grouped(-totals.payments, locale) + QLatin1Char(' ') + code, false);
    const std::vector<CachedCurrency>& entries = currencies.entries();
    for (size_t i = 0; i < totals.perCurrency.size() && i < entries.size(); ++i) {
        if (totals.perCurrency[i].isZero() || entries[i].code == reportCurrency)
            continue;
        out += QStringLiteral("  <tr> \n    <td width=\"100%\" align=\"right\" colspan=\"2\"><font "
                              "size=\"2\">rate exchange") +
               HtmlRateText::statement(currencies, entries[i].code, reportCurrency) +
               QStringLiteral("<br></font></td> \n  </tr> \n");
    }
    for (size_t i = 0; i < totals.perCurrency.size() && i < entries.size(); ++i) {
        const CurrencyTotals& t = totals.perCurrency[i];
        if (t.isZero())
            continue;
        const QString& c = entries[i].code;
        out += smallRow(QStringLiteral("Deposit in  ") + HtmlText::escape(c),
                        HtmlRateText::amount(currencies, t.deposits, c, locale));
        out += smallRow(QStringLiteral("Payment in ") + HtmlText::escape(c),
                        HtmlRateText::amount(currencies, -t.payments, c, locale));
        out += smallRow(QStringLiteral("Total in ") + HtmlText::escape(c),
                        HtmlRateText::amount(currencies, t.deposits + t.payments, c, locale));
    }
    return out;
}

}  // namespace

bool HtmlListWriter::write(ReportSink& out, const HtmlReportInfo& info, const ReportListSource& source,
                           const CurrencyCache& currencies, const LocaleValues& locale, Interaction& ui)
{
    out.text(HtmlHead::text(info.title, info.dateLow, info.dateHigh, info.filter, locale));
    out.text(tableHead());
    ReportTotals totals;
    totals.reset(currencies.size());
    ReportWriteProgress progress(ui, source.count);
    for (qint64 i = 0; i < source.count && progress.next(i); ++i) {
        const std::optional<TransactionEntry> e = source.entry(i);
        if (!e)
            continue;
        out.text(transactionRow(*e, currencies, locale));
        totals.addConverted(e->converted);
        totals.addInCurrency(currencies.indexOf(e->currency), e->amount);
    }
    out.text(QStringLiteral("</table> \n"));
    out.text(totalsTable(info, totals, source.reportCurrency, currencies, locale));
    out.text(QStringLiteral("</table> \n<hr size=\"1\"> \n") + HtmlHead::chart(info.chartSvg) +
             QStringLiteral("</body> \n</html>"));
    return !progress.stopped();
}
