#pragma once

// The "[Transfers]" branch of the category tree: the accounts a transfer can go
// to, each with its balance, under a bold top item that shows their sum in the
// default currency. The item data of an account is its negated id; the branch
// item's is 0. Reserved accounts never show.

#include "platform/LocaleValues.h"
#include "reference/TreeItems.h"
#include "store/DbTable.h"
#include "store/Money.h"

#include <QString>

#include <functional>

class TransferBranch {
public:
    static constexpr const char* BranchText = "[Transfers]";
    static constexpr const char* BalancesText = "Balances";

    // How balances are shown and summed; the currency cache supplies both
    // functions in the programs.
    struct Valuation {
        // An amount in the currency of `code`, converted to the default currency.
        std::function<Money(Money amount, const QString& code)> toDefault;
        // The symbol shown beside amounts of `code`; "" shows the plain amount.
        std::function<QString(const QString& code)> symbolOf;
        QString defaultCode;
        LocaleValues locale;
    };

    // Puts the branch first at the top level of `items`, reading the account
    // table in its id order. Returns the branch item.
    static int addTo(TreeItems& items, DbTable& accounts, const Valuation& valuation);
};
