#include "reports/ui/HelpPage.h"

#include <QDir>
#include <QSaveFile>

QString HelpPage::html()
{
    return QStringLiteral(R"(<!DOCTYPE html>
<html lang="en">
<head><meta charset="utf-8"><title>Sumora help</title></head>
<body>
<h1 id="sumora_help">Sumora: reports of your book</h1>
<p>Sumora reads the book that Tallyra keeps and turns it into reports. It never
changes your transactions; the only thing it may fill in is the currency code of
a transaction that has none, taken from its account.</p>

<h2>Choosing what to report</h2>
<ul>
<li><b>Selection tree</b> (left): tick accounts, categories or projects. Ticking an
item ticks everything below it. With nothing ticked in a branch, every account,
category or project counts.</li>
<li><b>PERIOD</b> (bottom): pick a named period (Last Year, Last Quarter, Last
Month, Current Year, Current Quarter, Current Month, Today) or set the two dates
yourself. A start date after the end date reports nothing.</li>
<li><b>Currency</b> (bottom): every amount of a report is converted into this
currency at the rates kept in Tallyra.</li>
<li><b>Advanced Filter</b> (first button at the top): words that the description,
note or contact must contain (capitals do not matter), a range of amounts
(payments are negative; an empty field leaves that side open), an exact number,
and which reconcile marks count.</li>
</ul>
<p>A changed filter does not rebuild the report at once: a <b>Recalc</b> button
appears over it. Press it when you are ready. The same button appears when
Tallyra changed the book while you were away from Sumora.</p>

<h2>The three reports</h2>
<ul>
<li><b>List Transactions</b>: every transaction that passes the filter, with its
date, description and amount.</li>
<li><b>List Categories</b>: deposits, payments and total per category. Transfers
and transactions without category are shown but not counted in the totals.</li>
<li><b>List Projects</b>: the same per project.</li>
</ul>
<p>Click a column heading to sort by it; click it again to turn the order. Press
Enter or I, or double-click, to see the details of a row. <b>Sum:</b> shows the
net total; click it to see the totals per currency.</p>

<h2>Saving a report</h2>
<p>File, SaveAs offers three formats: text with tab stops, HTML and Pocket Excel
2.0. You are asked for a title and a file name. After an HTML report is saved
you may open it in your browser. Stop in the progress window ends the writing
early; the file is still complete, with the rows written so far.</p>

<h2>Filters in files</h2>
<p>File, Save Filter... keeps the ticked items and the advanced conditions in a
.tyf file; Load Filter... brings them back. The period and the currency are not
kept in the file.</p>

<h2>Tallyra</h2>
<p>File, Tallyra... (Alt+S) brings the main program forward or starts it. E&amp;xit
(Alt+X) ends Sumora.</p>
</body>
</html>
)");
}

QString HelpPage::writeTo(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return QString();
    const QString path = QDir(folder).filePath(QStringLiteral("Sumora.htm"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(html().toUtf8());
    return file.commit() ? path : QString();
}
