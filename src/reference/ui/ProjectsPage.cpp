#include "reference/ui/ProjectsPage.h"

#include "reference/ProjectPageLines.h"
#include "store/FileTime.h"
#include "toolkit/ui/CalendarDay.h"
#include "toolkit/ui/ColumnFit.h"
#include "toolkit/ui/CoolList.h"
#include "toolkit/ui/PopupMenu.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* summaryLine(QWidget* parent)
{
    auto* line = new QPushButton(parent);
    line->setFlat(true);
    line->setFocusPolicy(Qt::NoFocus);
    line->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
    return line;
}

void execAbove(QMenu& menu, QWidget* line)
{
    const QSize size = menu.sizeHint();
    const QPoint top = line->mapToGlobal(QPoint(line->width() / 2, 0));
    menu.exec(QPoint(top.x() - size.width() / 2, top.y() - size.height()));
}

}  // namespace

ProjectsPage::ProjectsPage(ProjectsPageContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)),
      m_page(m_context.tables, m_context.projects, m_context.totals, m_context.currencies),
      m_split(new QSplitter(Qt::Horizontal, this)), m_tree(new TreeEditView(m_split)), m_list(new CoolList),
      m_model(new ProjectListModel(this)), m_total(summaryLine(this)), m_prognosis(summaryLine(this))
{
    setAccessibleName(QStringLiteral("Projects"));
    m_tree->setAccessibleName(QStringLiteral("Project tree"));
    m_tree->setEditing(TreeEditContext{
        m_context.projects.tree(), TreePicker::Kind::Project, m_context.ui,
        [this](qint32 selected) { return m_context.projects.fill(selected, m_page.boldProjects()); },
        [this](qint32 id) { return m_context.projects.remove(id, m_context.ui); }, m_context.pasteTotals});

    m_list->setAccessibleName(QStringLiteral("Project list"));
    m_list->setModel(m_model);
    m_list->setIconColumn(ProjectListModel::IconColumn);
    for (int column = 0; column < ProjectListModel::ColumnCount; ++column)
        m_list->setColumnWidth(column, ProjectListModel::Widths[column]);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->installEventFilter(this);
    m_total->setAccessibleName(QString::fromLatin1(ProjectPageLines::TotalLabel));
    m_prognosis->setAccessibleName(QString::fromLatin1(ProjectPageLines::PrognosisLabel));
    m_prognosis->setEnabled(static_cast<bool>(m_context.prognosisPopup));

    auto* right = new QWidget(m_split);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_list, 1);
    auto* lines = new QHBoxLayout;
    lines->addWidget(m_total, 1);
    lines->addWidget(m_prognosis, 1);
    column->addLayout(lines);
    m_split->addWidget(m_tree);
    m_split->addWidget(right);
    m_split->setStretchFactor(1, 1);
    m_split->setChildrenCollapsible(false);
    setTreeWidth(ProjectPage::DefaultTreeWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_split);
    buildControls();

    connect(m_tree, &TreeEditView::selectedChanged, this, [this](qint32 id) {
        if (!m_showing && id != m_page.selected())
            rebuild(id);
    });
    connect(m_tree, &TreeEditView::treeChanged, this, [this] {
        if (!m_showing)
            rebuild(m_tree->selectedId());
    });
    connect(m_tree, &TreeEditView::redrawWanted, this, [this](qint32 id) { rebuild(id); });
    connect(m_list, &CoolList::rowActivated, this,
            [this](int row) { activateRow(row, m_list->viewport()->mapToGlobal(rowPoint(row))); });
    connect(m_list, &CoolList::contextMenuWanted, this, &ProjectsPage::showContextMenu);
    connect(m_split, &QSplitter::splitterMoved, this, [this] { m_treeWidth = m_split->sizes().value(0); });
    connect(m_total, &QPushButton::clicked, this, &ProjectsPage::showTotalPopup);
    connect(m_prognosis, &QPushButton::clicked, this, [this] {
        if (m_context.prognosisPopup)
            m_context.prognosisPopup(m_prognosis);
    });
}

ProjectsPage::~ProjectsPage() = default;

void ProjectsPage::buildControls()
{
    m_controls = new QWidget;
    auto* row = new QHBoxLayout(m_controls);
    row->setContentsMargins(4, 0, 4, 0);
    auto* label = new QLabel(QStringLiteral("for"), m_controls);
    m_horizon = new QDateEdit(m_controls);
    m_horizon->setCalendarPopup(true);
    m_horizon->setAccessibleName(QString::fromLatin1(HorizonName));
    m_horizon->setObjectName(QString::fromLatin1(HorizonName));
    label->setBuddy(m_horizon);
    row->addWidget(label);
    row->addWidget(m_horizon);
    row->addStretch();
    connect(m_horizon, &QDateEdit::editingFinished, this, &ProjectsPage::horizonChosen);
    // Queued: the calendar has closed by the time the day is taken.
    connect(m_horizon->calendarWidget(), &QCalendarWidget::clicked, this, &ProjectsPage::horizonChosen,
            Qt::QueuedConnection);
}

int ProjectsPage::treeWidth() const
{
    return m_treeWidth;
}

// A splitter never laid out reports no useful sizes, so the width is kept
// here and follows only the user's drags.
void ProjectsPage::setTreeWidth(int width)
{
    m_treeWidth = width;
    const int total = std::max(m_split->width(), width + 400);
    m_split->setSizes({width, total - width});
}

void ProjectsPage::refresh()
{
    rebuild(m_tree->currentIndex().isValid() ? m_tree->selectedId() : m_page.selected());
}

void ProjectsPage::showProject(qint32 id)
{
    if (id == m_page.selected())
        return;
    rebuild(id);
}

void ProjectsPage::rebuild(qint32 selected)
{
    m_showing = true;
    const ProjectPage::Context now = m_context.context();
    m_page.refresh(selected, now, &m_context.ui);
    if (m_tree->treeModel().needsFill(m_context.projects.changeCount()) ||
        m_page.boldProjects() != m_shownBold) {
        m_tree->refill(m_page.selected());
        m_shownBold = m_page.boldProjects();
    } else {
        m_tree->selectId(m_page.selected());
    }
    if (!m_horizon->hasFocus() && now.horizon > 0)
        m_horizon->setDate(dateOf(now.horizon));
    showRows();
    m_showing = false;
}

void ProjectsPage::showRows()
{
    const int row = m_list->currentRow();
    m_model->setRows(m_page.rows());
    // A date with its weekday is wider than the column's first width.
    const int dateWidth =
        ColumnFit::width(*m_model, *m_list->horizontalHeader(), ProjectListModel::DateColumn, m_list->font());
    if (m_list->columnWidth(ProjectListModel::DateColumn) < dateWidth)
        m_list->setColumnWidth(ProjectListModel::DateColumn, dateWidth);
    if (m_model->rowCount() > 0)
        m_list->selectRow(std::clamp(row, 0, m_model->rowCount() - 1));
    m_total->setText(m_page.totalLine());
    m_prognosis->setText(m_page.prognosisLine());
    m_total->setAccessibleDescription(m_page.totalLine());
    m_prognosis->setAccessibleDescription(m_page.prognosisLine());
}

QPoint ProjectsPage::rowPoint(int row) const
{
    const QRect cell = m_list->visualRect(m_model->index(row, ProjectListModel::DescriptionColumn));
    return cell.bottomLeft();
}

void ProjectsPage::activateRow(int row, const QPoint& globalPos)
{
    const ProjectPageAction action = m_page.activate(row);
    switch (action.kind) {
    case ProjectPageAction::Kind::None:
        break;
    case ProjectPageAction::Kind::SelectProject:
        showProject(action.projectId);
        break;
    case ProjectPageAction::Kind::TransactionPopup:
    case ProjectPageAction::Kind::PlannedPopup:
        if (m_context.rowPopup)
            m_context.rowPopup(action, globalPos);
        break;
    }
}

void ProjectsPage::deleteRow(int row)
{
    if (m_page.deleteRow(row, m_context.ui) == TreeTable::DeleteOutcome::Deleted)
        rebuild(m_page.selected());
}

bool ProjectsPage::fillContextMenu(QMenu& menu, int row)
{
    const std::optional<PopupLines> lines = m_page.contextMenu(row);
    if (!lines)
        return false;
    PopupMenu::fill(menu, *lines);
    for (QAction* action : menu.actions()) {
        if (action->text() == QString::fromLatin1(ProjectPageLines::DeleteText))
            connect(action, &QAction::triggered, this, [this, row] { deleteRow(row); });
    }
    return true;
}

bool ProjectsPage::fillTotalPopup(QMenu& menu)
{
    const std::optional<PopupLines> lines = m_page.totalPopup();
    if (!lines)
        return false;
    PopupMenu::fill(menu, *lines);
    return true;
}

void ProjectsPage::showContextMenu(int row, const QPoint& globalPos)
{
    QMenu menu(this);
    menu.setAccessibleName(QString::fromLatin1(ProjectPageLines::ProjectLabel));
    if (fillContextMenu(menu, row))
        menu.exec(globalPos);
}

void ProjectsPage::showTotalPopup()
{
    QMenu menu(this);
    menu.setAccessibleName(QString::fromLatin1(ProjectPageLines::TotalLabel));
    if (fillTotalPopup(menu))
        execAbove(menu, m_total);
}

void ProjectsPage::horizonChosen()
{
    if (m_horizon->calendarWidget()->isVisible())
        return;
    if (m_context.setHorizon)
        m_context.setHorizon(m_horizon->date());
    refresh();
}

bool ProjectsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int row = m_list->currentRow();
    switch (key->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        deleteRow(row);
        return true;
    case Qt::Key_Tab:
        m_tree->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_I:
        if (key->modifiers() != Qt::NoModifier)
            break;
        activateRow(row, m_list->viewport()->mapToGlobal(rowPoint(row)));
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
