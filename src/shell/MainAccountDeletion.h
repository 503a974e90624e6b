#pragma once

// Deleting an account in the main program: the account deletion wired to the
// book, so every project's totals are recomputed (the account's transactions
// leave them) and the future list is rebuilt with force up to its horizon (a
// plan posting into the account is open again once its postings are gone).

#include "accounts/AccountDeletion.h"
#include "platform/Interaction.h"
#include "shell/MainBook.h"

class MainAccountDeletion {
public:
    static AccountDeletion::Outcome run(MainBook& book, qint32 account, Interaction& ui);
};
