#pragma once

#include "store/Money.h"

#include <QString>

// What the "Create New Account" dialog collects: the first-run request and
// tallyra-cli's account-add answer with the same.
struct AccountDraft {
    QString name;         // trimmed on creation
    int currencyRow = 0;  // a row of the built-in currency list
    Money opening;        // the opening balance, already rounded to hundredths
};
