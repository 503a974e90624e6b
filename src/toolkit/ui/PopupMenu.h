#pragma once

#include "toolkit/PopupLines.h"

#include <QMenu>

// Turns popup lines into a menu: text lines as items that issue nothing,
// separators, submenus. A popup with a title starts with it, in bold.
class PopupMenu {
public:
    static void fill(QMenu& menu, const PopupLines& popup);

private:
    static void addLines(QMenu& menu, const std::vector<PopupLine>& lines);
};
