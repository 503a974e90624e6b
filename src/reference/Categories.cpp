#include "reference/Categories.h"

#include "platform/StoreTransaction.h"
#include "reference/ClearReferences.h"
#include "reference/DefaultCategories.h"
#include "reference/TreeFill.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <limits>
#include <vector>

Categories::Categories(TableSet& tables)
    : m_tables(tables), m_tree(tables.categories(), Prop::CategoryId, QString::fromUtf8(RootName))
{
}

bool Categories::createDefaults(Interaction& ui)
{
    DbTable& table = m_tables.categories();
    if (table.count() > 0)
        return true;
    ui.showStatus(QString::fromUtf8(CreatingText));
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen())
        return false;
    // Ids handed out earlier in this run (the table was cleared since) must not
    // shift the defaults off 1 ... 75.
    table.forgetAllocatedId();
    bool written = true;
    std::vector<qint32> parents;  // the latest id at each depth
    for (const DefaultCategory& row : defaultCategories()) {
        parents.resize(static_cast<size_t>(row.depth));
        const qint32 id = m_tree.create(parents.empty() ? 0 : parents.back(), QString::fromUtf8(row.name));
        written = written && id != 0;
        if (!written)
            break;
        parents.push_back(id);
    }
    if (!written || !transaction.commit()) {
        table.forgetAllocatedId();
        return false;
    }
    return true;
}

std::optional<QString> Categories::accountName(qint32 accountId)
{
    DbTable& accounts = m_tables.accounts();
    SortScope scope(accounts, Prop::AccountId);
    if (!scope.ok() || !accounts.seekInt(SeekKind::Equal, accountId))
        return std::nullopt;
    return accounts.getText(Prop::Name);
}

// The first account, in id order, whose name equals `name` (or begins with it),
// ignoring case; its negated id, or 0.
qint32 Categories::accountMatching(const QString& name, bool prefixOnly)
{
    DbTable& accounts = m_tables.accounts();
    SortScope scope(accounts, Prop::AccountId);
    const qint64 total = scope.ok() ? accounts.count() : 0;
    for (qint64 position = 0; position < total; ++position) {
        if (!accounts.moveTo(position) || isReservedAccount(accounts.getInt(Prop::AccountId)))
            continue;
        const QString candidate = accounts.getText(Prop::Name);
        const bool match = prefixOnly ? candidate.startsWith(name, Qt::CaseInsensitive)
                                      : candidate.compare(name, Qt::CaseInsensitive) == 0;
        if (match)
            return -accounts.getInt(Prop::AccountId);
    }
    return 0;
}

QString Categories::pathOf(qint32 id)
{
    if (id >= 0)
        return id == 0 ? QString() : m_tree.pathOf(id);
    // The smallest value has no account to name (and no negation); damaged
    // or restored data may hold it.
    if (id == std::numeric_limits<qint32>::min())
        return QString();
    const std::optional<QString> name = accountName(-id);
    return name ? QLatin1Char('[') + *name + QLatin1Char(']') : QString();
}

qint32 Categories::findByPath(const QString& text)
{
    if (!text.startsWith(QLatin1Char('[')))
        return m_tree.findByPath(text);
    QString name = text.mid(1);
    if (name.endsWith(QLatin1Char(']')))
        name.chop(1);
    return accountMatching(name, false);
}

qint32 Categories::findByPathPrefix(const QString& text)
{
    if (!text.startsWith(QLatin1Char('[')))
        return m_tree.findByPathPrefix(text);
    return accountMatching(text.mid(1), true);
}

std::optional<Categories::Completion> Categories::complete(const QString& typed, bool allowTransfers)
{
    const qint32 id = findByPathPrefix(typed);
    if (id == 0 || (id < 0 && !allowTransfers))
        return std::nullopt;
    return Completion{id, pathOf(id), typed.size()};
}

QString Categories::missingQuestion(const QString& path)
{
    return QStringLiteral("Category '") + path +
           QStringLiteral("' does not exist. Do You want to create new?");
}

qint32 Categories::findOrCreate(const QString& text, Interaction* ask)
{
    if (text.startsWith(QLatin1Char('[')))
        return findByPath(text);
    return m_tree.findOrCreate(text, ask, missingQuestion(text));
}

TreeItems Categories::fill(const TransferBranch::Valuation* transfers)
{
    TreeFill::Options options;
    options.sortSiblings = true;
    TreeItems items = TreeFill::fill(m_tree.records(), options);
    if (transfers)
        TransferBranch::addTo(items, m_tables.accounts(), *transfers);
    items.expandAll();
    return items;
}

QString Categories::deleteQuestion(const QString& name)
{
    return QStringLiteral("Delete Category") + QStringLiteral(" '") + name + QStringLiteral("' ?");
}

bool Categories::clearEverywhere(qint32 id)
{
    return clearReferences(m_tables.transactions(), Prop::CategoryId, id) &&
           clearReferences(m_tables.planner(), Prop::CategoryId, id) &&
           clearReferences(m_tables.scheduled(), Prop::CategoryId, id);
}

TreeTable::DeleteOutcome Categories::remove(qint32 id, Interaction& ui)
{
    using Outcome = TreeTable::DeleteOutcome;
    if (!m_tree.canDelete(id))
        return Outcome::Refused;
    if (!ui.askYesNo(deleteQuestion(m_tree.record(id).value_or(TreeRecord{}).name)))
        return Outcome::Declined;
    StoreTransaction transaction(*m_tables.store());
    if (!transaction.isOpen() || !clearEverywhere(id) || !m_tree.removeRecord(id) || !transaction.commit())
        return Outcome::Failed;
    return Outcome::Deleted;
}
