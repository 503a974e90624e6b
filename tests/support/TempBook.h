#pragma once

#include "platform/ObjectStore.h"
#include "store/TableSet.h"

#include <QTemporaryDir>

#include <memory>

// A book folder of its own for one test, removed afterwards, with its store
// open and the seven tables created and in their working sorts.
class TempBook {
public:
    TempBook();

    QString folder() const { return m_dir.path(); }
    QString storePath() const { return m_dir.filePath(QStringLiteral("tallyra.db")); }
    ObjectStore& store() { return *m_store; }
    TableSet& tables() { return m_tables; }
    // A second connection to the same store, as another program would have.
    std::unique_ptr<ObjectStore> openSecondConnection() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ObjectStore> m_store;
    TableSet m_tables;
};
