#pragma once

// The information popup of a register row. A transaction row gives "Current
// Transaction": one line per field (label, ':', a tab, the value), the
// transfer's other side and, between currencies, the rate the two sides imply;
// then "Edit...". A future row gives "Planned Transaction": the occurrence's
// description, date and outstanding amount in its own currency, and what its
// plan gives a posting (number, mark, transfer account or category, project,
// contact, note); then "Edit...".

#include "accounts/Register.h"
#include "reference/Categories.h"
#include "reference/Projects.h"
#include "toolkit/PopupLines.h"

#include <optional>

class RegisterInfo {
public:
    static constexpr const char* TitleText = "Current Transaction";
    static constexpr const char* PlannedTitleText = "Planned Transaction";
    static constexpr const char* EditText = "Edit...";

    RegisterInfo(Register& reg, TableSet& tables, Categories& categories, Projects& projects,
                 const CurrencyCache& currencies, const LocaleValues& locale);

    // nullopt for a row that is neither a transaction nor a future row, or
    // that cannot be read.
    std::optional<PopupLines> build(qint64 row);

    static QString markLabel(ReconcileMark mark);
    // "Convert 1 " + the smaller side's code + " = " + larger / smaller with
    // five decimals + " " + the larger side's code. nullopt when a side is 0:
    // no rate can be told then.
    static std::optional<QString> convertLine(Money amount, const QString& code, Money otherAmount,
                                              const QString& otherCode);

private:
    struct OtherSide {
        QString accountName;
        Money amount;
        QString currency;
    };
    std::optional<PopupLines> buildTransaction(qint64 row);
    std::optional<PopupLines> buildPlanned(qint64 row);
    std::optional<OtherSide> otherSide(const RegisterEntry& e);
    void addPlannedTransfer(PopupLines& popup, const FutureEntry& e);
    void addTransfer(PopupLines& popup, const RegisterEntry& e);
    QString amountText(Money amount, const QString& code) const;

    Register& m_register;
    TableSet& m_tables;
    Categories& m_categories;
    Projects& m_projects;
    const CurrencyCache& m_currencies;
    const LocaleValues& m_locale;
};
