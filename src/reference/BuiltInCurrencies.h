#pragma once

// The 170 currencies the user chooses from when an account is created. Row k
// holds a code, a symbol and an English name. Codes are not unique: NLG and SAR
// each stand in two rows, and both rows of a pair denote the one stored currency
// of that code.

#include <QString>
#include <QStringView>

#include <optional>

struct BuiltInCurrency {
    const char* code;
    const char* symbol;
    const char* name;
};

// The form in which a currency is offered everywhere: "US Dollar (USD)".
QString currencyDisplayText(const QString& name, const QString& code);

class BuiltInCurrencies {
public:
    static constexpr int Count = 170;
    // The code of row 0: the default currency when none is set.
    static QString fallbackCode();

    // nullopt for a row outside 0 .. Count-1.
    static std::optional<BuiltInCurrency> row(int k);
    static QString code(int k);         // "" outside the rows
    static QString symbol(int k);       // "" outside the rows
    static QString name(int k);         // "" outside the rows
    static QString displayText(int k);  // name (code); "" outside the rows

    // The first row with that code (exact match); -1 when none has it.
    static int firstRowOf(QStringView code);
    // The name the start-up repair gives a stored currency of that code: the
    // name of the one row with that code. nullopt when no row has the code,
    // and when two rows have it (NLG, SAR): which of their names the user's
    // currency stands for cannot be told, so the stored name stays.
    static std::optional<QString> repairName(QStringView code);
};
