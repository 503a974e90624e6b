#pragma once

// A small book for the report commands, written straight through the store
// (the main program's own commands are not needed to make it): two currencies
// (USD, and EUR at 1.50 USD), two accounts, a category tree and a project
// tree, and a month of transactions in March 2024, among them a transfer and
// texts that HTML must escape.

#include "store/FileTime.h"

#include <QString>

class TableSet;

class ReportSampleBook {
public:
    static constexpr qint32 Cash = 1;      // "Cash", USD
    static constexpr qint32 EuroBank = 2;  // "Euro Bank", EUR
    static constexpr qint32 Food = 2;      // category "Food"
    static constexpr qint32 Bread = 3;     // "Food:Bread"
    static constexpr qint32 Salary = 4;    // "Salary"
    static constexpr qint32 Home = 2;      // project "Home"
    static constexpr qint32 Garden = 3;    // "Home:Garden"

    // Writes the book into `folder` (its tallyra.db). False when a write failed.
    [[nodiscard]] static bool write(const QString& folder);
    // The book without transactions or accounts, as a first run leaves it
    // before the first account.
    [[nodiscard]] static bool writeWithoutAccounts(const QString& folder);

    struct Transaction {
        qint32 account = Cash;
        FileTime date = 0;
        qint64 amount = 0;
        QString description;
        qint32 category = 0;  // < 0: a transfer to account -category
        qint32 project = 0;
        qint32 mark = 0;
        QString number;
    };
    // Adds one transaction in its account's currency. False when the write failed.
    [[nodiscard]] static bool addTransaction(TableSet& tables, const Transaction& t);

    static FileTime day(int y, int m, int d, int hour = 12, int minute = 0);
};
