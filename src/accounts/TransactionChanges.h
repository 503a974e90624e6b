#pragma once

#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

#include <optional>

// The fields the user changed in the editor, already checked and resolved;
// a field left empty keeps what the record holds.
struct TransactionChanges {
    std::optional<QString> description;
    std::optional<Money> amount;   // signed
    std::optional<FileTime> date;  // the chosen day with the clock's time of day
    std::optional<QString> contact;
    std::optional<QString> note;
    std::optional<QString> number;
    std::optional<ReconcileMark> mark;
    std::optional<qint32> category;  // 0 none, a category id, or a negated account id
    std::optional<qint32> project;   // 0 none

    bool any() const
    {
        return description || amount || date || contact || note || number || mark || category || project;
    }
};
