#include "toolkit/ui/CoolList.h"

#include "toolkit/ui/ShortenedTextDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <optional>

namespace {

std::optional<ListSelection::Key> navigationKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
        return ListSelection::Key::Up;
    case Qt::Key_Down:
        return ListSelection::Key::Down;
    case Qt::Key_Home:
        return ListSelection::Key::Home;
    case Qt::Key_End:
        return ListSelection::Key::End;
    case Qt::Key_PageUp:
        return ListSelection::Key::PageUp;
    case Qt::Key_PageDown:
        return ListSelection::Key::PageDown;
    default:
        return std::nullopt;
    }
}

}  // namespace

CoolList::CoolList(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new ShortenedTextDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Every row one height: the view never asks the model for sizes.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    m_hold.setSingleShot(true);
    m_hold.setInterval(HoldMs);
    connect(&m_hold, &QTimer::timeout, this, &CoolList::holdElapsed);
}

void CoolList::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    if (model)
        setAccessibleName(model->headerData(0, Qt::Vertical, Qt::AccessibleTextRole).toString());
}

ListColumns CoolList::columnLayout() const
{
    ListColumns columns;
    const QHeaderView* header = horizontalHeader();
    const int n = header->count();
    for (int i = 0; i < n; ++i)
        columns.insert(i, header->sectionSize(i), model()->headerData(i, Qt::Horizontal).toString());
    for (int visual = 0; visual < n; ++visual)
        columns.move(columns.positionOf(header->logicalIndex(visual)), visual);
    return columns;
}

void CoolList::applyColumnLayout(const ListColumns& columns)
{
    QHeaderView* header = horizontalHeader();
    int visual = 0;
    for (const ListColumn& c : columns.inDisplayOrder()) {
        if (c.created < header->count()) {
            header->moveSection(header->visualIndex(c.created), visual++);
            header->resizeSection(c.created, c.width);
        }
    }
}

bool CoolList::saveColumns(SettingsFile& settings, int number) const
{
    return columnLayout().save(settings, ListColumns::section(QString::fromLatin1(ClassName), number));
}

bool CoolList::loadColumns(const SettingsFile& settings, int number)
{
    ListColumns columns = columnLayout();
    if (!columns.load(settings, ListColumns::section(QString::fromLatin1(ClassName), number)))
        return false;
    applyColumnLayout(columns);
    return true;
}

int CoolList::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void CoolList::selectRow(int row)
{
    if (!model() || model()->rowCount() == 0)
        return;
    row = std::clamp(row, 0, model()->rowCount() - 1);
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(model()->index(row, column));
    scrollTo(currentIndex());
}

int CoolList::pageRows() const
{
    const int rowHeight = verticalHeader()->defaultSectionSize();
    return std::max(1, viewport()->height() / std::max(1, rowHeight));
}

// The view may have scrolled by the wheel or the scroll bar since the last
// key: the selection rules start from what is on screen now.
void CoolList::syncSelection()
{
    const qint64 rows = model() ? model()->rowCount() : 0;
    const qint64 page = pageRows();
    const qint64 top = std::max(0, rowAt(0));
    m_selection = ListSelection();
    m_selection.setRowCount(rows);
    m_selection.setPageRows(page);
    if (rows == 0)
        return;
    m_selection.select(std::min(top + page - 1, rows - 1));
    m_selection.select(currentRow() >= 0 ? currentRow() : top);
}

void CoolList::keyPressEvent(QKeyEvent* event)
{
    const std::optional<ListSelection::Key> key = navigationKey(event->key());
    if (key && event->modifiers() == Qt::NoModifier && model()) {
        syncSelection();
        m_selection.press(*key);
        if (m_selection.selected() >= 0) {
            verticalScrollBar()->setValue(static_cast<int>(m_selection.firstVisible()));
            const int column = currentIndex().isValid() ? currentIndex().column() : 0;
            setCurrentIndex(model()->index(static_cast<int>(m_selection.selected()), column));
        }
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        Q_EMIT rowActivated(currentRow());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CoolList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
    if (!index.isValid())
        return;
    if (event->button() == Qt::RightButton) {
        Q_EMIT contextMenuWanted(index.row(), event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (index.column() == m_iconColumn) {
        Q_EMIT iconTapped(index.row());
        return;
    }
    m_holdRow = index.row();
    m_holdPos = event->globalPosition().toPoint();
    m_hold.start();
}

void CoolList::mouseMoveEvent(QMouseEvent* event)
{
    if (m_hold.isActive() &&
        (event->globalPosition().toPoint() - m_holdPos).manhattanLength() > QApplication::startDragDistance())
        m_hold.stop();
    QTableView::mouseMoveEvent(event);
}

void CoolList::mouseReleaseEvent(QMouseEvent* event)
{
    m_hold.stop();
    QTableView::mouseReleaseEvent(event);
}

void CoolList::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_hold.stop();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton && index.column() != m_iconColumn)
        Q_EMIT rowActivated(index.row());
    else
        QTableView::mouseDoubleClickEvent(event);
}

void CoolList::holdElapsed()
{
    Q_EMIT contextMenuWanted(m_holdRow, m_holdPos);
}
