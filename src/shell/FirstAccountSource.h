#pragma once

#include "accounts/AccountDraft.h"

#include <QString>
#include <QStringView>

#include <optional>

// Where start-up gets the first account of a new book: the "Create New
// Account" dialog in the window program, the arguments of `init` in
// tallyra-cli. nullopt means the user cancelled, and the program ends.
class FirstAccountSource {
public:
    virtual ~FirstAccountSource() = default;
    // `defaultCurrency` is the code the currency box preselects.
    virtual std::optional<AccountDraft> firstAccount(QStringView defaultCurrency) = 0;
};
