#pragma once

// The account the register shows, remembered in the settings ("accountpage"/
// "accountid"): the next start opens it, and a search starts in it.

#include "accounts/Register.h"
#include "accounts/TransactionFind.h"
#include "platform/Interaction.h"
#include "shell/MainBook.h"

#include <optional>

class ShownAccount {
public:
    static qint32 remembered(MainBook& book);
    // Selects the account in the register and remembers it; false, with
    // nothing remembered, when no account has that id.
    static bool show(MainBook& book, Register& reg, qint32 account);

    // "Find": starts in `start.account`, or in the remembered account when that
    // is 0, and remembers the hit's account, since a hit in another account
    // switches the register to it.
    static std::optional<TransactionFind::Hit> find(MainBook& book, const TransactionFind::Query& query,
                                                    TransactionFind::Start start, Interaction& ui);
};
