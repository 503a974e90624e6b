#pragma once

#include "accounts/RegisterCells.h"

#include <QIcon>

// The pictures of the register's icon column: the three reconcile marks, the
// transfer arrows drawn over a mark, and the future-list entry. Drawn once.
class RegisterIcons {
public:
    static QIcon icon(RegisterCells::Icon icon, bool transferOverlay);
    // The name a screen reader says for the icon cell.
    static QString name(RegisterCells::Icon icon, bool transferOverlay);
};
