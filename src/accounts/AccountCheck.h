#pragma once

// The book's account invariants, checked without changing anything:
//  1. every account key is a well-formed key whose id is the record's account
//     id and whose date-time is the record's date (reserved accounts aside);
//  2. no two transactions share an account key;
//  3. every transaction belongs to an existing account or a reserved one;
//  4. each transaction's running balance is the sum of its account's amounts
//     up to it, and each account's total is its last running balance (0 without
//     transactions);
//  5. a transfer has a link, and it names a record of the other account that links back and
//     names this account as its transfer.
// Each problem is one line of text; none means the book holds them all.

#include "store/TableSet.h"

#include <QStringList>

class AccountCheck {
public:
    explicit AccountCheck(TableSet& tables) : m_tables(tables) {}

    QStringList problems();

private:
    void checkKeys(QStringList& out);
    void checkBalances(QStringList& out);
    void checkTransfers(QStringList& out);

    TableSet& m_tables;
};
