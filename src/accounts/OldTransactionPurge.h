#pragma once

// "Delete the Old Transactions" of one account, keeping its balance: the
// transactions dated up to the cutoff (with "Delete only Cleared &&
// Reconciled", only the cleared and reconciled ones among them) leave the
// account, and one "Begin Balance" transaction takes their sum, so the total is
// the same before and after.
//
// What a removed transaction leaves behind:
//  - the other side of a transfer stays in its account as an ordinary
//    transaction filed under the top-level category "*" + this account's name
//    (one such category: an existing one is reused), its link emptied; that
//    account's balances do not move;
//  - a transaction posted from a plan moves to the holder account
//    (TransactionRemoval), so the occurrence stays done;
//  - project totals are recomputed in full whenever anything was removed.
// All of it runs in one store transaction: the book gets the whole purge or
// nothing. An account without transactions is left exactly as it is.

#include "platform/Interaction.h"
#include "reference/Categories.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/TableSet.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

class OldTransactionPurge {
public:
    static constexpr const char* TitleText = "Delete the Old Transactions";
    // %s is the account's name.
    static constexpr const char* PromptText = "Delete transactions in account \"%s\" older than:";
    static constexpr const char* ClearedOnlyText = "Delete only Cleared && Reconciled";
    static constexpr const char* BeginBalanceText = "Begin Balance";

    struct Period {
        const char* label;
        int days;  // back from the end of today; 0 = up to the end of today
    };
    // The dialog's list, in its order.
    static constexpr std::array<Period, 6> Periods{
        {{"All", 0}, {"1 Year", 365}, {"6 Month", 182}, {"3 Month", 93}, {"2 Month", 62}, {"1 Month", 31}}};

    static QString promptFor(const QString& accountName);
    // Today 23:59:59.999 less `days` days: transactions dated up to it are old.
    static FileTime cutoff(FileTime now, int days);

    enum class Outcome {
        Done,     // also when nothing was old enough
        Missing,  // no account has that id; nothing changed
        Failed,   // a read or write failed; nothing changed
        Stopped,  // "Stop" was pressed in the progress window; nothing changed
    };

    struct Result {
        Outcome outcome = Outcome::Failed;
        qint64 removed = 0;        // transactions that left the account
        qint64 movedToHolder = 0;  // of those, the ones posted from a plan
        qint64 refiled = 0;        // other sides of transfers made ordinary
        QString beginBalanceKey;   // empty when no "Begin Balance" was added
        Money beginBalance;
    };

    // `recomputeProjectTotals` recomputes every project in full; it runs inside
    // the purge's store transaction, and its failure undoes the purge. None
    // given, the totals are left as they are.
    OldTransactionPurge(TableSet& tables, Categories& categories,
                        std::function<bool()> recomputeProjectTotals = {})
        : m_tables(tables), m_categories(categories),
          m_recomputeProjectTotals(std::move(recomputeProjectTotals))
    {
    }

    // `now` is the local clock's reading: it gives today, and the date of the
    // holder records.
    Result purge(qint32 account, int days, bool clearedOnly, FileTime now);
    // The same with a progress window of one step per old transaction, whose
    // "Stop" undoes everything done so far.
    Result purge(qint32 account, int days, bool clearedOnly, FileTime now, Interaction& progress);

private:
    struct Old {
        QString key;
        FileTime date = 0;
        QString link;
        bool planned = false;
    };

    std::optional<std::vector<Old>> oldTransactions(qint32 account, FileTime cutoff, bool clearedOnly);
    bool removeAll(qint32 account, const QString& name, const std::vector<Old>& old, FileTime now,
                   Interaction& progress, Result& result);
    qint32 starCategory(const QString& accountName);
    bool refileCounterpart(qint32 account, const QString& link, qint32 category, Result& result);
    bool addBeginBalance(qint32 account, const QString& currency, Money amount, FileTime date, FileTime now,
                         Result& result);

    TableSet& m_tables;
    Categories& m_categories;
    std::function<bool()> m_recomputeProjectTotals;
};
