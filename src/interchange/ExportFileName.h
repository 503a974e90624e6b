#pragma once

// The export dialog's file name follows its format: choosing a text format
// turns the first ".qif" of the name, and everything after it, into ".txt";
// choosing QIF turns the first ".txt" and what follows into ".qif". The
// extension is found whatever its letter case (".QIF" too); a name without it
// stays as it is.

#include "interchange/ExportFormat.h"

#include <QString>

namespace ExportFileName {

QString forFormat(const QString& name, ExportFormat format);

}  // namespace ExportFileName
