#include "interchange/RestoreCheck.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"

#include <algorithm>

namespace {

const PropValue* find(const PropList& props, quint16 id)
{
    for (const PropValue& p : props) {
        if (p.id == id)
            return &p;
    }
    return nullptr;
}

qint64 number(const PropList& props, quint16 id)
{
    const PropValue* p = find(props, id);
    return p && p->type != PropType::Text ? p->number : 0;
}

QString text(const PropList& props, quint16 id)
{
    const PropValue* p = find(props, id);
    return p && p->type == PropType::Text ? p->text : QString();
}

// A record that lacks the id it would be named by is named by its place.
QString nameOf(const char* what, qint64 record)
{
    return QStringLiteral("%1 record %2").arg(QLatin1String(what)).arg(record);
}

// The id part of a key that must belong to `id`; false when it names another.
bool keyNames(const QString& key, qint32 id)
{
    const std::optional<ParsedKey> parsed = parseFullKey(key);
    return parsed && parsed->id == id;
}

}  // namespace

bool RestoreCheck::fail(const QString& problem)
{
    if (m_problem.isEmpty())
        m_problem = problem;
    return false;
}

bool RestoreCheck::add(TableKind kind, const PropList& props)
{
    if (!m_problem.isEmpty())
        return false;
    const qint64 record = ++m_records[static_cast<int>(kind)];
    switch (kind) {
    case TableKind::Transaction:
        return addTransaction(props, record);
    case TableKind::Account:
        return addId(QStringLiteral("account"), m_accounts,
                     static_cast<qint32>(number(props, Prop::AccountId)), record);
    case TableKind::Planner:
        return addId(QStringLiteral("plan"), m_plans, static_cast<qint32>(number(props, Prop::PlannerId)),
                     record);
    case TableKind::Project:
        return addTreeNode(QStringLiteral("project"), m_projects,
                           static_cast<qint32>(number(props, Prop::ProjectId)),
                           static_cast<qint32>(number(props, Prop::Parent)), record);
    case TableKind::Category:
        return addTreeNode(QStringLiteral("category"), m_categories,
                           static_cast<qint32>(number(props, Prop::CategoryId)),
                           static_cast<qint32>(number(props, Prop::Parent)), record);
    case TableKind::Currency:
        return addCurrency(props, record);
    case TableKind::Scheduled:
        return true;  // never saved; a restore drops it
    }
    return true;
}

bool RestoreCheck::addTransaction(const PropList& props, qint64 record)
{
    const QString key = text(props, Prop::AccountKey);
    const qint32 account = static_cast<qint32>(number(props, Prop::AccountId));
    if (key.isEmpty())
        return fail(nameOf("transaction", record) + QStringLiteral(" has no account key"));
    const QString name = QStringLiteral("transaction ") + key;
    const std::optional<ParsedKey> parsed = parseFullKey(key);
    if (!parsed)
        return fail(name + QStringLiteral(" has a malformed account key"));
    if (account == 0)
        return fail(name + QStringLiteral(" has no account id"));
    if (parsed->id != account)
        return fail(
            name +
            QStringLiteral(" is filed under account %1 but names account %2").arg(parsed->id).arg(account));
    // A record moved to a reserved account took the moment of the move for both.
    if (!isReservedAccount(account) && fullKey(account, number(props, Prop::Date)) != key)
        return fail(name + QStringLiteral(" has another date than its key"));
    const QString projectKey = text(props, Prop::ProjectKey);
    if (!projectKey.isEmpty() && !keyNames(projectKey, static_cast<qint32>(number(props, Prop::ProjectId))))
        return fail(name + QStringLiteral(" has a project key of another project"));
    const QString plannerKey = text(props, Prop::PlannerKey);
    if (!plannerKey.isEmpty() && !keyNames(plannerKey, static_cast<qint32>(number(props, Prop::PlannerId))))
        return fail(name + QStringLiteral(" has a planner key of another plan"));
    if (m_accountKeys.contains(key))
        return fail(QStringLiteral("account key %1 is held by more than one transaction").arg(key));
    m_accountKeys.insert(key);
    m_postings.push_back({key, account});
    return true;
}

bool RestoreCheck::addId(const QString& what, QSet<qint32>& ids, qint32 id, qint64 record)
{
    if (id <= 0)
        return fail(QStringLiteral("%1 record %2 has no id").arg(what).arg(record));
    if (ids.contains(id))
        return fail(QStringLiteral("%1 id %2 is held by more than one %1").arg(what).arg(id));
    ids.insert(id);
    return true;
}

bool RestoreCheck::addTreeNode(const QString& what, QHash<qint32, TreeNode>& nodes, qint32 id, qint32 parent,
                               qint64 record)
{
    if (id <= 0)
        return fail(QStringLiteral("%1 record %2 has no id").arg(what).arg(record));
    if (nodes.contains(id))
        return fail(QStringLiteral("%1 id %2 is held by more than one %1").arg(what).arg(id));
    nodes.insert(id, TreeNode{parent, record});
    return true;
}

bool RestoreCheck::addCurrency(const PropList& props, qint64 record)
{
    // Codes are stored in upper case; "usd" and "USD" are one currency.
    const QString code = text(props, Prop::CurrencyCode).toUpper();
    if (code.isEmpty())
        return fail(nameOf("currency", record) + QStringLiteral(" has no code"));
    if (m_currencyCodes.contains(code))
        return fail(QStringLiteral("currency code %1 is stored twice").arg(code));
    m_currencyCodes.insert(code);
    // The first currency may have number 0, which a backup leaves out.
    const qint32 n = static_cast<qint32>(number(props, Prop::CurrencyNumber));
    if (m_currencyNumbers.contains(n))
        return fail(QStringLiteral("currency number %1 is held by more than one currency").arg(n));
    m_currencyNumbers.insert(n);
    return true;
}

bool RestoreCheck::finish()
{
    if (!m_problem.isEmpty())
        return false;
    for (const Posting& p : m_postings) {
        if (!isReservedAccount(p.account) && !m_accounts.contains(p.account))
            return fail(QStringLiteral("transaction %1 belongs to account %2, which the file does not hold")
                            .arg(p.key)
                            .arg(p.account));
    }
    return checkTree(QStringLiteral("project"), m_projects) &&
           checkTree(QStringLiteral("category"), m_categories);
}

// Each node's walk to the top must reach a node without parent (0) through
// nodes the file holds; a walk that comes back to a node it passed is a
// circle. Nodes are taken in file order, so the first bad record is named.
bool RestoreCheck::checkTree(const QString& what, const QHash<qint32, TreeNode>& nodes)
{
    std::vector<std::pair<qint64, qint32>> inFileOrder;
    inFileOrder.reserve(static_cast<size_t>(nodes.size()));
    for (auto it = nodes.constBegin(); it != nodes.constEnd(); ++it)
        inFileOrder.emplace_back(it->record, it.key());
    std::sort(inFileOrder.begin(), inFileOrder.end());
    // Nodes known to reach the top: each walk stops at one, so the check stays linear.
    QSet<qint32> rooted;
    for (const auto& [record, start] : inFileOrder) {
        QSet<qint32> walk;
        qint32 id = start;
        while (!rooted.contains(id)) {
            if (walk.contains(id))
                return fail(QStringLiteral("%1 %2 is its own ancestor").arg(what).arg(id));
            walk.insert(id);
            const qint32 parent = nodes.value(id).parent;
            if (parent == 0)
                break;
            if (!nodes.contains(parent))
                return fail(QStringLiteral("%1 %2 has parent %3, which the file does not hold")
                                .arg(what)
                                .arg(id)
                                .arg(parent));
            id = parent;
        }
        rooted.unite(walk);
    }
    return true;
}
