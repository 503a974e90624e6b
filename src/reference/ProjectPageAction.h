#pragma once

#include "platform/StoreTypes.h"

#include <QString>

// What a double tap (or Enter, or "I") on a row of the project page asks for.
struct ProjectPageAction {
    enum class Kind {
        None,
        SelectProject,     // select projectId in the tree
        TransactionPopup,  // the "Current Transaction" popup of `record` (account key `accountKey`)
        PlannedPopup,      // the "Planned Transaction" popup of the future-list `record`
    };
    Kind kind = Kind::None;
    qint32 projectId = 0;
    RecordId record = 0;
    QString accountKey;
};
