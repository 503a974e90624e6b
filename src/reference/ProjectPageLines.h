#pragma once

// The texts of the project page: the two summary lines and the lines a
// project's popups show. Amounts in the summary carry the default currency's
// symbol; amounts in the popups are plain money texts followed by a code.

#include "platform/LocaleValues.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotalsRecord.h"
#include "toolkit/PopupLines.h"

#include <QStringView>

class ProjectPageLines {
public:
    static constexpr const char* TotalLabel = "Total";
    static constexpr const char* PrognosisLabel = "Prognosis";
    static constexpr const char* ProjectLabel = "Project";
    static constexpr const char* DepositLabel = "Deposit: ";
    static constexpr const char* PaymentLabel = "Payment: ";
    static constexpr const char* ConvertedNote = "- Total amount of all currencies (converted)";
    static constexpr const char* DeleteText = "Delete\tDel";
    static constexpr const char* CountLabel = "Count Transactions:";

    // "Total: " and the amount with the default currency's symbol.
    static QString totalLine(Money net, const CurrencyCache& currencies, QStringView defaultCode,
                             const LocaleValues& locale);
    // "Prognosis: " and the amount with the default currency's symbol.
    static QString prognosisLine(Money planned, const CurrencyCache& currencies, QStringView defaultCode,
                                 const LocaleValues& locale);

    // "Project: name"; a separator; for each cached currency, in cache order,
    // a deposit line and a payment line for its non-zero own sums and a
    // separator after a currency that printed one; the converted total line.
    static PopupLines projectLines(const ProjectTotalsRecord& project, const CurrencyCache& currencies,
                                   QStringView defaultCode, const LocaleValues& locale);
    // The project lines and "Delete\tDel".
    static PopupLines contextMenu(const ProjectTotalsRecord& project, const CurrencyCache& currencies,
                                  QStringView defaultCode, const LocaleValues& locale);
    // The project lines and the count of transaction rows (0 when negative).
    static PopupLines totalPopup(const ProjectTotalsRecord& project, int transactionRows,
                                 const CurrencyCache& currencies, QStringView defaultCode,
                                 const LocaleValues& locale);

private:
    static QString labelled(const char* label, const QString& value);
    static bool addCurrencyLines(PopupLines& popup, const ProjectTotalsRecord& project,
                                 const CachedCurrency& currency, const LocaleValues& locale);
};
