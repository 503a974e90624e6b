#pragma once

// The first rows of a CSV file as a mapping reads them, for the mapping
// window's live preview: the fields of each row, and what the import would
// say about the first row it cannot read.

#include "interchange/CsvMapping.h"
#include "interchange/CsvReader.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct CsvPreview {
    std::vector<CsvRow> rows;  // header rows included
    int widest = 0;            // the most fields of a row
    QString problem;           // "" when every shown row reads

    // Reads up to `maxRows` rows of `head` (the file's first bytes).
    static CsvPreview of(const QByteArray& head, const CsvMapping& mapping, int maxRows);
};
