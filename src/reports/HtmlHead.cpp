#include "reports/HtmlHead.h"

#include "reports/HtmlText.h"
#include "store/DateText.h"

QString HtmlHead::text(const QString& title, FileTime dateLow, FileTime dateHigh, const FilterNames& filter,
                       const LocaleValues& locale)
{
    const QString name = HtmlText::escape(title);
    const QString period = HtmlText::escape(shortDate(dateLow, locale)) + QStringLiteral(" through ") +
                           HtmlText::escape(shortDate(dateHigh, locale));
    QString out;
    out += QStringLiteral("<html> \n<head> \n<title>") + name + QStringLiteral("  ") + period +
           QStringLiteral("</title> \n<body>");
    out += QStringLiteral("<meta name=\"GENERATOR\" content=\"Brenfield Sumora 1.0\"> \n</head>");
    out += QStringLiteral("<p align=\"center\"><font size=\"4\"><strong>") + name +
           QStringLiteral("<br> \n</strong>period  ") + period + QStringLiteral("</font></p> \n\n");
    out += QStringLiteral("<p align=\"left\">");
    out += filterParagraph(filter);
    out += QStringLiteral("</font></p>");
    return out;
}

QString HtmlHead::filterParagraph(const FilterNames& filter)
{
    if (filter.isEmpty())
        return QStringLiteral("<font size=\"2\"><strong>All Transactions</strong>");
    return QStringLiteral("<font size=\"2\"><strong>Filter to </strong>") +
           nameLine(QStringLiteral("Accounts: "), filter.accounts) +
           nameLine(QStringLiteral("Categories: "), filter.categories) +
           nameLine(QStringLiteral("Projects: "), filter.projects);
}

QString HtmlHead::nameLine(const QString& label, const QStringList& names)
{
    if (names.isEmpty())
        return QString();
    QString out = QStringLiteral("<strong>") + label + QStringLiteral("</strong>");
    for (const QString& name : names)
        out += QLatin1Char('[') + HtmlText::escape(name) + QStringLiteral("] ");
    return out + QStringLiteral("<br> \n");
}

QString HtmlHead::chart(const QString& svg)
{
    if (svg.isEmpty())
        return QString();
    QString inlineSvg = svg;
    if (inlineSvg.startsWith(QLatin1String("<?xml"))) {
        const qsizetype end = inlineSvg.indexOf(QLatin1String("?>"));
        inlineSvg.remove(0, end < 0 ? 0 : end + 2);
    }
    return QStringLiteral("<p align=\"center\">") + inlineSvg.trimmed() + QStringLiteral("</p> \n");
}
