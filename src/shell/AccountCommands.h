#pragma once

#include "shell/CliCommandTable.h"

#include <QString>
#include <QTextStream>

#include <optional>

class MainBook;

// tallyra-cli's book and account commands: init, accounts, account-add,
// account-edit, account-delete.
class AccountCommands {
public:
    static void addTo(CliCommandTable& table);

    // Shared with the other command groups: an account named by id or exact
    // name; prints "no account ..." and gives nullopt when none is.
    static std::optional<qint32> resolve(MainBook& book, const QString& text, QTextStream& err);
    static int badUsage(QTextStream& err, const QString& message);
};
