#pragma once

// The second pass of a restore: the book's records replaced by those of a
// backup file, in one store transaction, so the book holds either all of the
// file or, after any failure, exactly what it held before.
//
// Every table is emptied, the future list included; the password-lock record
// is the one record kept, so the book keeps its password (a file's records of
// that account are dropped).

#include "interchange/BackupLayout.h"
#include "interchange/RestoreCheck.h"
#include "platform/Interaction.h"
#include "store/TableSet.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

class RestoreLoader {
public:
    // Followed by the table's store name when its section starts.
    static constexpr const char* ProgressText = "Restore data ";
    static constexpr const char* CompleteText = "Complete";
    // The progress bar: one step per saved table.
    static constexpr qint64 Steps = 6;

    RestoreLoader(TableSet& tables, Interaction& ui) : m_tables(tables), m_ui(ui) {}

    // `data` is a whole backup file that RestoreScan found complete. True when
    // every record was written and the transaction committed. The cursors end
    // in their working sorts either way.
    bool load(QByteArrayView data);
    // Why the last load() refused the file: the first record that contradicts
    // itself or the others (RestoreCheck); "" when the file was not refused.
    const QString& problem() const { return m_check.problem(); }

private:
    bool replace(QByteArrayView data);
    bool takeLockRecords();
    bool emptyTable(DbTable& table);
    bool fill(QByteArrayView data);
    void startSection(const QString& name);
    void addProperty(PropValue value);
    bool finishRecord();
    bool queue(TableKind kind, PropList props);
    bool flush();

    TableSet& m_tables;
    Interaction& m_ui;
    std::vector<PropList> m_lockRecords;
    // The record being read from the file and where it goes.
    const BackupSection* m_section = nullptr;
    bool m_pending = false;
    PropList m_props;
    qint64 m_steps = 0;
    // Records waiting to be written, all of one table.
    std::vector<PropList> m_batch;
    TableKind m_batchKind = TableKind::Transaction;
    RestoreCheck m_check;
};
