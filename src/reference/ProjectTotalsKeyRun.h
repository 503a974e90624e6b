#pragma once

// Visits one project's records of a table sorted by project key (the
// transaction table, the future list): the run of keys between idStartKey and
// idEndKey. Keys compare as text, so the run is checked against each record's
// project id and a record naming another project is passed over.

#include "store/DbTable.h"

#include <functional>

class ProjectTotalsKeyRun {
public:
    using Visit = std::function<void(const DbTable& record)>;

    // `table` must be open in its project-key order. `read`, when given, is
    // increased by every record read. False when a read failed.
    static bool forEach(DbTable& table, qint32 projectId, const Visit& visit, quint64* read = nullptr);
};
