#pragma once

// The categories and projects a QIF import files its records under: looked up
// by path (ignoring case, ':' between levels) and made by path when missing,
// without asking.
//
// Each tree is read once, on its first lookup, into a map from path to id;
// the import then finds and makes paths through the map. Only the import
// writes to the trees while it runs, so the map stays true, and no file can
// make the import scan a tree again and again (a file of long paths that
// share no parent would otherwise cost a full scan per level of each path).
// The rules are those of the trees' own find and create by path: the first
// record in id order wins; a path is made below its longest existing parent
// path, an empty parent part standing for the root. One difference: a path
// that names the root (":Fuel", "All categories:Fuel") finds what it made
// before ("Fuel"), where the tree's find by path never would; so such a line
// does not make a new category on every record and every re-import.

#include "reference/Categories.h"
#include "reference/Projects.h"
#include "reference/TreeTable.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QifNames {
public:
    QifNames(Categories& categories, Projects& projects)
        : m_categories{categories.tree(), {}, false}, m_projects{projects.tree(), {}, false}
    {
    }

    // The category of a path, made when missing; 0 for an empty path and when
    // a write failed. `path` must not be a "[Account]" text.
    qint32 category(const QString& path) { return idOf(m_categories, path); }
    // The project of a path (a QIF class), made when missing; 0 likewise.
    qint32 project(const QString& path) { return idOf(m_projects, path); }

private:
    struct Tree {
        TreeTable& table;
        QHash<QString, qint32> ids;  // by case-folded path
        bool loaded;
    };

    // Where a missing path goes: `parts[next..]` are made below `parent`,
    // and the last of them then has the path `madePath`.
    struct Place {
        QStringList parts;
        qsizetype next = 0;
        qint32 parent = TreeTable::RootId;
        QString madePath;
    };

    static QString keyOf(const QString& path) { return path.toCaseFolded(); }
    // Keeps the id already held for the path: the first in id order wins.
    static void remember(Tree& tree, const QString& path, qint32 id);
    static void load(Tree& tree);
    static qint32 idOf(Tree& tree, const QString& path);
    static Place placeOf(Tree& tree, const QString& path);
    static qint32 create(Tree& tree, const Place& place);

    Tree m_categories;
    Tree m_projects;
};
