#pragma once

// The QIF layout of an export: the dialect the QIF import reads back.
//
//   !Type:Cash
//   D<date>  P<description>  [M<note>]  T<amount>  L<category>[/<project>]
//   [C<status>]  [N<number>]  [A<contact> and four lines "A"]  ^
//
// one item per line, a record's lines in that order; after the last record
// one more line end.

#include "interchange/ExportFields.h"

#include <QString>
#include <QStringList>

namespace QifExport {

QString header();
// The lines of one record, without line ends. The date is the numeric export
// date: with `fullYearDates` the locale's order and the four-digit year.
QStringList recordLines(const ExportFields& fields, int dateOrder, bool fullYearDates);

}  // namespace QifExport
