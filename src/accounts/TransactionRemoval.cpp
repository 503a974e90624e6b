// PLACEHOLDER so the tree links while the removal is written; replaced whole.
#include "accounts/TransactionRemoval.h"

TransactionRemoval::Outcome TransactionRemoval::removeAt(TableSet&, qint64, FileTime) { return Outcome::Failed; }
TransactionRemoval::Outcome TransactionRemoval::removeByKey(TableSet&, const QString&, FileTime) { return Outcome::Failed; }
