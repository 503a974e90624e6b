#pragma once

#include <QString>
#include <QStringView>

// Free text (descriptions, notes, contacts, numbers) written into a one-line
// field of an exported file: a tab, CR, LF or FF would break the text
// format's columns or end a QIF record early, so each becomes a blank.
QString singleLineField(QStringView text);
