#pragma once

// The bench book of 10,000 projects (four levels under the root; project p
// hangs under p / 10, ids below 20 under the root) and 100,000 transactions,
// every one with a project; made on first use and kept for later runs.

#include <QString>

namespace ProjectsBook {

constexpr qint32 ProjectCount = 10'000;
constexpr qint64 TransactionCount = 100'000;
// A project four levels down: 5432 > 543 > 54 > 5 > the root.
constexpr qint32 DeepProject = 5432;

// The book's store file; empty when it could not be made.
QString storePath();

}  // namespace ProjectsBook
