#pragma once

// What one register row shows, cell by cell, for a view to paint: texts, the
// icon and the styles the rules give. No pixels here.

#include "toolkit/RowStyle.h"

#include <QString>

enum class RegisterColumn { Icon, Date, No, Description, Deposit, Payment, Balance, Amount };

struct RegisterCells {
    enum class Icon { None, Unreconciled, Cleared, Reconciled, Future };

    Icon icon = Icon::None;
    bool transferOverlay = false;  // drawn over the mark icon of a transfer
    // Transaction rows are Normal; the new-transaction row is NewRow; future
    // rows are Due (by the end of today) or PlannedLater. `negative`: the
    // Balance cell, and the Amount cell with the panel, in red.
    RowStyle style;

    QString date;
    QString number;
    QString description;
    QString deposit;
    QString payment;
    QString balance;
    QString amount;

    QString text(RegisterColumn column) const
    {
        switch (column) {
        case RegisterColumn::Icon:
            return {};
        case RegisterColumn::Date:
            return date;
        case RegisterColumn::No:
            return number;
        case RegisterColumn::Description:
            return description;
        case RegisterColumn::Deposit:
            return deposit;
        case RegisterColumn::Payment:
            return payment;
        case RegisterColumn::Balance:
            return balance;
        case RegisterColumn::Amount:
            return amount;
        }
        return {};
    }
};
