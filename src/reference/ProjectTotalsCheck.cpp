#include "reference/ProjectTotalsCheck.h"

#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <map>

namespace {

QString amount(Money value)
{
    return moneyText(value, LocaleValues());
}

// "what: 1.00 stored, 2.00 counted" when the two differ.
void compareAmount(QStringList& out, const QString& who, const QString& what, Money stored, Money expected,
                   const char* source)
{
    if (stored != expected)
        out << QStringLiteral("%1: %2 %3 stored, %4 %5")
                   .arg(who, what, amount(stored), amount(expected), QString::fromLatin1(source));
}

}  // namespace

ProjectTotalsCheck::ProjectTotalsCheck(TableSet& tables, const CurrencyCache& currencies)
    : m_tables(tables), m_currencies(currencies)
{
}

QStringList ProjectTotalsCheck::problems(QStringView defaultCode)
{
    QStringList out;
    m_nodes.clear();
    m_indexOf.clear();
    if (!readProjects(out) || !sweepTransactions(out))
        return out;
    addSubtrees();
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        // A repeated id is never found by its recompute: only the first counts.
        if (m_nodes[i].stored.valid && m_indexOf.value(m_nodes[i].stored.id) == i)
            compare(m_nodes[i], defaultCode, out);
    }
    return out;
}

bool ProjectTotalsCheck::readProjects(QStringList& out)
{
    DbTable& projects = m_tables.projects();
    SortScope scope(projects, Prop::ProjectId);
    if (!scope.ok()) {
        out << QStringLiteral("the project table cannot be read");
        return false;
    }
    const qint64 total = projects.count();
    for (qint64 position = 0; position < total; ++position) {
        if (!projects.moveTo(position)) {
            out << QStringLiteral("project at position %1 cannot be read").arg(position);
            return false;
        }
        m_nodes.push_back({ProjectTotalsRecord::readFrom(projects), ProjectTotalsSums(m_currencies), {}, {}});
        if (!m_indexOf.contains(m_nodes.back().stored.id))
            m_indexOf.insert(m_nodes.back().stored.id, m_nodes.size() - 1);
    }
    return true;
}

// Every transaction once, in project-key order; the keyless ones sort last and
// are read too, since a project without its key is a problem of its own.
bool ProjectTotalsCheck::sweepTransactions(QStringList& out)
{
    DbTable& t = m_tables.transactions();
    SortScope scope(t, Prop::ProjectKey, DbTable::SortKind::Text);
    if (!scope.ok()) {
        out << QStringLiteral("the transaction table cannot be read in project order");
        return false;
    }
    const qint64 total = t.count();
    for (qint64 position = 0; position < total; ++position) {
        if (!t.moveTo(position)) {
            out << QStringLiteral("transaction at project-key position %1 cannot be read").arg(position);
            return false;
        }
        // Reserved accounts belong to no account: no project counts them, and
        // the holder's records lose their project key on purpose.
        if (isReservedAccount(t.getInt(Prop::AccountId)))
            continue;
        checkKey(t, out);
        count(t);
    }
    return true;
}

void ProjectTotalsCheck::checkKey(const DbTable& t, QStringList& out) const
{
    const QString key = t.getText(Prop::AccountKey);
    const qint32 project = t.getInt(Prop::ProjectId);
    const bool hasKey = t.has(Prop::ProjectKey);
    if (project > 0 && !hasKey) {
        out << QStringLiteral("transaction %1 has project %2 but no project key").arg(key).arg(project);
    } else if (project <= 0 && hasKey) {
        out << QStringLiteral("transaction %1 has a project key but no project").arg(key);
    } else if (hasKey) {
        const QString projectKey = t.getText(Prop::ProjectKey);
        if (projectKey != fullKey(project, t.getInt64(Prop::Date)))
            out << QStringLiteral("transaction %1 has project key %2, not the key of project %3 on its date")
                       .arg(key, projectKey)
                       .arg(project);
    }
}

// As a recompute finds them: a record inside the key run of the project it names.
void ProjectTotalsCheck::count(const DbTable& t)
{
    if (!t.has(Prop::ProjectKey))
        return;
    const qint32 project = t.getInt(Prop::ProjectId);
    const auto found = m_indexOf.constFind(project);
    if (found == m_indexOf.constEnd())
        return;
    const QString key = t.getText(Prop::ProjectKey);
    if (key < idStartKey(project) || key >= idEndKey(project))
        return;
    m_nodes[*found].counted.add(Money::fromHundredths(t.getInt64(Prop::Amount)),
                                t.getText(Prop::CurrencyCode));
}

// Each project's stored own sums go to every ancestor, up the parent links
// until one names no record or names a record met before in this walk.
void ProjectTotalsCheck::addSubtrees()
{
    std::vector<size_t> metBy(m_nodes.size(), m_nodes.size());
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        const Node& from = m_nodes[i];
        if (m_indexOf.value(from.stored.id) != i)
            continue;
        metBy[i] = i;
        for (qint32 above = from.stored.parent; above != 0;) {
            const auto found = m_indexOf.constFind(above);
            if (found == m_indexOf.constEnd() || metBy[*found] == i)
                break;
            metBy[*found] = i;
            Node& ancestor = m_nodes[*found];
            ancestor.subtreeDeposits += from.stored.ownDeposits;
            ancestor.subtreePayments += from.stored.ownPayments;
            above = ancestor.stored.parent;
        }
    }
}

void ProjectTotalsCheck::compare(const Node& node, QStringView defaultCode, QStringList& out) const
{
    const QString who = label(node);
    compareCurrencyFields(node, out);
    compareAmount(out, who, QStringLiteral("own deposits"), node.stored.ownDeposits,
                  node.counted.ownDeposits(defaultCode), "counted");
    compareAmount(out, who, QStringLiteral("own payments"), node.stored.ownPayments,
                  node.counted.ownPayments(defaultCode), "counted");
    compareAmount(out, who, QStringLiteral("subtree deposits"), node.stored.treeDeposits,
                  node.subtreeDeposits, "in its sub-projects");
    compareAmount(out, who, QStringLiteral("subtree payments"), node.stored.treePayments,
                  node.subtreePayments, "in its sub-projects");
}

// A missing field and a field holding 0 say the same.
void ProjectTotalsCheck::compareCurrencyFields(const Node& node, QStringList& out) const
{
    std::map<quint16, std::pair<qint64, qint64>> fields;  // id -> stored, counted
    for (const auto& [number, sum] : node.stored.depositsByCurrency)
        fields[Prop::projectDepositsIn(number)].first = sum.hundredths();
    for (const auto& [number, sum] : node.stored.paymentsByCurrency)
        fields[Prop::projectPaymentsIn(number)].first = sum.hundredths();
    for (const PropValue& f : node.counted.currencyFields())
        fields[f.id].second = f.number;
    for (const auto& [id, values] : fields) {
        const QString what = (Prop::isProjectDepositsId(id) ? QStringLiteral("deposits in ")
                                                            : QStringLiteral("payments in ")) +
                             currencyName(*Prop::currencyOfProjectTotal(id));
        compareAmount(out, label(node), what, Money::fromHundredths(values.first),
                      Money::fromHundredths(values.second), "counted");
    }
}

QString ProjectTotalsCheck::label(const Node& node) const
{
    return QStringLiteral("project %1 (%2)").arg(node.stored.id).arg(node.stored.name);
}

QString ProjectTotalsCheck::currencyName(int number) const
{
    for (const CachedCurrency& c : m_currencies.entries()) {
        if (c.number == number)
            return c.code;
    }
    return QStringLiteral("currency %1").arg(number);
}
