#pragma once

// The currency box of the "Create New Account" dialog: every built-in row is
// offered, and a currency reaches the Currency table only when the first
// account in it is saved.

#include "reference/CurrencyCache.h"

#include <QString>
#include <QStringView>

#include <vector>

class AccountCurrencyChoice {
public:
    struct Item {
        QString text;  // name (code)
        int row;       // the built-in row
    };

    // All built-in rows in row order.
    static std::vector<Item> items();
    // The first row whose code is the default currency's; row 0 when none is.
    static int preselectedRow(QStringView defaultCode);

    // On saving the account: the code the account gets. When the cache does
    // not hold the row's code, the row is registered (its code, symbol, name)
    // and the cache reloaded; when it does, nothing changes, so the second row
    // of a duplicated code yields the stored currency as it is. "" for a row
    // outside the list or a failed registration.
    static QString commit(CurrencyCache& cache, int row);
};
