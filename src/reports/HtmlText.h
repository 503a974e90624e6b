#pragma once

#include <QString>
#include <QStringView>

// Text from the book or the user as it goes into an HTML report. The
// writers' own markup is literal; only what they insert passes through here.
class HtmlText {
public:
    // & < > " as entities, so inserted text can neither open a tag nor end
    // an attribute. Every other character stays (the code page deals with it).
    static QString escape(QStringView text);
    // A table cell's value: escaped, and "&nbsp;" for an empty one, so the
    // cell still draws.
    static QString cell(QStringView text);
};
