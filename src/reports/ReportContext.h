#pragma once

// What a report view works with: the book's tables, the currency list, the
// one filter, the locale values and the user. All owned by the report
// program's session; a view only borrows them.

class CurrencyCache;
class Interaction;
class ReportFilter;
class TableSet;
struct LocaleValues;

struct ReportContext {
    TableSet& tables;
    CurrencyCache& currencies;
    ReportFilter& filter;
    const LocaleValues& locale;
    Interaction& ui;
};
