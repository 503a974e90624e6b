#pragma once

#include "store/TransactionRecord.h"

// One transaction of the register as read from its record.
using RegisterEntry = TransactionRecord;
