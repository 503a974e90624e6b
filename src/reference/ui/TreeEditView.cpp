#include "reference/ui/TreeEditView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>

namespace {

// Draws the items the fill marked bold (the "[Transfers]" branch, projects
// that are due) in the bold font.
class BoldItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(TreeModel::BoldRole).toBool())
            option->font.setBold(true);
    }
};

// The filled tree with editable labels: records (ids above 0) may be renamed
// once the view edits. A finished label edit is handed on after the editor
// has closed, so that a refusal's message never interrupts the edit itself.
// Where the tree keeps check marks (projects), a record shows its stored
// state as a check box, and a tap on the box is handed on likewise.
class EditableTreeModel : public TreeModel {
public:
    struct Hooks {
        std::function<bool()> editable;
        std::function<bool()> checkable;
        std::function<void(qint32, QString)> renamed;
        std::function<void(qint32, bool)> checked;
    };

    EditableTreeModel(QObject* parent, Hooks hooks) : TreeModel(parent), m_hooks(std::move(hooks)) {}

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags flags = TreeModel::flags(index);
        if (index.isValid() && idAt(index) > 0 && m_hooks.editable())
            flags |= Qt::ItemIsEditable;
        if (isCheckable(index))
            flags |= Qt::ItemIsUserCheckable;
        return flags;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::CheckStateRole)
            return isCheckable(index)
                       ? QVariant(TreeModel::data(index, CheckStoredRole).toInt() != 0 ? Qt::Checked
                                                                                       : Qt::Unchecked)
                       : QVariant();
        return TreeModel::data(index, role == Qt::EditRole ? int(Qt::DisplayRole) : role);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role == Qt::CheckStateRole && isCheckable(index)) {
            m_hooks.checked(idAt(index), value.toInt() == Qt::Checked);
            return false;  // the view fills again once the state is written
        }
        if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
            return false;
        const QString name = value.toString();
        if (name == TreeModel::data(index, Qt::DisplayRole).toString())
            return false;  // an edit that changed nothing writes nothing
        m_hooks.renamed(idAt(index), name);
        return false;  // the view fills again once the name is written
    }

private:
    bool isCheckable(const QModelIndex& index) const
    {
        return index.isValid() && idAt(index) > 0 && m_hooks.checkable();
    }

    Hooks m_hooks;
};

QAction* addItem(QMenu& menu, const char* text, const QKeySequence& keys, bool enabled)
{
    QAction* action = menu.addAction(QString::fromLatin1(text));
    action->setShortcut(keys);
    action->setEnabled(enabled);
    return action;
}

}  // namespace

TreeEditView::TreeEditView(QWidget* parent)
    : QTreeView(parent),
      m_model(new EditableTreeModel(
          this, {[this] { return editable(); },
                 [this] { return editable() && m_context->kind == TreePicker::Kind::Project; },
                 [this](qint32 id, const QString& name) {
                     QMetaObject::invokeMethod(
                         this, [this, id, name] { rename(id, name); }, Qt::QueuedConnection);
                 },
                 [this](qint32 id, bool checked) {
                     QMetaObject::invokeMethod(
                         this, [this, id, checked] { setChecked(id, checked); }, Qt::QueuedConnection);
                 }}))
{
    setModel(m_model);
    setItemDelegate(new BoldItemDelegate(this));
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Q_EMIT selectedChanged(m_model->idAt(current)); });
}

TreeEditView::~TreeEditView() = default;

void TreeEditView::setEditing(TreeEditContext context)
{
    m_context.emplace(std::move(context));
}

TreeModel& TreeEditView::treeModel()
{
    return *m_model;
}

void TreeEditView::showItems(TreeItems items, quint64 changeCount, qint32 selected)
{
    m_model->reset(std::move(items), changeCount, selected);
    expandAsFilled({});
    const QModelIndex current = m_model->selectedIndex();
    setCurrentIndex(current);
    scrollTo(current);
}

void TreeEditView::refill(qint32 selected)
{
    if (!m_context)
        return;
    QSet<qint32> expanded;
    collectExpanded({}, expanded);
    showItems(m_context->fill(selected), m_context->table.changeCount(), selected);
    restoreExpanded({}, expanded);
    scrollTo(currentIndex());
}

void TreeEditView::refillWhenChanged(qint32 selected)
{
    if (m_context && m_model->needsFill(m_context->table.changeCount()))
        refill(selected);
}

qint32 TreeEditView::selectedId() const
{
    return m_model->idAt(currentIndex());
}

void TreeEditView::selectId(qint32 id)
{
    const QModelIndex index = m_model->indexOfId(id);
    if (!index.isValid())
        return;
    m_model->setSelectedId(id);
    setCurrentIndex(index);
    scrollTo(index);
}

qint32 TreeEditView::createChild()
{
    if (!m_context)
        return 0;
    const TreePicker picker(m_context->kind);
    const qint32 id = picker.createChild(m_context->table, selectedId());
    if (id == 0)
        return 0;
    afterEdit(id);
    edit(currentIndex());
    return id;
}

bool TreeEditView::rename(qint32 id, const QString& name)
{
    if (!m_context || !m_context->table.rename(id, name, m_context->ui))
        return false;
    afterEdit(id);
    return true;
}

TreeTable::DeleteOutcome TreeEditView::deleteSelected()
{
    if (!m_context)
        return TreeTable::DeleteOutcome::Refused;
    const qint32 id = selectedId();
    // A refused item is never asked about.
    if (!m_context->table.canDelete(id))
        return TreeTable::DeleteOutcome::Refused;
    const qint32 parent = m_context->table.record(id).value_or(TreeRecord{}).parent;
    const TreeTable::DeleteOutcome outcome = m_context->remove(id);
    if (outcome == TreeTable::DeleteOutcome::Deleted)
        afterEdit(parent);
    else if (outcome == TreeTable::DeleteOutcome::Failed)
        m_context->ui.showMessage(QString::fromLatin1(NotWrittenText), Interaction::Icon::Exclamation);
    return outcome;
}

void TreeEditView::cut()
{
    if (editable())
        m_clipboard.cut(selectedId());
}

void TreeEditView::copy()
{
    if (editable())
        m_clipboard.copy(selectedId());
}

void TreeEditView::undo()
{
    m_clipboard.undo();
}

void TreeEditView::paste()
{
    static_cast<void>(pasteOn(selectedId()));
}

TreeClipboard::Outcome TreeEditView::pasteOn(qint32 target)
{
    if (!m_context)
        return TreeClipboard::Outcome::Nothing;
    const TreePasteResult result =
        pasteInTree(m_clipboard, m_context->table, target,
                    m_context->pasteTotals ? m_context->pasteTotals() : TreePasteTotals{});
    const TreeClipboard::Outcome outcome = result.outcome;
    switch (outcome) {
    case TreeClipboard::Outcome::Nothing:
        break;
    case TreeClipboard::Outcome::Failed:
        m_context->ui.showMessage(QString::fromLatin1(NotWrittenText), Interaction::Icon::Exclamation);
        break;
    case TreeClipboard::Outcome::Moved:
        if (!result.totalsUpdated)
            m_context->ui.showMessage(QString::fromLatin1(TotalsFailedText), Interaction::Icon::Exclamation);
        afterEdit(target);
        break;
    case TreeClipboard::Outcome::Copied:
        afterEdit(target);
        break;
    }
    return outcome;
}

bool TreeEditView::setChecked(qint32 id, bool checked)
{
    if (!m_context || !m_context->table.setCheckState(id, checked ? 1 : 0))
        return false;
    // The tapped project becomes the one the page shows.
    afterEdit(id);
    return true;
}

void TreeEditView::afterEdit(qint32 selected)
{
    refill(selected);
    Q_EMIT treeChanged();
}

void TreeEditView::fillMenu(QMenu& menu)
{
    const qint32 id = selectedId();
    const bool edits = editable() && state() != QAbstractItemView::EditingState;
    const bool record = edits && id > 0;
    connect(addItem(menu, NewText, QKeySequence(Qt::Key_Insert), record), &QAction::triggered, this,
            [this] { createChild(); });
    connect(addItem(menu, RenameText, QKeySequence(Qt::Key_F2), record), &QAction::triggered, this,
            [this] { edit(currentIndex()); });
    menu.addSeparator();
    connect(addItem(menu, CutText, QKeySequence::Cut, record && id > TreeTable::RootId), &QAction::triggered,
            this, &TreeEditView::cut);
    connect(addItem(menu, CopyText, QKeySequence::Copy, record && id > TreeTable::RootId),
            &QAction::triggered, this, &TreeEditView::copy);
    connect(addItem(menu, PasteText, QKeySequence::Paste,
                    record && m_clipboard.mode() != TreeClipboard::Mode::None),
            &QAction::triggered, this, &TreeEditView::paste);
    menu.addSeparator();
    connect(addItem(menu, DeleteText, QKeySequence(Qt::Key_Delete), edits && m_context->table.canDelete(id)),
            &QAction::triggered, this, [this] { deleteSelected(); });
    menu.addSeparator();
    connect(addItem(menu, ExpandText, {}, true), &QAction::triggered, this, &QTreeView::expandAll);
    connect(addItem(menu, CollapseText, {}, true), &QAction::triggered, this, &QTreeView::collapseAll);
    for (QAction* action : menu.actions())
        if (!action->isSeparator())
            action->setObjectName(action->text());
}

void TreeEditView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex at = indexAt(event->pos());
    if (at.isValid())
        setCurrentIndex(at);
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Tree commands"));
    fillMenu(menu);
    menu.exec(event->globalPos());
}

void TreeEditView::keyPressEvent(QKeyEvent* event)
{
    if (!editable() || state() == QAbstractItemView::EditingState) {
        QTreeView::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Cut)
        cut();
    else if (event == QKeySequence::Copy)
        copy();
    else if (event == QKeySequence::Paste)
        paste();
    else if (event == QKeySequence::Undo)
        undo();
    else if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier)
        createChild();
    else if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
             event->modifiers() == Qt::NoModifier)
        deleteSelected();
    else {
        // Enter goes on to the view (and a dialog's default button) as well.
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            event->modifiers() == Qt::NoModifier)
            Q_EMIT redrawWanted(selectedId());
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TreeEditView::expandAsFilled(const QModelIndex& parent)
{
    for (int row = 0; row < m_model->rowCount(parent); ++row) {
        const QModelIndex child = m_model->index(row, 0, parent);
        if (m_model->data(child, TreeModel::ExpandedRole).toBool())
            expand(child);
        expandAsFilled(child);
    }
}

void TreeEditView::collectExpanded(const QModelIndex& parent, QSet<qint32>& ids) const
{
    for (int row = 0; row < m_model->rowCount(parent); ++row) {
        const QModelIndex child = m_model->index(row, 0, parent);
        if (isExpanded(child))
            ids.insert(m_model->idAt(child));
        collectExpanded(child, ids);
    }
}

void TreeEditView::restoreExpanded(const QModelIndex& parent, const QSet<qint32>& ids)
{
    for (int row = 0; row < m_model->rowCount(parent); ++row) {
        const QModelIndex child = m_model->index(row, 0, parent);
        if (ids.contains(m_model->idAt(child)))
            expand(child);
        restoreExpanded(child, ids);
    }
}
