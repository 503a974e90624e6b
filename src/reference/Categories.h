#pragma once

// The category tree: the Category table read as a tree under "All categories"
// (id 1), its default contents, its path texts including the transfer form,
// and deleting a category.
//
// The category field of a transaction or plan is 0 for none, a category id, or
// the negated id of the other account of a transfer; the path of -n is
// "[" + account n's name + "]", which is also how a typed text names a transfer.

#include "platform/Interaction.h"
#include "reference/TransferBranch.h"
#include "reference/TreeItems.h"
#include "reference/TreeTable.h"
#include "store/TableSet.h"

#include <QString>

#include <optional>

class Categories {
public:
    static constexpr const char* RootName = "All categories";
    static constexpr const char* CreatingText = "Creating categories...";

    explicit Categories(TableSet& tables);

    TreeTable& tree() { return m_tree; }
    quint64 changeCount() const { return m_tree.changeCount(); }

    // A new book: when the table is empty, writes the default tree (ids 1 ... 75)
    // in one store transaction, showing CreatingText. True when the table already
    // held records or the defaults were written; false leaves it empty.
    bool createDefaults(Interaction& ui);
    // The rebuild after a version change: re-creates "All categories" when id 1 is missing.
    bool ensureRoot() { return m_tree.ensureRoot(); }

    qint32 create(qint32 parent, const QString& name) { return m_tree.create(parent, name); }
    // "" for 0 and for an id that names nothing; "[Name]" for a transfer.
    QString pathOf(qint32 id);
    // A category path, or "[Name]" / "[Name" for the account of that name
    // (ignoring case), giving its negated id. 0 when nothing matches.
    qint32 findByPath(const QString& text);
    // Type-ahead: see TreePath::findByPathPrefix; "[" followed by the start of an
    // account name gives the first such account's negated id.
    qint32 findByPathPrefix(const QString& text);
    qint32 createByPath(const QString& path) { return m_tree.createByPath(path); }

    // What typing into the category field completes to: the matched item's full
    // path, with the characters beyond the typed ones to be selected.
    struct Completion {
        qint32 id = 0;
        QString text;
        qsizetype selectFrom = 0;
    };
    // nullopt when nothing matches, or an account matches and transfers are not allowed.
    std::optional<Completion> complete(const QString& typed, bool allowTransfers);

    static QString missingQuestion(const QString& path);
    // The category a typed text names, made by path when it is missing (asking
    // missingQuestion through `ask` when given). A "[...]" text names an account
    // and is never made. 0 for none, No, or a failed write.
    qint32 findOrCreate(const QString& text, Interaction* ask);

    // The items of the category tree, siblings in alphabetical order, all
    // expanded; with `transfers` the "[Transfers]" branch comes first.
    TreeItems fill(const TransferBranch::Valuation* transfers);

    static QString deleteQuestion(const QString& name);
    // Deletes a category without children after asking; transactions, plans and
    // future-list entries filed under it lose their category. One store transaction.
    TreeTable::DeleteOutcome remove(qint32 id, Interaction& ui);

private:
    std::optional<QString> accountName(qint32 accountId);
    qint32 accountMatching(const QString& name, bool prefixOnly);
    bool clearEverywhere(qint32 id);

    TableSet& m_tables;
    TreeTable m_tree;
};
