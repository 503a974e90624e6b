#pragma once

#include "reference/ContactCard.h"

#include <QList>

// What reading the contacts store gave. A missing store is an empty one; a
// damaged one gives no cards at all, never the part that happened to read.
struct ContactStoreResult {
    enum class Status { Read, Missing, Damaged };

    Status status = Status::Read;
    QList<ContactCard> cards;  // in file order; empty unless Read

    static ContactStoreResult damaged() { return {Status::Damaged, {}}; }
};
