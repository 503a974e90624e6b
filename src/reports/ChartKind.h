#pragma once

// The charts of a report: pie and bar for the categories and projects
// reports, the running-total line for the transaction list.
enum class ChartKind { Pie, Bar, Line };
