#pragma once

// The lines of the text report: fields separated by tabs, each line ended by
// a single line feed. Every text from the book is cleaned (FreeText.h) so it
// cannot split a field or a line; amounts are in the plain form.

#include "platform/LocaleValues.h"
#include "reports/ReportKind.h"
#include "store/FileTime.h"
#include "store/Money.h"

#include <QString>
#include <QStringList>

class TextReportLayout {
public:
    // One transaction of the list, as found in the book.
    struct TransactionFields {
        QString accountName;
        FileTime date = 0;
        QString description;
        Money amount;
        QString currency;
        Money converted;  // in the report currency, rounded as the engine does
        QString reportCurrency;
        QString category;  // the path, or for a transfer "[" + other account + "]"
        QString project;
        QString contact;
        QString note;
        QString number;
        qint32 mark = 0;
    };

    // The fields, each but the last followed by a tab, the last by '\n'.
    static QString line(const QStringList& fields);
    static QString headerLine(ReportKind kind);
    // name, deposits, payment magnitude, deposits - payments, report currency.
    static QString groupLine(const QString& name, Money deposits, Money payments,
                             const QString& reportCurrency);
    static QString transactionLine(const TransactionFields& row, const LocaleValues& locale);
    // " " unreconciled, "C" cleared, "R" reconciled; " " for anything else.
    static QString markText(qint32 mark);
};
