#pragma once

// Creating an account: the record and, for an opening balance other than 0,
// its first transaction "Opening Balance" (reconciled, running balance = the
// opening balance), with the account's currency registered when it is new.
// All of it in one store transaction.

#include "accounts/AccountDraft.h"
#include "platform/Clock.h"
#include "reference/CurrencyCache.h"
#include "store/FileTime.h"
#include "store/TableSet.h"

class AccountCreator {
public:
    static constexpr const char* OpeningBalanceText = "Opening Balance";

    AccountCreator(TableSet& tables, CurrencyCache& currencies, const Clock& clock)
        : m_tables(tables), m_currencies(currencies), m_clock(clock)
    {
    }

    // The new account's id (the largest id + 1); 0 when the name is not one an
    // account may take (AccountName), the currency row is not a built-in one
    // or a write failed, and then nothing was created.
    qint32 create(const AccountDraft& draft);

private:
    bool writeAccount(qint32 id, const QString& name, Money opening, const QString& code, FileTime now);
    bool writeOpening(qint32 id, Money opening, const QString& code, FileTime now);

    TableSet& m_tables;
    CurrencyCache& m_currencies;
    const Clock& m_clock;
};
