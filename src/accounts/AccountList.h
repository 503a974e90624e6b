#pragma once

// Reading the Account table: every account in id order, one account by id or
// by name. The cursor is left in the order it was found in.

#include "accounts/AccountRecord.h"
#include "store/DbTable.h"

#include <QString>

#include <optional>
#include <vector>

class AccountList {
public:
    // The cursor over the Account table; owned by the caller.
    explicit AccountList(DbTable& accounts) : m_table(accounts) {}

    // Every account in id order; empty when the table cannot be read.
    std::vector<AccountRecord> all();
    std::optional<AccountRecord> find(qint32 id);
    // The first account, in id order, whose name is exactly `name`.
    std::optional<AccountRecord> findByName(const QString& name);
    // An account named as the command line names one: its id, else its exact name.
    std::optional<AccountRecord> findByIdOrName(const QString& text);
    // The account the register shows for the remembered id: that account
    // when it exists, else the first account in id order (a value below 1
    // or a deleted account). 0 when there is no account.
    qint32 shownAccount(qint32 remembered);
    // The largest id held, found by reading every record (0 for none).
    qint32 largestId();
    qint64 count() const { return m_table.count(); }

private:
    AccountRecord current() const;

    DbTable& m_table;
};
