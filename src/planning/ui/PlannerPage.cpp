#include "planning/ui/PlannerPage.h"

#include "planning/ui/PlannerEditorPanel.h"
#include "toolkit/ui/ColumnFit.h"
#include "toolkit/ui/CoolList.h"
#include "toolkit/ui/DialogInteraction.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

#include <algorithm>

PlannerPage::PlannerPage(PlannerPageContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)),
      m_plans(m_context.tables, m_context.currencies, m_context.locale),
      m_editor(PlannerEditorContext{m_context.tables, m_context.currencies, m_context.categories,
                                    m_context.projects, m_context.future, m_context.clock, m_context.locale,
                                    m_context.ui}),
      m_actions(m_context.tables, m_context.future, m_context.clock, m_context.ui),
      m_list(new CoolList(this)),
      m_panel(new PlannerEditorPanel(
          PlannerPanelContext{m_editor,
                              {m_context.categories, m_context.projects, m_context.totals,
                               m_context.currencies, m_context.defaultCurrency, m_context.locale,
                               m_context.clock, m_context.ui, m_context.contactsPath, m_context.codePage}},
          this))
{
    setObjectName(QStringLiteral("PlannerPage"));
    setAccessibleName(QString::fromLatin1(TitleText));
    m_plans.reload();
    m_model = std::make_unique<PlannerListModel>(
        m_plans, [this] { return fileTimeFromLocal(m_context.clock.now()).value_or(0); });
    m_list->setModel(m_model.get());
    m_list->setAccessibleName(QString::fromLatin1(PlannerListModel::AccessibleName));
    m_list->setIconColumn(0);
    QHeaderView* header = m_list->horizontalHeader();
    for (int column = 0; column < m_model->columnCount(); ++column)
        header->resizeSection(column, PlannerList::defaultWidth(m_model->columnAt(column)));
    fitColumns();
    header->resizeSection(0, IconWidth);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setStretchLastSection(true);
    m_list->installEventFilter(this);
    connect(m_list, &CoolList::iconTapped, this, &PlannerPage::toggleStopped);
    connect(m_list, &CoolList::contextMenuWanted, this, &PlannerPage::showContextMenu);
    connect(m_list, &CoolList::rowActivated, this, [this](int row) {
        openRow(row);
        m_panel->focusField(PlannerEditor::Field::Description);
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &PlannerPage::loadCurrentRow);
    connect(m_panel, &PlannerEditorPanel::saved, this, [this](qint32 id) {
        reloadKeeping(id);
        Q_EMIT futureChanged();
    });
    m_panel->setMaximumWidth(m_panel->fontMetrics().averageCharWidth() * 48);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_panel);
    // Shown, the page hands its focus to the list.
    setFocusProxy(m_list);
    buildControls();
    m_list->selectRow(static_cast<int>(m_plans.newRow()));
    loadCurrentRow();
}

PlannerPage::~PlannerPage()
{
    // The controls sit in the window's band strip, which may go first.
    delete m_controls.data();
}

void PlannerPage::buildControls()
{
    m_controls = new QWidget;
    auto* layout = new QHBoxLayout(m_controls);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* add = new QToolButton(m_controls);
    add->setText(QStringLiteral("New"));
    add->setAccessibleName(QStringLiteral("New Time-Table"));
    add->setToolTip(add->accessibleName());
    connect(add, &QToolButton::clicked, this, &PlannerPage::startNew);
    layout->addWidget(add);
    layout->addStretch();
}

// The widths were made for the handheld's small font: in the desktop's font a
// column widens until its dates and amounts are not cut.
void PlannerPage::fitColumns()
{
    QHeaderView& header = *m_list->horizontalHeader();
    for (const PlannerColumn column : {PlannerColumn::Starts, PlannerColumn::Amount}) {
        const int index = static_cast<int>(column);
        header.resizeSection(index, std::max(header.sectionSize(index),
                                             ColumnFit::width(*m_model, header, index, m_list->font())));
    }
}

std::optional<qint32> PlannerPage::planAt(int row) const
{
    const std::optional<PlannerEntry> plan = m_plans.entry(row);
    return plan ? std::optional<qint32>(plan->id) : std::nullopt;
}

void PlannerPage::loadCurrentRow()
{
    const int row = m_list->currentRow();
    if (const std::optional<qint32> id = planAt(row))
        m_panel->load(*id);
    else
        m_panel->loadNew();
}

void PlannerPage::openRow(int row)
{
    if (m_list->currentRow() != row)
        m_list->selectRow(row);
    else
        loadCurrentRow();
}

void PlannerPage::startNew()
{
    openRow(static_cast<int>(m_plans.newRow()));
    m_panel->focusField(PlannerEditor::Field::Description);
}

void PlannerPage::reloadKeeping(qint32 id)
{
    const QSignalBlocker quiet(m_list->selectionModel());
    m_model->reload();
    fitColumns();
    const std::optional<qint64> row = m_plans.rowOf(id);
    m_list->selectRow(static_cast<int>(row.value_or(m_plans.newRow())));
}

void PlannerPage::refresh()
{
    const std::optional<qint32> shown = planAt(m_list->currentRow());
    reloadKeeping(shown.value_or(0));
    if (!m_editor.anyChanged())
        loadCurrentRow();
}

void PlannerPage::leave()
{
    m_panel->save(true);
}

void PlannerPage::toggleStopped(int row)
{
    const std::optional<qint32> id = planAt(row);
    if (!id)
        return;
    if (!m_actions.toggleStopped(*id))
        return;
    reloadKeeping(*id);
    loadCurrentRow();
    Q_EMIT futureChanged();
}

void PlannerPage::deleteRow(int row)
{
    const std::optional<qint32> id = planAt(row);
    if (!id)
        return;
    const PlannerActions::DeleteOutcome outcome = m_actions.remove(*id);
    if (auto* dialogs = dynamic_cast<DialogInteraction*>(&m_context.ui))
        dialogs->endProgress();
    if (outcome != PlannerActions::DeleteOutcome::Deleted)
        return;
    reloadKeeping(0);
    m_list->selectRow(std::min(row, static_cast<int>(m_plans.newRow())));
    loadCurrentRow();
    Q_EMIT futureChanged();
}

void PlannerPage::showContextMenu(int row, const QPoint& globalPos)
{
    const std::optional<PlannerEntry> plan = m_plans.entry(row);
    if (!plan)
        return;
    QMenu menu(this);
    menu.setAccessibleName(QString::fromLatin1(PlannerListModel::AccessibleName));
    QAction* toggle = menu.addAction(PlannerActions::toggleText(plan->stopped));
    menu.addSeparator();
    QAction* remove = menu.addAction(QString::fromLatin1(PlannerActions::DeleteMenuText));
    QAction* chosen = menu.exec(globalPos);
    if (chosen == toggle)
        toggleStopped(row);
    else if (chosen == remove)
        deleteRow(row);
}

bool PlannerPage::eventFilter(QObject* watched, QEvent* event)
{
    // Back in the list after editing: the changes are saved without a question.
    if (watched == m_list && event->type() == QEvent::FocusIn)
        m_panel->save(true);
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        deleteRow(m_list->currentRow());
        return true;
    case Qt::Key_Space:
        m_panel->switchPage();
        return true;
    default:
        return false;
    }
}
