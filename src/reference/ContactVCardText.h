#pragma once

// Text rules of vCard values once they are decoded: structured values split at
// unescaped separators, backslash escapes undone, and the result made fit for
// one line of a list.

#include <QList>
#include <QString>
#include <QStringView>

// Splits at every `separator` that no backslash escapes; the escapes stay in
// the parts, so a part can be split again. Always at least one part.
QList<QStringView> splitUnescaped(QStringView text, QChar separator);

// \\ \; \, \: and \n or \N (a line break) become their characters. Any other
// backslash is kept with what follows it, as a 2.1 writer meant it ("C:\temp").
QString unescapeText(QStringView text);

// Control characters (line breaks and tabs among them) become blanks and the
// blanks around the text go, so a field fits into one line of the list.
QString cleanField(QStringView text);
