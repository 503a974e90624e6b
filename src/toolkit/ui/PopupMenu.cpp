#include "toolkit/ui/PopupMenu.h"

void PopupMenu::fill(QMenu& menu, const PopupLines& popup)
{
    if (!popup.title.isEmpty()) {
        QAction* title = menu.addAction(popup.title);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        menu.addSeparator();
    }
    addLines(menu, popup.lines);
}

void PopupMenu::addLines(QMenu& menu, const std::vector<PopupLine>& lines)
{
    for (const PopupLine& line : lines) {
        switch (line.kind) {
        case PopupLine::Kind::Separator:
            menu.addSeparator();
            break;
        case PopupLine::Kind::Text:
            menu.addAction(line.text);
            break;
        case PopupLine::Kind::Submenu:
            addLines(*menu.addMenu(line.text), line.children);
            break;
        }
    }
}
