#include "reports/HtmlGroupWriter.h"

#include "reference/CurrencyCache.h"
#include "reports/HtmlRateText.h"
#include "reports/HtmlText.h"
#include "reports/ReportSink.h"
#include "store/DateText.h"

namespace {

const QString LabelCell = QStringLiteral("    <td width=\"82%\" height=\"21\" valign=\"top\">");
const QString AmountCell =
    QStringLiteral("    <td width=\"29%\" align=\"left\" nowrap valign=\"top\"><p align=\"left\">");
const QString RuleRow = QStringLiteral("  <tr> \n    <td width=\"82%\"><hr size=\"1\"></td> \n    <td "
                                       "width=\"29%\"><hr size=\"1\"></td> \n  </tr> \n");

// One section's value of a node or a roll-up: converted, and per currency.
struct Value {
    Money converted;
    std::vector<Money> perCurrency;

    bool isZero() const
    {
        if (!converted.isZero())
            return false;
        return std::all_of(perCurrency.begin(), perCurrency.end(), [](Money m) { return m.isZero(); });
    }
    void add(const Value& other)
    {
        converted += other.converted;
        for (size_t i = 0; i < perCurrency.size() && i < other.perCurrency.size(); ++i)
            perCurrency[i] += other.perCurrency[i];
    }
};

class SectionWriter {
public:
    SectionWriter(ReportSink& out, const GroupTree& tree, bool inflows, const QString& reportCurrency,
                  const CurrencyCache& currencies, const LocaleValues& locale)
        : m_out(out), m_tree(tree), m_inflows(inflows), m_currency(reportCurrency), m_currencies(currencies),
          m_locale(locale)
    {
        m_rollUp.resize(tree.nodes().size());
        for (const size_t top : tree.tops())
            rollUp(top);
    }

    void rows()
    {
        for (const size_t top : m_tree.tops())
            node(top, 0);
    }

    // The amount cell's content: the report currency's amount, with the
    // parts of each currency when another one made it.
    QString amount(const Value& v) const
    {
        const QString total = HtmlRateText::amount(m_currencies, v.converted, m_currency, m_locale);
        const std::vector<size_t> used = currenciesOf(v);
        const int own = m_currencies.indexOf(m_currency);
        if (used.empty() || (used.size() == 1 && static_cast<int>(used.front()) == own))
            return total;
        QString parts;
        for (const size_t i : used)
            parts += (parts.isEmpty() ? QStringLiteral("&nbsp;&nbsp;") : QStringLiteral("&nbsp;+&nbsp;")) +
                     partOf(v, i);
        return total + QStringLiteral(" =<br> \n<small>") + parts + QStringLiteral("</small>");
    }

private:
    Value own(size_t i) const
    {
        const GroupTreeNode& n = m_tree.nodes()[i];
        return m_inflows ? Value{n.deposits, n.currencyDeposits} : Value{n.payments, n.currencyPayments};
    }

    const Value& rollUp(size_t i)
    {
        Value v = own(i);
        for (const size_t c : m_tree.nodes()[i].children)
            v.add(rollUp(c));
        m_rollUp[i] = std::move(v);
        return m_rollUp[i];
    }

    std::vector<size_t> currenciesOf(const Value& v) const
    {
        std::vector<size_t> used;
        for (size_t i = 0; i < v.perCurrency.size(); ++i)
            if (!v.perCurrency[i].isZero())
                used.push_back(i);
        return used;
    }

    QString partOf(const Value& v, size_t i) const
    {
        const QString code = i < m_currencies.entries().size() ? m_currencies.entries()[i].code : QString();
        return HtmlRateText::amount(m_currencies, v.perCurrency[i], code, m_locale);
    }

    void node(size_t i, int level)
    {
        if (m_rollUp[i].isZero())
            return;
        const GroupTreeNode& n = m_tree.nodes()[i];
        const int run = HtmlGroupWriter::indentOf(level);
        m_out.text(QStringLiteral("  <tr> \n") + LabelCell + QStringLiteral("<blockquote>").repeated(run) +
                   QStringLiteral("<p>") + HtmlText::escape(n.name) +
                   QStringLiteral("</blockquote>").repeated(run) + QStringLiteral("</p></td> \n") +
                   AmountCell + amount(own(i)) + QStringLiteral("</td> \n  </tr>"));
        bool wroteChild = false;
        for (const size_t c : n.children) {
            wroteChild = wroteChild || !m_rollUp[c].isZero();
            node(c, level + 1);
        }
        if (!wroteChild)
            return;
        m_out.text(QStringLiteral(" \n") + RuleRow + QStringLiteral("  <tr> \n") + LabelCell +
                   QStringLiteral("&nbsp;</td> \n") + AmountCell + amount(m_rollUp[i]) +
                   QStringLiteral("</td> \n  </tr>"));
    }

    ReportSink& m_out;
    const GroupTree& m_tree;
    bool m_inflows;
    QString m_currency;
    const CurrencyCache& m_currencies;
    const LocaleValues& m_locale;
    std::vector<Value> m_rollUp;
};

QString labelRow(const QString& label, const QString& amountHtml)
{
    return QStringLiteral("  <tr> \n") + LabelCell + QStringLiteral("<strong>") + label +
           QStringLiteral("</strong></td> \n") + AmountCell + amountHtml +
           QStringLiteral("</td> \n  </tr> \n");
}

// "<strong>" total " =<br></strong> \n<small>" parts "</small>"; `signedJoin`
// joins the parts by their sign (" + ", " - ") instead of "&nbsp;+&nbsp;".
QString totalHtml(const Value& v, const QString& currency, const CurrencyCache& currencies,
                  const LocaleValues& locale, bool signedJoin)
{
    QString parts;
    for (size_t i = 0; i < v.perCurrency.size() && i < currencies.entries().size(); ++i) {
        const Money m = v.perCurrency[i];
        if (m.isZero())
            continue;
        const QString& code = currencies.entries()[i].code;
        if (parts.isEmpty())
            parts = HtmlRateText::amount(currencies, m, code, locale);
        else if (!signedJoin)
            parts += QStringLiteral("&nbsp;+&nbsp;") + HtmlRateText::amount(currencies, m, code, locale);
        else
            parts += (m.isNegative() ? QStringLiteral(" - ") : QStringLiteral(" + ")) +
                     HtmlRateText::amount(currencies, m.magnitude(), code, locale);
    }
    return QStringLiteral("<strong>") + HtmlRateText::amount(currencies, v.converted, currency, locale) +
           QStringLiteral(" =<br></strong> \n<small>") + parts + QStringLiteral("</small>");
}

}  // namespace

int HtmlGroupWriter::indentOf(int level)
{
    // A tree deeper than MaxIndentLevel (only a damaged one) stops growing
    // there, so a row's markup stays small.
    return 1 << std::clamp(level, 0, MaxIndentLevel);
}

void HtmlGroupWriter::write(ReportSink& out, const HtmlReportInfo& info, const GroupReport& report,
                            const GroupTree& tree, const CurrencyCache& currencies,
                            const LocaleValues& locale)
{
    const QString column = report.kind == ReportKind::Projects ? QStringLiteral("Project Description")
                                                               : QStringLiteral("Category Description");
    out.text(HtmlHead::text(info.title, info.dateLow, info.dateHigh, info.filter, locale));
    out.text(QStringLiteral(
                 "<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"> \n  <tr> \n") +
             QStringLiteral(
                 "    <td width=\"82%\" height=\"24\" valign=\"bottom\"><p align=\"center\"><strong><big>") +
             column + QStringLiteral("</big></strong></td> \n") +
             QStringLiteral("    <td width=\"29%\" nowrap valign=\"top\"><p align=\"center\"><strong><big>") +
             HtmlText::escape(shortDate(info.dateLow, locale)) + QStringLiteral(" -<br>") +
             HtmlText::escape(shortDate(info.dateHigh, locale)) +
             QStringLiteral("</big></strong></td> \n  </tr> \n") + RuleRow);

    const ReportTotals& totals = report.totals;
    Value deposits{totals.deposits, {}};
    Value payments{totals.payments, {}};
    Value net{totals.net, {}};
    for (const CurrencyTotals& t : totals.perCurrency) {
        deposits.perCurrency.push_back(t.deposits);
        payments.perCurrency.push_back(-t.payments);
        net.perCurrency.push_back(t.deposits + t.payments);
    }

    for (const bool inflows : {true, false}) {
        out.text(labelRow(inflows ? QStringLiteral("INFLOWS") : QStringLiteral("OUTFLOWS"),
                          QStringLiteral("&nbsp;")));
        SectionWriter section(out, tree, inflows, report.currency, currencies, locale);
        section.rows();
        out.text(QStringLiteral(" \n") + RuleRow);
        out.text(
            labelRow(inflows ? QStringLiteral("TOTAL INFLOWS") : QStringLiteral("TOTAL OUTFLOUWS"),
                     totalHtml(inflows ? deposits : payments, report.currency, currencies, locale, false)));
    }
    out.text(QStringLiteral("  <tr> \n") + LabelCell + QStringLiteral("&nbsp;<br>&nbsp;</td> \n") +
             AmountCell + QStringLiteral("&nbsp;</td> \n  </tr> \n"));
    out.text(
        labelRow(QStringLiteral("OVERALL TOTAL"), totalHtml(net, report.currency, currencies, locale, true)));
    out.text(QStringLiteral("</table><hr size=\"1\"> \n"));
    for (size_t i = 0; i < totals.perCurrency.size() && i < currencies.entries().size(); ++i) {
        const QString& code = currencies.entries()[i].code;
        if (totals.perCurrency[i].isZero() || code == report.currency)
            continue;
        out.text(QStringLiteral("<p align=\"right\"><small>rate exchange") +
                 HtmlRateText::statement(currencies, code, report.currency) +
                 QStringLiteral("</small><br></p> \n"));
    }
    out.text(HtmlHead::chart(info.chartSvg) + QStringLiteral("</body> \n</html>"));
}
