#pragma once

// A paste into a category or project tree with what must follow it. A project
// that moved takes its sums to other ancestors, so every project's totals are
// computed again; a category move or any copy needs nothing more. Windows and
// the command line paste through here, so none of them can forget the totals.

#include "reference/ProjectTotals.h"
#include "reference/TreeClipboard.h"

#include <QString>

// The project totals a paste into the project tree brings up to date; none
// for the category tree.
struct TreePasteTotals {
    ProjectTotals* totals = nullptr;
    QString defaultCode;
};

struct TreePasteResult {
    TreeClipboard::Outcome outcome = TreeClipboard::Outcome::Nothing;
    // False only when a project moved and its totals could not be written.
    bool totalsUpdated = true;
};

TreePasteResult pasteInTree(TreeClipboard& clipboard, TreeTable& tree, qint32 target,
                            const TreePasteTotals& totals);
