#pragma once

// The register of one account: its transactions oldest first (rows 0 ... n-1),
// the new-transaction row (row n), then the future-list rows. Reads go by
// position in the transaction table's account-key order, where the account's
// transactions form one run (AccountRun).
//
// The caller remembers the shown account ("accountid") and calls refresh()
// after every insertion, deletion or date change in the transaction table,
// and after every change of the future list.
//
// Future rows list every entry of the future list, whatever the account: a
// plan belongs to no account, and posting an occurrence puts it into the
// account being shown. Their amounts stay in the entry's own currency.

#include "accounts/AccountRun.h"
#include "accounts/RegisterCells.h"
#include "accounts/RegisterEntry.h"
#include "planning/FutureEntry.h"
#include "platform/LocaleValues.h"
#include "reference/CurrencyCache.h"
#include "store/TableSet.h"

#include <QString>

#include <optional>
#include <vector>

class FutureList;

class Register {
public:
    static constexpr const char* NewTransactionText = "<_New_Transaction_>";
    static constexpr const char* BalanceText = "Balance";
    // Bands (198, 255, 255); the new row grey; future rows red or olive; a
    // negative balance red.
    static constexpr RowPalette Palette{true,          {198, 255, 255}, {80, 80, 80},
                                        {255, 50, 50}, {150, 150, 0},   {255, 50, 50}};

    enum class RowKind { Transaction, NewTransaction, Future, Outside };

    // All three must outlive the register. Without a future list the register
    // shows no future rows.
    Register(TableSet& tables, const CurrencyCache& currencies, const LocaleValues& locale);
    // The same, with the future list whose entries follow the new-transaction
    // row; it must outlive the register too.
    Register(TableSet& tables, const CurrencyCache& currencies, const LocaleValues& locale,
             FutureList& future);

    // Attaches (or, with nullptr, detaches) the future list; the future rows
    // are counted again at the next select() or refresh().
    void setFutureList(FutureList* future) { m_future = future; }
    FutureList* futureList() const { return m_future; }

    // False, with nothing changed, when no account has that id.
    bool select(qint32 account);
    // Re-reads the shown account's total and run and counts the future list
    // again. False when the account is gone.
    bool refresh();
    // Advances whenever what the rows show may have changed (select, refresh,
    // a mark toggled): a model resets when it moved.
    quint64 changeCount() const { return m_changes; }

    qint32 accountId() const { return m_account; }
    const QString& accountName() const { return m_name; }
    const QString& currency() const { return m_currency; }
    Money total() const { return m_total; }
    const AccountRun& run() const { return m_run; }
    qint64 transactionCount() const { return m_run.count; }
    // Future-list rows come after the new-transaction row: every entry of the
    // future list, as counted at the last select() or refresh().
    qint64 futureCount() const { return m_futureCount; }
    qint64 rowCount() const { return m_account == 0 ? 0 : m_run.count + 1 + futureCount(); }
    RowKind rowKind(qint64 row) const;

    // The transaction of a transaction row; nullopt for other rows or an
    // unreadable record.
    std::optional<RegisterEntry> entry(qint64 row);
    // The table position of a transaction row.
    qint64 positionOf(qint64 row) const { return m_run.first + row; }
    // The future list's entry of a future row; nullopt for other rows or an
    // entry that cannot be read.
    std::optional<FutureEntry> futureEntry(qint64 row);
    // The position in the future list (date order) of a future row.
    qint64 futurePositionOf(qint64 row) const { return row - m_run.count - 1; }

    // `now` gives "today" for the new-transaction row and tells which future
    // rows are due (dated by the end of today).
    RegisterCells cells(qint64 row, FileTime now);
    static std::vector<RegisterColumn> columns(bool withPanel);
    static QString heading(RegisterColumn column);

    // "Balance:  " and the total with the account's currency symbol; the
    // marker beside it shows while the total is negative.
    QString balanceBarText() const;
    bool balanceBarMarker() const { return m_total.isNegative(); }

    // An amount of the shown account, with its currency's symbol.
    QString moneyText(Money amount) const;
    // The number text a plan gives its postings; "" when the plan is gone.
    QString plannerNumber(qint32 plannerId);

    // The icon tap on a transaction row: Unreconciled -> Cleared -> Reconciled
    // -> Unreconciled, the other side of a transfer set to the same. Both in
    // one store transaction. The new mark; nullopt for other rows or a failed write.
    std::optional<ReconcileMark> toggleMark(qint64 row);
    static ReconcileMark nextMark(ReconcileMark mark);

private:
    static RegisterEntry read(const DbTable& t);
    RegisterCells transactionCells(const RegisterEntry& e) const;
    RegisterCells newRowCells(FileTime now) const;
    RegisterCells futureCells(const FutureEntry& e, FileTime now);
    bool writeMark(qint64 position, const QString& link, ReconcileMark mark);

    TableSet& m_tables;
    const CurrencyCache& m_currencies;
    const LocaleValues& m_locale;
    qint32 m_account = 0;
    QString m_name;
    QString m_currency;
    Money m_total;
    AccountRun m_run;
    FutureList* m_future = nullptr;
    qint64 m_futureCount = 0;
    quint64 m_changes = 0;
};
