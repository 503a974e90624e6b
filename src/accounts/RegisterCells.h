#pragma once

// What one register row shows, cell by cell, for a view to paint: texts, the
// icon and the styles the rules give. No pixels here.

#include <QString>

enum class RegisterColumn { Icon, Date, No, Description, Deposit, Payment, Balance, Amount };

struct RegisterCells {
    enum class Icon { None, Unreconciled, Cleared, Reconciled, Future };
    // Transaction rows are Normal; the new-transaction row is grey in its own
    // font; future rows are red (due by the end of today) or olive (later).
    enum class Style { Normal, NewRow, FutureDue, FutureLater };

    Icon icon = Icon::None;
    bool transferOverlay = false;  // drawn over the mark icon of a transfer
    Style style = Style::Normal;
    bool negativeBalance = false;  // Balance cell, and the Amount cell with the panel, in red
    bool band = false;             // even rows take the list's band colour

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
        case RegisterColumn::Icon: return {};
        case RegisterColumn::Date: return date;
        case RegisterColumn::No: return number;
        case RegisterColumn::Description: return description;
        case RegisterColumn::Deposit: return deposit;
        case RegisterColumn::Payment: return payment;
        case RegisterColumn::Balance: return balance;
        case RegisterColumn::Amount: return amount;
        }
        return {};
    }
};
