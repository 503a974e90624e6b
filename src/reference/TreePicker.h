#pragma once

// The choosing rules of the two selection dialogs ("Category & [Transfer] List"
// and "Select Project") without their windows: which buttons a selected item
// enables, what OK gives back, and the item "Create..." adds. Each picker is
// made once and remembers its last chosen id for the next opening.

#include "reference/TreeTable.h"

#include <QString>

class TreePicker {
public:
    enum class Kind { Category, Project };
    static constexpr const char* NewCategoryText = "<_New_Category_>";
    static constexpr const char* NewProjectText = "<_New_Project_>";

    explicit TreePicker(Kind kind) : m_kind(kind) {}

    // OK: any category item but the root and the "[Transfers]" branch (so an
    // account may be chosen); any project.
    bool canAccept(qint32 id) const;
    bool canDelete(qint32 id) const { return id > TreeTable::RootId; }
    bool canCreate(qint32 id) const { return id > 0; }

    // OK: gives the selected id back and remembers it when it is not 0. Cancel gives 0.
    qint32 accept(qint32 id);
    qint32 remembered() const { return m_remembered; }

    QString newItemText() const;
    // "Create...": a new child of `selected` under the new-item name, for the
    // label edit that follows (TreeTable::rename). 0 when not enabled or not written.
    qint32 createChild(TreeTable& tree, qint32 selected) const;

private:
    Kind m_kind;
    qint32 m_remembered = 0;
};
