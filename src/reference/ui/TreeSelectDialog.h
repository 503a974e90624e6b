#pragma once

#include "reference/TreeItems.h"
#include "reference/TreeModel.h"
#include "reference/TreePicker.h"
#include "reference/ui/TreeEditView.h"

#include <QDialog>

class QDialogButtonBox;
class QPushButton;

// The selection dialog of a category or project tree: "Category & [Transfer]
// List" or "Select Project". OK (or a double click on an item OK accepts)
// gives the chosen item's data back. The dialog is made once and remembers
// the last chosen id through its TreePicker. Once given the tree's editing,
// "Create..." and "Delete" appear and the tree takes its editing commands.
class TreeSelectDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* CategoryTitle = "Category & [Transfer] List";
    static constexpr const char* ProjectTitle = "Select Project";
    static constexpr const char* CreateText = "Create...";
    static constexpr const char* DeleteText = "Delete";

    TreeSelectDialog(TreePicker::Kind kind, QWidget* parent = nullptr);

    void setEditing(TreeEditContext context);

    // Shows `items` with `current` selected (the remembered choice when
    // `current` is not in the tree) and runs the dialog. The chosen item's
    // data, 0 when cancelled.
    qint32 pick(TreeItems items, quint64 changeCount, qint32 current);

    TreeEditView* tree() const { return m_tree; }
    TreeModel& model() { return m_tree->treeModel(); }
    const TreePicker& picker() const { return m_picker; }
    QPushButton* createButton() const { return m_create; }
    QPushButton* deleteButton() const { return m_delete; }

private:
    qint32 selectedId() const;
    void selectionMoved();

    TreePicker m_picker;
    TreeEditView* m_tree;
    QDialogButtonBox* m_buttons;
    QPushButton* m_create;
    QPushButton* m_delete;
};
