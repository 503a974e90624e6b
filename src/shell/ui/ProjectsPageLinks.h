#pragma once

#include "platform/Clock.h"
#include "platform/LocaleValues.h"
#include "shell/MainBook.h"

class MainWindow;
class ProjectsPage;

// The projects page joined to the rest of the main program: its figures from
// the book's run state and future list, the date picker's horizon building
// the future list, the prognosis line's "Balance of Planned Transactions"
// popup, and the popups of its transaction and future-list rows,
// whose "Edit..." opens the row on the account page.
namespace ProjectsPageLinks {

// A projects page for `window`, added with its band control and its hooks;
// its tree width comes from the settings and is written back on exit.
ProjectsPage* add(MainWindow& window, MainBook& book, const Clock& clock, const LocaleValues& locale);

}  // namespace ProjectsPageLinks
