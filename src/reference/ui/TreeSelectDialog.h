#pragma once

#include "reference/TreeItems.h"
#include "reference/TreeModel.h"
#include "reference/TreePicker.h"

#include <QDialog>

class QDialogButtonBox;
class QTreeView;

// The selection dialog of a category or project tree: "Category & [Transfer]
// List" or "Select Project". The tree is shown read-only; OK (or a double
// click on an item OK accepts) gives the chosen item's data back. The dialog
// is made once and remembers the last chosen id through its TreePicker.
class TreeSelectDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* CategoryTitle = "Category & [Transfer] List";
    static constexpr const char* ProjectTitle = "Select Project";

    TreeSelectDialog(TreePicker::Kind kind, QWidget* parent = nullptr);

    // Shows `items` with `current` selected (the remembered choice when
    // `current` is not in the tree) and runs the dialog. The chosen item's
    // data, 0 when cancelled.
    qint32 pick(TreeItems items, quint64 changeCount, qint32 current);

    QTreeView* tree() const { return m_tree; }
    TreeModel& model() { return m_model; }
    const TreePicker& picker() const { return m_picker; }

private:
    qint32 selectedId() const;
    void selectionMoved();
    void expandAsFilled(const QModelIndex& parent);

    TreePicker m_picker;
    TreeModel m_model;
    QTreeView* m_tree;
    QDialogButtonBox* m_buttons;
};
