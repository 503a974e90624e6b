#pragma once

// The report program's one filter: which transactions every report is built
// from. The period bar, the selection tree, the advanced filter and filter
// files all edit it; report views compare changeCount() with the value they
// were built with to know a rebuild is due.
//
// Invariants:
//  1. Texts are held upper-cased; an active text condition has a non-empty text.
//  2. amountLow() <= amountHigh(). The amount condition is active exactly when
//     the range differs from (DefaultAmountLow, DefaultAmountHigh); a bound at
//     its default is open, so it lets every amount beyond it through.
//  3. dateLow() is at 00:00:00.000 of its day, dateHigh() at 23:59:59.999.
//  4. Every setter that changes the filter advances changeCount(); one that
//     changes nothing leaves it.
//  5. The id lists may name ids that no longer exist (a filter file, or a
//     record deleted by the main program); refresh() drops them.

#include "reports/ReportIdList.h"
#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"
#include "store/RecordLayout.h"

#include <QString>

#include <array>

class TableSet;

class ReportFilter {
public:
    // +/-559,999,999.99: the marks of an open amount bound.
    static constexpr qint64 DefaultAmountLow = -55'999'999'999;
    static constexpr qint64 DefaultAmountHigh = 55'999'999'999;

    enum class TextField { Description, Note, Contact, Number };
    enum class IdKind { Accounts, Categories, Projects };

    // Record counts at the last refresh; the main program changed data when
    // the tables no longer show them.
    struct TableCounts {
        qint64 transactions = 0;
        qint64 accounts = 0;
        qint64 categories = 0;
        qint64 projects = 0;
        friend bool operator==(const TableCounts&, const TableCounts&) = default;
        static TableCounts of(TableSet& tables);
    };

    ReportFilter();

    // Start-up: records the counts, takes `savedCurrency` as the report
    // currency (the first code of the Currency table when it is empty, "" when
    // that table is empty too), clears every condition and sets both dates to
    // `today`. The counter is 1 afterwards.
    void initialise(TableSet& tables, const QString& savedCurrency, FileTime today);
    bool isInitialised() const { return m_initialised; }
    quint64 changeCount() const { return m_changeCounter; }

    // --- text conditions ---------------------------------------------------------
    bool textActive(TextField field) const { return !text(field).isEmpty(); }
    const QString& text(TextField field) const { return m_texts[index(field)]; }
    // An empty text clears the condition; any other is upper-cased and applies.
    void setText(TextField field, const QString& text);
    void clearText(TextField field) { setText(field, QString()); }

    // --- amount range ------------------------------------------------------------
    bool amountActive() const;
    Money amountLow() const { return m_amountLow; }
    Money amountHigh() const { return m_amountHigh; }
    // The bounds are swapped when low > high.
    void setAmountRange(Money low, Money high);
    void clearAmount();

    // --- reconcile marks -----------------------------------------------------------
    bool markFlag(ReconcileMark mark) const;
    // A mark outside 0..2 is ignored.
    void setMarkFlag(ReconcileMark mark, bool on);

    // --- report currency and period ------------------------------------------------
    const QString& currency() const { return m_currency; }
    void setCurrency(const QString& code);
    FileTime dateLow() const { return m_dateLow; }
    FileTime dateHigh() const { return m_dateHigh; }
    // Moved to the start (low) or the end (high) of the given date's day.
    void setDateLow(FileTime date);
    void setDateHigh(FileTime date);

    // --- id lists ----------------------------------------------------------------------
    const ReportIdList& ids(IdKind kind) const { return m_lists[index(kind)]; }
    // False only when the list is full (ReportIdList::MaxIds).
    bool addId(IdKind kind, qint32 id);
    void removeId(IdKind kind, qint32 id);
    void clearLists();

    // Lists, texts, amount, number and the three mark flags; period and
    // currency stay.
    void clearConditions();

    bool hasLists() const;
    bool hasConditions() const;

    // --- the main program's changes ----------------------------------------------------
    const TableCounts& recordedCounts() const { return m_counts; }
    // Records the current counts and drops every listed id whose record is
    // gone. Tables that cannot be put in id order keep their ids.
    void refresh(TableSet& tables);
    bool countsChanged(TableSet& tables) const;

    // Whether the transaction at the current position of `transactions` passes.
    // A transaction without currency code is given its account's code, written
    // to the record at once (the one write the report program makes to the
    // book); it is rejected when that account does not exist. The Account
    // table keeps its current record.
    bool match(DbTable& transactions, DbTable& accounts);

private:
    static size_t index(TextField field) { return static_cast<size_t>(field); }
    static size_t index(IdKind kind) { return static_cast<size_t>(kind); }
    void changed() { ++m_changeCounter; }

    bool passesList(IdKind kind, qint32 id) const;
    bool passesTexts(const DbTable& transaction) const;
    bool passesAmount(qint64 amount) const;
    bool passesMarks(qint32 mark) const;
    bool passesNumber(const QString& number) const;
    static bool fillInCurrency(DbTable& transaction, DbTable& accounts);

    bool m_initialised = false;
    quint64 m_changeCounter = 0;
    std::array<QString, 4> m_texts;
    Money m_amountLow = Money::fromHundredths(DefaultAmountLow);
    Money m_amountHigh = Money::fromHundredths(DefaultAmountHigh);
    std::array<bool, 3> m_marks{};
    QString m_currency;
    FileTime m_dateLow = 0;
    FileTime m_dateHigh = 0;
    std::array<ReportIdList, 3> m_lists;
    TableCounts m_counts;
};
