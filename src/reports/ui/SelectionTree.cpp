#include "reports/ui/SelectionTree.h"

#include "reports/ReportFilter.h"
#include "reports/SelectionTreeItems.h"

#include <QHeaderView>

SelectionTree::SelectionTree(TableSet& tables, ReportFilter& filter, QWidget* parent)
    : QTreeWidget(parent), m_tables(tables), m_filter(filter)
{
    setAccessibleName(QString::fromLatin1(AccessibleText));
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemChanged, this, &SelectionTree::itemChanged);
    refill();
}

void SelectionTree::refill()
{
    m_filling = true;
    clear();
    const TreeItems items = SelectionTreeItems::build(m_tables, m_filter);
    for (const int top : items.childrenOf(TreeItems::Top))
        addItems(items, top, nullptr);
    m_filling = false;
}

void SelectionTree::addItems(const TreeItems& items, int from, QTreeWidgetItem* parent)
{
    const TreeItem& source = items.at(from);
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, source.text);
    item->setData(0, KeyRole, source.data);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, source.checkState != 0 ? Qt::Checked : Qt::Unchecked);
    for (const int child : items.childrenOf(from))
        addItems(items, child, item);
    item->setExpanded(source.expanded);
}

QTreeWidgetItem* SelectionTree::itemWithKey(qint32 key) const
{
    for (QTreeWidgetItemIterator it(const_cast<SelectionTree*>(this)); *it; ++it) {
        if ((*it)->data(0, KeyRole).toInt() == key)
            return *it;
    }
    return nullptr;
}

void SelectionTree::setChecked(QTreeWidgetItem* item, bool checked)
{
    if (item)
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void SelectionTree::itemChanged(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != 0)
        return;
    m_filling = true;
    applySubtree(item, item->checkState(0));
    m_filling = false;
    Q_EMIT filterChanged();
}

void SelectionTree::applySubtree(QTreeWidgetItem* item, Qt::CheckState state)
{
    item->setCheckState(0, state);
    if (const std::optional<SelectionTreeItems::Id> id =
            SelectionTreeItems::idOf(item->data(0, KeyRole).toInt())) {
        if (state == Qt::Checked)
            (void)m_filter.addId(id->kind, id->id);
        else
            m_filter.removeId(id->kind, id->id);
    }
    for (int i = 0; i < item->childCount(); ++i)
        applySubtree(item->child(i), state);
}
