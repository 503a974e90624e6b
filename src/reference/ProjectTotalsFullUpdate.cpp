#include "reference/ProjectTotalsFullUpdate.h"

#include "reference/ProjectTotalsWriter.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

ProjectTotalsFullUpdate::ProjectTotalsFullUpdate(TableSet& tables, const CurrencyCache& currencies,
                                                 quint64& recordsRead)
    : m_tables(tables), m_currencies(currencies), m_recordsRead(recordsRead)
{
}

bool ProjectTotalsFullUpdate::readProjects()
{
    DbTable& projects = m_tables.projects();
    const qint64 total = projects.count();
    m_nodes.reserve(static_cast<size_t>(std::max<qint64>(total, 0)));
    for (qint64 position = 0; position < total; ++position) {
        if (!projects.moveTo(position))
            return false;
        ++m_recordsRead;
        m_nodes.push_back({position,
                           ProjectTotalsRecord::readFrom(projects),
                           ProjectTotalsSums(m_currencies),
                           {},
                           {},
                           {},
                           {}});
        m_indexOf.insert(m_nodes.back().stored.id, m_nodes.size() - 1);  // keeps the first
    }
    return true;
}

// What each project's recompute would count: a keyed transaction inside the
// key run of the project it names, of no reserved account.
bool ProjectTotalsFullUpdate::sweepTransactions()
{
    DbTable& transactions = m_tables.transactions();
    SortScope scope(transactions, Prop::ProjectKey, DbTable::SortKind::Text);
    if (!scope.ok())
        return false;
    const qint64 total = transactions.count();
    // Records come in key order, so runs of one project follow each other:
    // its run's bounds are made once per run, not once per record.
    qint32 boundsOf = 0;
    QString start;
    QString end;
    for (qint64 position = 0; position < total; ++position) {
        if (!transactions.moveTo(position))
            return false;
        ++m_recordsRead;
        if (!transactions.has(Prop::ProjectKey))
            break;  // the keyless records sort last
        const qint32 project = transactions.getInt(Prop::ProjectId);
        const auto found = m_indexOf.constFind(project);
        if (found == m_indexOf.constEnd() || isReservedAccount(transactions.getInt(Prop::AccountId)))
            continue;
        if (project != boundsOf) {
            boundsOf = project;
            start = idStartKey(project);
            end = idEndKey(project);
        }
        const QString key = transactions.getText(Prop::ProjectKey);
        if (key < start || key >= end)
            continue;
        m_nodes[*found].sums.add(Money::fromHundredths(transactions.getInt64(Prop::Amount)),
                                 transactions.getText(Prop::CurrencyCode));
    }
    return true;
}

// The same walk as a recompute's: up the parent links while they name a
// record not met before. `metAt[i] == index` marks node i as met in this walk.
void ProjectTotalsFullUpdate::addToAncestors(size_t index, std::vector<size_t>& metAt)
{
    const Node& from = m_nodes[index];
    if (from.ownDeposits.isZero() && from.ownPayments.isZero())
        return;
    metAt[index] = index;
    for (qint32 above = from.stored.parent; above != 0;) {
        const auto found = m_indexOf.constFind(above);
        if (found == m_indexOf.constEnd() || metAt[*found] == index)
            return;
        metAt[*found] = index;
        Node& ancestor = m_nodes[*found];
        ancestor.treeDeposits += from.ownDeposits;
        ancestor.treePayments += from.ownPayments;
        above = ancestor.stored.parent;
    }
}

void ProjectTotalsFullUpdate::computeSums(QStringView defaultCode)
{
    for (Node& node : m_nodes) {
        node.ownDeposits = node.sums.ownDeposits(defaultCode);
        node.ownPayments = node.sums.ownPayments(defaultCode);
    }
    std::vector<size_t> metAt(m_nodes.size(), m_nodes.size());
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        // A later record with a repeated id is never anyone's ancestor, and a
        // recompute of that id finds the first record only.
        if (m_indexOf.value(m_nodes[i].stored.id) == i)
            addToAncestors(i, metAt);
    }
}

bool ProjectTotalsFullUpdate::unchanged(const Node& node) const
{
    const ProjectTotalsRecord& s = node.stored;
    if (!s.valid || s.ownDeposits != node.ownDeposits || s.ownPayments != node.ownPayments ||
        s.treeDeposits != node.treeDeposits || s.treePayments != node.treePayments)
        return false;
    const PropList fields = node.sums.currencyFields();
    if (fields.size() != s.depositsByCurrency.size() + s.paymentsByCurrency.size())
        return false;
    for (const PropValue& f : fields) {
        const int number = *Prop::currencyOfProjectTotal(f.id);
        const Money stored = Prop::isProjectDepositsId(f.id) ? s.depositsIn(number) : s.paymentsIn(number);
        if (stored.hundredths() != f.number)
            return false;
    }
    return true;
}

bool ProjectTotalsFullUpdate::writeChanged()
{
    DbTable& projects = m_tables.projects();
    for (const Node& node : m_nodes) {
        if (unchanged(node))
            continue;
        if (!projects.moveTo(node.position) ||
            !ProjectTotalsWriter::writeAll(projects, node.sums.currencyFields(), node.ownDeposits,
                                           node.ownPayments, node.treeDeposits, node.treePayments))
            return false;
    }
    return true;
}

bool ProjectTotalsFullUpdate::run(QStringView defaultCode)
{
    if (!readProjects() || !sweepTransactions())
        return false;
    computeSums(defaultCode);
    return writeChanged();
}
