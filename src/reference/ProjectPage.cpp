#include "reference/ProjectPage.h"

#include "reference/ProjectPageLines.h"
#include "reference/ProjectTotalsKeyRun.h"
#include "store/DateText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"

#include <tuple>

ProjectPage::ProjectPage(TableSet& tables, Projects& projects, ProjectTotals& totals,
                         const CurrencyCache& currencies)
    : m_tables(tables), m_projects(projects), m_totals(totals), m_currencies(currencies)
{
}

bool ProjectPage::refresh(qint32 selected, const Context& context, Interaction* ui)
{
    m_context = context;
    const bool updated = m_totals.updateStale(context.defaultCode, ui);
    const std::pair<quint64, FileTime> boldKey{context.futureListChanges, startOfDay(context.today)};
    if (m_boldFor != boldKey) {
        m_bold = m_projects.boldProjects(context.today);
        m_boldFor = boldKey;
        ++m_boldBuilds;
    }
    refillTree(selected);
    m_selected = chooseSelection(selected);
    buildRows();
    buildSummary();
    return updated;
}

void ProjectPage::refillTree(qint32 selected)
{
    const std::tuple<quint64, quint64, qint32> key{m_projects.changeCount(), m_boldBuilds, selected};
    if (m_treeFor == key)
        return;
    m_tree = m_projects.fill(selected, m_bold);
    m_treeFor = key;
}

qint32 ProjectPage::chooseSelection(qint32 wanted) const
{
    if (wanted != 0 && m_tree.find(wanted) >= 0)
        return wanted;
    const std::vector<int>& top = m_tree.childrenOf(TreeItems::Top);
    return top.empty() ? 0 : m_tree.at(top.front()).data;
}

void ProjectPage::buildRows()
{
    m_rows.clear();
    m_transactionRows = 0;
    if (m_selected == 0)
        return;
    addUpRow();
    addSubProjectRows();
    addTransactionRows();
    addPlannedRows();
}

void ProjectPage::addUpRow()
{
    if (m_selected == RootProjectId)
        return;
    ProjectPageRow up;
    up.kind = ProjectPageRow::Kind::Up;
    const int item = m_tree.find(m_selected);
    const int parentItem = item >= 0 ? m_tree.at(item).parent : TreeItems::Top;
    // A project left at the top by a broken parent link has nowhere to go up to.
    up.projectId = parentItem == TreeItems::Top ? 0 : m_tree.at(parentItem).data;
    m_rows.push_back(up);
}

void ProjectPage::addSubProjectRows()
{
    const int item = m_tree.find(m_selected);
    if (item < 0)
        return;
    for (const int child : m_tree.childrenOf(item)) {
        const TreeItem& c = m_tree.at(child);
        ProjectPageRow row;
        row.kind = ProjectPageRow::Kind::SubProject;
        row.projectId = c.data;
        row.description = c.text;
        row.amount = m_totals.totalsOf(c.data).value_or(ProjectTotalsRecord{}).netTotal();
        row.amountText = m_currencies.amountText(row.amount, m_context.defaultCode, m_context.locale);
        row.style.bold = c.bold;
        m_rows.push_back(row);
    }
}

void ProjectPage::addTransactionRows()
{
    DbTable& transactions = m_tables.transactions();
    SortScope scope(transactions, Prop::ProjectKey, DbTable::SortKind::Text);
    const auto add = [this](const DbTable& t) {
        if (isReservedAccount(t.getInt(Prop::AccountId)))
            return;
        ProjectPageRow row;
        row.kind = ProjectPageRow::Kind::Transaction;
        row.record = t.recordId();
        row.accountKey = t.getText(Prop::AccountKey);
        row.date = t.getInt64(Prop::Date);
        row.dateText = dateWithWeekday(row.date, m_context.locale);
        row.description = t.getText(Prop::Name);
        row.amount = Money::fromHundredths(t.getInt64(Prop::Amount));
        row.amountText = m_currencies.amountText(row.amount, t.getText(Prop::CurrencyCode), m_context.locale);
        row.mark = static_cast<ReconcileMark>(t.getInt(Prop::Mark));
        row.transfer = t.getInt(Prop::CategoryId) < 0;
        m_rows.push_back(row);
        ++m_transactionRows;
    };
    if (scope.ok())
        (void)ProjectTotalsKeyRun::forEach(transactions, m_selected, add);
}

void ProjectPage::addPlannedRows()
{
    DbTable& scheduled = m_tables.scheduled();
    SortScope scope(scheduled, Prop::ProjectKey, DbTable::SortKind::Text);
    const FileTime dueBy = endOfDay(m_context.today);
    const auto add = [&](const DbTable& entry) {
        ProjectPageRow row;
        row.kind = ProjectPageRow::Kind::Planned;
        row.record = entry.recordId();
        row.date = entry.getInt64(Prop::Date);
        row.dateText = dateWithWeekday(row.date, m_context.locale);
        row.description = entry.getText(Prop::Name);
        row.amount = Money::fromHundredths(entry.getInt64(Prop::Amount));
        row.amountText =
            m_currencies.amountText(row.amount, entry.getText(Prop::CurrencyCode), m_context.locale);
        row.style.bold = row.date <= dueBy;
        row.style.tone = row.style.bold ? RowStyle::Tone::Due : RowStyle::Tone::PlannedLater;
        m_rows.push_back(row);
    };
    if (scope.ok())
        (void)ProjectTotalsKeyRun::forEach(scheduled, m_selected, add);
}

// The shown project and everything under it in the tree; the tree holds no
// cycles, so the walk ends.
Money ProjectPage::prognosis()
{
    const std::pair<qint32, quint64> key{m_selected, m_context.futureListChanges};
    if (m_prognosisFor == key)
        return m_prognosis;
    Money total;
    std::vector<int> pending;
    if (const int item = m_tree.find(m_selected); item >= 0)
        pending.push_back(item);
    while (!pending.empty()) {
        const int item = pending.back();
        pending.pop_back();
        total +=
            m_totals.scheduledSums(m_tree.at(item).data, m_context.horizon, m_context.defaultCode).inDefault;
        const std::vector<int>& children = m_tree.childrenOf(item);
        pending.insert(pending.end(), children.begin(), children.end());
    }
    m_prognosis = total;
    m_prognosisFor = key;
    return total;
}

void ProjectPage::buildSummary()
{
    const Money net = m_totals.totalsOf(m_selected).value_or(ProjectTotalsRecord{}).netTotal();
    m_totalLine = ProjectPageLines::totalLine(net, m_currencies, m_context.defaultCode, m_context.locale);
    m_prognosisLine =
        ProjectPageLines::prognosisLine(prognosis(), m_currencies, m_context.defaultCode, m_context.locale);
}

const ProjectPageRow* ProjectPage::rowAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? &m_rows[static_cast<size_t>(row)] : nullptr;
}

ProjectPageAction ProjectPage::activate(int row) const
{
    using Kind = ProjectPageAction::Kind;
    const ProjectPageRow* r = rowAt(row);
    if (!r)
        return {};
    switch (r->kind) {
    case ProjectPageRow::Kind::Up:
    case ProjectPageRow::Kind::SubProject:
        return r->projectId == 0 ? ProjectPageAction{}
                                 : ProjectPageAction{Kind::SelectProject, r->projectId, 0, {}};
    case ProjectPageRow::Kind::Transaction:
        return {Kind::TransactionPopup, m_selected, r->record, r->accountKey};
    case ProjectPageRow::Kind::Planned:
        return {Kind::PlannedPopup, m_selected, r->record, {}};
    }
    return {};
}

std::optional<PopupLines> ProjectPage::contextMenu(int row)
{
    const ProjectPageRow* r = rowAt(row);
    if (!r || r->kind != ProjectPageRow::Kind::SubProject)
        return std::nullopt;
    const std::optional<ProjectTotalsRecord> project = m_totals.totalsOf(r->projectId);
    if (!project)
        return std::nullopt;
    return ProjectPageLines::contextMenu(*project, m_currencies, m_context.defaultCode, m_context.locale);
}

std::optional<PopupLines> ProjectPage::totalPopup()
{
    const std::optional<ProjectTotalsRecord> project = m_totals.totalsOf(m_selected);
    if (!project)
        return std::nullopt;
    return ProjectPageLines::totalPopup(*project, m_transactionRows, m_currencies, m_context.defaultCode,
                                        m_context.locale);
}

TreeTable::DeleteOutcome ProjectPage::deleteRow(int row, Interaction& ui)
{
    const ProjectPageRow* r = rowAt(row);
    if (!r || r->kind != ProjectPageRow::Kind::SubProject)
        return TreeTable::DeleteOutcome::Refused;
    const qint32 shown = m_selected;
    const qint32 target = r->projectId;
    const TreeTable::DeleteOutcome outcome = m_projects.remove(target, ui);
    // The tree selected the sub-project to delete it; once it is gone the
    // shown project is the one whose row it was.
    refresh(outcome == TreeTable::DeleteOutcome::Deleted ? shown : target, m_context, &ui);
    return outcome;
}
