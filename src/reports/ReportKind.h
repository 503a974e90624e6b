#pragma once

// The three kinds of report, one view each.
enum class ReportKind { TransactionList, Categories, Projects };
