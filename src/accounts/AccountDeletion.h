#pragma once

// Deleting an account. The last account is never deleted. What pointed to the
// account stays readable: transfers to it in other accounts are filed under a
// new top-level category "*" + its name and lose their link (their balances do
// not change); plans and future-list entries that were transfers to it lose
// their category. All of it in one store transaction.

#include "platform/Interaction.h"
#include "reference/Categories.h"
#include "store/TableSet.h"

#include <functional>

class AccountDeletion {
public:
    static constexpr const char* QuestionText =
        "All data in your current account will be lost! Do you wish to continue?";
    static constexpr const char* LastAccountText = "You can not delete a last account.";

    enum class Outcome { Deleted, Declined, LastAccount, Missing, Failed };

    // `recomputeProjectTotals` runs after a deletion (the deleted transactions
    // left the projects' totals); none given, the totals are left as they are.
    // `rebuildFutureList` runs after it: an occurrence posted into the account
    // is open again once its transaction is gone; none given, the list is
    // left as it is until the next rebuild.
    AccountDeletion(TableSet& tables, Categories& categories,
                    std::function<bool()> recomputeProjectTotals = {},
                    std::function<bool()> rebuildFutureList = {})
        : m_tables(tables), m_categories(categories),
          m_recomputeProjectTotals(std::move(recomputeProjectTotals)),
          m_rebuildFutureList(std::move(rebuildFutureList))
    {
    }

    // Asks QuestionText first; refuses the last account with LastAccountText.
    Outcome remove(qint32 account, Interaction& ui);

private:
    bool removeAll(qint32 account, const QString& name);
    bool deleteTransactions(qint32 account);
    bool refileTransfers(qint32 account, qint32 category);
    bool deleteAccountRecord(qint32 account);

    TableSet& m_tables;
    Categories& m_categories;
    std::function<bool()> m_recomputeProjectTotals;
    std::function<bool()> m_rebuildFutureList;
};
