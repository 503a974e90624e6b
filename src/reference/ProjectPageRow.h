#pragma once

#include "platform/StoreTypes.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

// One row of the project page's list, top to bottom: the up row (only when the
// shown project is not the root), the direct sub-projects, the project's
// transactions, its future-list entries.
struct ProjectPageRow {
    enum class Kind { Up, SubProject, Transaction, Planned };
    // How a future-list row is drawn: due today or earlier bold in
    // DueRgb, later ones in PlannedRgb.
    enum class Tone { Normal, Due, Planned };
    static constexpr quint32 DueRgb = 0xFF4646;      // 255, 70, 70
    static constexpr quint32 PlannedRgb = 0x787800;  // 120, 120, 0

    Kind kind = Kind::Up;
    qint32 projectId = 0;  // Up: the parent to go to; SubProject: the sub-project
    RecordId record = 0;   // Transaction and Planned: the record in its table
    QString accountKey;    // Transaction: its account key, to open it in its register
    FileTime date = 0;
    QString dateText;      // date with weekday
    QString description;   // SubProject: its name
    Money amount;          // SubProject: its net total, in the default currency
    QString amountText;    // with the currency's symbol
    bool bold = false;
    Tone tone = Tone::Normal;
    ReconcileMark mark = ReconcileMark::Unreconciled;  // Transaction: the icon
    bool transfer = false;                              // Transaction: the icon's overlay
};
