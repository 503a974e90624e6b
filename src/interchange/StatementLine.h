#pragma once

// One line of a bank statement as every import format hands it to the
// import: a QIF record, an OFX transaction or a CSV row, reduced to what the
// book keeps of it.

#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>
#include <QStringList>

#include <optional>

struct StatementLine {
    FileTime date = 0;            // midnight of the line's day
    bool dateValid = false;       // a line without a valid date is dropped
    std::optional<Money> amount;  // nullopt: out of the store's range, and the line is dropped
    QString description;          // the payee; "" becomes "untitled transaction"
    QString memo;
    QString contact;  // an address line
    QString number;   // check number
    int status = 0;   // 1 cleared, 2 reconciled
    // Category and project paths ("" for none), made by path when missing.
    QString category;
    QString project;
    // Every path the line named, made even when the line ends up without it.
    QStringList namedCategories;
    QStringList namedProjects;
    // The bank's own id of the line (OFX FITID); "" when the format has none.
    QString fitId;
};
