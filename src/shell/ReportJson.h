#pragma once

// The JSON form of a built report, as tallyra-cli's `report ... --json`
// prints it. Amounts are integers of hundredths; payments are magnitudes
// everywhere (rows, totals and the per-currency parts); dates are
// "YYYY-MM-DDTHH:MM:SS.mmm".
//
//   {"rows": [...], "totals": {"net","deposits","payments","count"},
//    "per_currency": [{"code","deposits","payments"}], "currency": report currency}
//
// Group rows: {"key","label","deposits","payments","total","currency","counted"}.
// Transaction rows: {"id","account","account_id","date","description","amount",
// "currency","converted"}; "account" is the account's name, "id" the
// transaction's record id in the store. Only currencies with a non-zero part
// are listed in "per_currency". A transaction deleted since the build is left out.

#include <QJsonObject>

class GroupReportTable;
class TransactionListTable;

class ReportJson {
public:
    static QJsonObject of(const GroupReportTable& view);
    static QJsonObject of(TransactionListTable& view);
};
