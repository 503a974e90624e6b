#pragma once

#include "store/DbTable.h"

#include <optional>

// Sets `prop` to 0 on every record of `table` whose `prop` is `id`, and drops the
// property `alsoRemove` from those records when one is given (a project key
// that would still name a deleted project). The records are walked in creation
// order, where no write moves them, and the table is left in the order it was in.
// False when a write failed; the records before it are changed then, so the
// caller runs it inside a StoreTransaction.
bool clearReferences(DbTable& table, quint16 prop, qint32 id,
                     std::optional<quint16> alsoRemove = std::nullopt);
