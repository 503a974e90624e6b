#pragma once

// The texts one transaction contributes to an exported file, shared by the
// QIF and the text layouts. Every free text (description, note, number,
// contact, and the names in the paths) has its tabs, CRs, LFs and FFs turned
// into blanks, so no stored text can split a line or a column.

#include "platform/LocaleValues.h"
#include "reference/Categories.h"
#include "reference/Projects.h"
#include "store/DbTable.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QHash>
#include <QString>

struct ExportFields {
    FileTime date = 0;
    QString description;
    QString note;
    QString amount;    // "%.2f" of the units, the locale's decimal separator, no grouping
    QString category;  // path, "[" + account name + "]" for a transfer, "" for none
    QString project;   // path, "" for none
    QString status;    // "*" Cleared (C), "X" Reconciled (R), "" Unreconciled
    QString number;
    QString contact;  // also trimmed of blanks at both ends
};

// "-12.50" with a point for separator: two decimals, a minus for payments, no grouping.
QString exportAmountText(Money amount, QChar decimalSeparator);

// Reads the fields of transaction records; keeps the paths it has looked up,
// so an account with many transactions under few categories costs few lookups.
class ExportFieldReader {
public:
    ExportFieldReader(Categories& categories, Projects& projects, const LocaleValues& locale)
        : m_categories(categories), m_projects(projects), m_locale(locale)
    {
    }

    // The fields of the transaction that `transactions` has current.
    ExportFields read(const DbTable& transactions);

private:
    QString categoryPath(qint32 id);
    QString projectPath(qint32 id);

    Categories& m_categories;
    Projects& m_projects;
    const LocaleValues& m_locale;
    QHash<qint32, QString> m_categoryPaths;
    QHash<qint32, QString> m_projectPaths;
};
