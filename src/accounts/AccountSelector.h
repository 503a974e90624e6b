#pragma once

// The account selector: one item per account in id order, showing a prefix,
// the name and the currency code in parentheses. The 1st ... 10th accounts get
// "1. " ... "9. ", "0. " (the register's account keys); later ones two blanks.
// The tenth gets "0. " whether the list is filled or its one item is refreshed,
// so the key 0 and the text always agree.

#include "accounts/AccountRecord.h"

#include <QString>

#include <vector>

class AccountSelector {
public:
    struct Item {
        qint32 id = 0;
        QString text;
    };

    // `index` counts from 0 in account-id order.
    static QString prefix(int index);
    static QString itemText(int index, const AccountRecord& account);
    static std::vector<Item> items(const std::vector<AccountRecord>& accounts);
    // The account selected once `removed` has left the list `before` (in id
    // order): the one now at its position, else the new last one; 0 when
    // none is left or `removed` was not in the list.
    static qint32 selectionAfterRemoval(const std::vector<AccountRecord>& before, qint32 removed);
    // The index a digit key selects ('1' -> 0 ... '9' -> 8, '0' -> 9); -1 for other keys.
    static int indexOfKey(QChar key);
};
