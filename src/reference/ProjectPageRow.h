#pragma once

#include "platform/StoreTypes.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"
#include "toolkit/RowStyle.h"

#include <QString>

// One row of the project page's list, top to bottom: the up row (only when the
// shown project is not the root), the direct sub-projects, the project's
// transactions, its future-list entries.
struct ProjectPageRow {
    enum class Kind { Up, SubProject, Transaction, Planned };
    // A future-list row due today or earlier is bold in red, later ones olive.
    static constexpr RowPalette Palette{false, {}, {}, {255, 70, 70}, {120, 120, 0}, {}};

    Kind kind = Kind::Up;
    qint32 projectId = 0;  // Up: the parent to go to; SubProject: the sub-project
    RecordId record = 0;   // Transaction and Planned: the record in its table
    QString accountKey;    // Transaction: its account key, to open it in its register
    FileTime date = 0;
    QString dateText;     // date with weekday
    QString description;  // SubProject: its name
    Money amount;         // SubProject: its net total, in the default currency
    QString amountText;   // with the currency's symbol
    RowStyle style;       // bold: a sub-project with something due; tone: a future-list row
    ReconcileMark mark = ReconcileMark::Unreconciled;  // Transaction: the icon
    bool transfer = false;                             // Transaction: the icon's overlay
};
