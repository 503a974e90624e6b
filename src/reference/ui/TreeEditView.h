#pragma once

#include "reference/TreeClipboard.h"
#include "reference/TreeItems.h"
#include "reference/TreeModel.h"
#include "reference/TreePaste.h"
#include "reference/TreePicker.h"
#include "reference/TreeTable.h"

#include <QSet>
#include <QTreeView>

#include <functional>
#include <optional>

class QMenu;

// What a tree window edits and how: the table, the fill that gives its items,
// the delete with its questions and holder rules, and what must follow a move.
struct TreeEditContext {
    TreeTable& table;
    TreePicker::Kind kind;
    Interaction& ui;
    // The tree's items with `selected` as the remembered selection.
    std::function<TreeItems(qint32 selected)> fill;
    // The tree's delete of one item, with its question.
    std::function<TreeTable::DeleteOutcome(qint32 id)> remove;
    // The project totals a paste brings up to date (see TreePaste). Empty
    // for the category tree.
    std::function<TreePasteTotals()> pasteTotals;
};

// A category or project tree as a window: a tree view over the filled tree
// with its editing commands. Insert adds a child ("<_New_Category_>" or
// "<_New_Project_>") and starts editing its label; F2 renames in place;
// Ctrl+X, Ctrl+C, Ctrl+V and Ctrl+Z (and the Edit menu's commands, sent to
// the focused widget by name) cut, copy, paste and forget; Delete or
// Backspace deletes an item without children after its question. The context
// menu offers the same. A project tree shows each project's check mark; a tap
// on it is stored. Enter asks the owner to draw the item's view again. Every
// change goes through the tree's logic; the view is filled again from the
// table after it.
class TreeEditView : public QTreeView {
    Q_OBJECT
public:
    static constexpr const char* NewText = "Create...";
    static constexpr const char* RenameText = "Rename";
    static constexpr const char* CutText = "Cut";
    static constexpr const char* CopyText = "Copy";
    static constexpr const char* PasteText = "Paste";
    static constexpr const char* DeleteText = "Delete";
    static constexpr const char* ExpandText = "Expand All";
    static constexpr const char* CollapseText = "Collapse All";
    static constexpr const char* NotWrittenText = "The change could not be written.";
    static constexpr const char* TotalsFailedText = "The project totals could not be updated.";

    explicit TreeEditView(QWidget* parent = nullptr);
    ~TreeEditView() override;

    // Without a context the tree is only shown, never edited.
    void setEditing(TreeEditContext context);
    bool editable() const { return m_context.has_value(); }

    TreeModel& treeModel();
    // Shows `items` with `selected` current, expanded as the fill says.
    void showItems(TreeItems items, quint64 changeCount, qint32 selected);
    // Fills the tree again from the table, `selected` current.
    void refill(qint32 selected);
    // The same, only when the table changed since the last fill.
    void refillWhenChanged(qint32 selected);
    qint32 selectedId() const;
    void selectId(qint32 id);

    // "Create...": a child of the selected item, its label being edited.
    // The new id; 0 when none was made.
    qint32 createChild();
    // The label edit's end: `name` written when the tree's rule allows it,
    // else its message. True when the record was renamed.
    bool rename(qint32 id, const QString& name);
    // The selected item deleted after its question; the outcome.
    TreeTable::DeleteOutcome deleteSelected();
    TreeClipboard::Outcome pasteOn(qint32 target);
    // A project's check mark as tapped: stored, the tree filled again with it
    // selected. False when nothing changed.
    bool setChecked(qint32 id, bool checked);
    const TreeClipboard& clipboard() const { return m_clipboard; }

    // The context menu of the selected item (also for tests).
    void fillMenu(QMenu& menu);

public Q_SLOTS:
    void cut();
    void copy();
    void paste();
    void undo();

Q_SIGNALS:
    // The selection moved to another item (its data).
    void selectedChanged(qint32 id);
    // A record was created, renamed, moved, copied, checked or deleted.
    void treeChanged();
    // Enter on an item: what shows it is drawn again.
    void redrawWanted(qint32 id);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void expandAsFilled(const QModelIndex& parent);
    void collectExpanded(const QModelIndex& parent, QSet<qint32>& ids) const;
    void restoreExpanded(const QModelIndex& parent, const QSet<qint32>& ids);
    void afterEdit(qint32 selected);

    std::optional<TreeEditContext> m_context;
    TreeModel* m_model;
    TreeClipboard m_clipboard;
};
