#pragma once

#include <QString>
#include <QStringList>

// The program's own help page, opened in the desktop's browser.
namespace HelpBrowser {

// Told when the page is missing or the desktop has no browser; %1 is the page's name.
constexpr const char* MissingText = "The help page %1 could not be opened.";

// Where the page may be, relative to the folder of the running program: beside
// it (a build tree) or in the installed share folder.
QStringList candidates(const QString& programFolder, const QString& pageName);
// The first candidate that exists; empty when none does.
QString find(const QString& programFolder, const QString& pageName);
// Opens `page` at `anchor`; false when the desktop has no browser for it.
bool open(const QString& page, const QString& anchor);

}  // namespace HelpBrowser
