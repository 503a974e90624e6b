#pragma once

#include "planning/Prognosis.h"

#include <QPoint>
#include <QSize>

class QMenu;
class QWidget;

// The "Balance of Planned Transactions" popup: the prognosis broken down by
// currency and, on the account page, by category. It opens at the tapped
// label, centred on it horizontally; its items issue no commands.
//
// The account page asks with the shown account's currency and categories;
// the project page with the default currency and without them.
class PlannedBalancePopup {
public:
    struct Request {
        FileTime horizon = 0;
        QString currency;  // the target currency's code
        bool withCategories = false;
    };

    // Fills `menu` with the popup's lines, the title line first.
    static void fill(QMenu& menu, Prognosis& prognosis, const Request& request);
    // Where a popup of `size` opens for `label`: centred under it, or above it
    // when the screen has no room below.
    static QPoint position(const QWidget& label, QSize size);
    // Builds the popup and waits until it is closed.
    static void open(QWidget& label, Prognosis& prognosis, const Request& request);
};
