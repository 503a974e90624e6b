#pragma once

#include <QString>

// The report program's help: a short guide to filters, reports and saving,
// kept in the program and written out as an HTML page for the desktop's
// browser.
class HelpPage {
public:
    static QString html();
    // Writes the page (Sumora.htm) under `folder`; the file's path, or "" when
    // it could not be written.
    static QString writeTo(const QString& folder);
};
