#include "planning/ui/PlannedBalancePopup.h"

#include "toolkit/ui/PopupMenu.h"

#include <QMenu>
#include <QScreen>
#include <QWidget>

void PlannedBalancePopup::fill(QMenu& menu, Prognosis& prognosis, const Request& request)
{
    menu.setAccessibleName(QString::fromLatin1(Prognosis::PopupTitle));
    PopupMenu::fill(menu, prognosis.popup(request.horizon, request.currency, request.withCategories));
}

QPoint PlannedBalancePopup::position(const QWidget& label, QSize size)
{
    const QPoint below = label.mapToGlobal(QPoint(label.width() / 2, label.height()));
    QPoint at(below.x() - size.width() / 2, below.y());
    // The bars sit at the window's foot: the popup then opens upwards.
    if (const QScreen* screen = label.screen()) {
        if (at.y() + size.height() > screen->availableGeometry().bottom())
            at.setY(below.y() - label.height() - size.height());
    }
    return at;
}

void PlannedBalancePopup::open(QWidget& label, Prognosis& prognosis, const Request& request)
{
    QMenu menu(&label);
    fill(menu, prognosis, request);
    menu.exec(position(label, menu.sizeHint()));
}
