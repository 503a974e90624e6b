#pragma once

// A bank or credit-card statement in OFX (1.x SGML, 2.x XML; QFX is OFX with
// a few extra sign-on fields), read through libofx.
//
// libofx reads only files and reports what it found through callbacks. It
// reads on past most faults, and tells neither which nor where: a namespace
// declaration that real 2.x files carry fails its return code just as a
// missing end does. So the file is judged by what came through: it must end
// with the closing OFX tag (a file cut short never does), name the currency
// of exactly one account, and every transaction that stands in it must have
// arrived with a date and an amount. A transaction is named by the line of
// its opening tag, which a plain search of the file's bytes finds. Its day
// is read from its own DTPOSTED text, the library being lenient with dates
// (see postedDay in the source).

#include "interchange/StatementLine.h"

#include <QString>

#include <vector>

struct OfxFile {
    static constexpr const char* ReadErrorText = "File read error";
    static constexpr const char* NotOfxText = "The file is not an OFX bank or credit card statement.";
    static constexpr const char* CutShortText = "Line %1: the file ends before its statement does.";
    static constexpr const char* UnreadTransactionText = "Line %1: this transaction could not be read.";
    static constexpr const char* NoDateText = "Line %1: the transaction has no valid date.";
    static constexpr const char* NoAmountText = "Line %1: the transaction has no amount the book can hold.";
    static constexpr const char* InvestmentText =
        "Investment statements are not supported: import a bank or credit card statement.";
    static constexpr const char* SeveralAccountsText =
        "The file holds statements of several accounts; import one account's statement at a time.";

    bool ok = false;
    QString failure;   // why the file was refused
    QString currency;  // the statement's currency code
    std::vector<StatementLine> lines;

    // Reads the file at `path`.
    static OfxFile read(const QString& path);
};
