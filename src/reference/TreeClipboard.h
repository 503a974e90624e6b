#pragma once

// Cut, copy and paste inside one tree. Cut and Copy remember the selected id
// with a mode; Paste applies it to the selected target and keeps the mode, so
// it may be repeated; Undo forgets the mode.
//
// Paste does nothing unless a mode is set, both ids are above 0 (never the
// "[Transfers]" branch or an account), they differ, and both records
// still exist. A move never hangs a record under itself or its own
// descendants, so it cannot make a cycle. A copy makes one new record with the
// remembered name under the target; children are not copied.
//
// After a move or copy the caller makes the target the tree's remembered
// selection and refills it; after a project move it recomputes all project
// totals.

#include "reference/TreeTable.h"

class TreeClipboard {
public:
    enum class Mode { None, Move, Copy };
    enum class Outcome { Nothing, Moved, Copied, Failed };

    void cut(qint32 id) { remember(id, Mode::Move); }
    void copy(qint32 id) { remember(id, Mode::Copy); }
    void undo() { m_mode = Mode::None; }

    Mode mode() const { return m_mode; }
    qint32 remembered() const { return m_id; }

    Outcome paste(TreeTable& tree, qint32 target);

private:
    void remember(qint32 id, Mode mode);
    Outcome move(TreeTable& tree, qint32 target);
    Outcome copyInto(TreeTable& tree, qint32 target);

    qint32 m_id = 0;
    Mode m_mode = Mode::None;
};
