#pragma once

#include <QString>
#include <QtGlobal>

// One record of the category or the project table as the trees see it.
struct TreeRecord {
    qint32 id = 0;
    qint32 parent = 0;  // 0 for a root
    QString name;
    qint32 checkState = 0;  // 0 unchecked, 1 checked; kept for selection trees, not shown
};
