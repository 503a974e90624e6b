#pragma once

// "Find..." and "Find Next": a text looked for in the transactions of every
// account, walking backwards from the register's selection.
//
// The walk, from the account shown:
//  1. it starts at the transaction before the selected row, or at the
//     account's newest transaction when the new-transaction row or a
//     future-list row is selected;
//  2. it goes back through the account, then through the previous account in
//     id order (from the first account it wraps to the last), each from its
//     newest transaction;
//  3. a transaction matches when the text occurs in its description, contact,
//     number or note (looked at in that order), letter case ignored unless
//     "Match case" is set;
//  4. it stops at the first match, or once every transaction of every account
//     was looked at exactly once (the selected row itself last), so it ends on
//     an empty book and when the shown account no longer exists.
// Transactions of the reserved accounts belong to no account and are never found.

#include "store/TableSet.h"

#include <QString>

#include <optional>

class Interaction;

class TransactionFind {
public:
    static constexpr const char* TitleText = "Find";
    static constexpr const char* FindWhatText = "Find what:";
    static constexpr const char* MatchCaseText = "Match case";
    static constexpr const char* FindButtonText = "&Find";
    static constexpr const char* NotFoundText = "The string was not found in all accounts.";

    struct Query {
        QString text;
        bool matchCase = false;
    };

    // Where the walk starts: the account shown and the selected register row.
    // A row outside the account's transactions (the new-transaction row, a
    // future-list row) starts at the account's newest transaction.
    struct Start {
        qint32 account = 0;
        qint64 row = -1;
    };

    struct Hit {
        qint32 account = 0;
        qint64 row = 0;  // the register row of the transaction found
        friend bool operator==(const Hit&, const Hit&) = default;
    };

    // `tables` must outlive the find; the transaction cursor is left in its
    // working order without a current record.
    explicit TransactionFind(TableSet& tables) : m_tables(tables) {}

    // The "Find" dialog's OK: keeps the query for "Find Next" and searches.
    std::optional<Hit> find(const Query& query, const Start& start, Interaction& ui);
    // "Find Next": the kept query again. Nothing happens before the first find.
    std::optional<Hit> findNext(const Start& start, Interaction& ui);

    const std::optional<Query>& query() const { return m_query; }

    // The search itself, without keeping anything or telling the user.
    std::optional<Hit> search(const Query& query, const Start& start);

    static bool matches(const Query& query, const QString& description, const QString& contact,
                        const QString& number, const QString& note);

private:
    std::optional<Hit> report(const std::optional<Hit>& hit, Interaction& ui) const;

    TableSet& m_tables;
    std::optional<Query> m_query;
};
