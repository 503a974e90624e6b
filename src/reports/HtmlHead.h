#pragma once

// The start of every HTML report: head, title, the centred heading with the
// period, and the paragraph naming the filter's lists. Inserted texts are
// escaped; the markup is written as the reports have always had it.

#include "platform/LocaleValues.h"
#include "store/FileTime.h"

#include <QString>
#include <QStringList>

class HtmlHead {
public:
    // What the filter's lists name, resolved by the caller: account names,
    // category and project paths, in list order. Empty lists are left out.
    struct FilterNames {
        QStringList accounts;
        QStringList categories;
        QStringList projects;
        bool isEmpty() const { return accounts.isEmpty() && categories.isEmpty() && projects.isEmpty(); }
    };

    // title: the text of the title dialog; dates: the filter's period.
    static QString text(const QString& title, FileTime dateLow, FileTime dateHigh, const FilterNames& filter,
                        const LocaleValues& locale);

    // The chart paragraph before the end of the body: the SVG document inline
    // (its XML declaration dropped); "" for no chart.
    static QString chart(const QString& svg);

private:
    static QString filterParagraph(const FilterNames& filter);
    static QString nameLine(const QString& label, const QStringList& names);
};
