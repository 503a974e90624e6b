#pragma once

// The first pass of a restore: the whole backup file read to its end item
// without touching the book, so a damaged file is found out before anything
// is replaced. It keeps only what is small: the setting items and the number
// of records of the saved tables.

#include <QByteArrayView>
#include <QString>

#include <vector>

struct RestoreSetting {
    QString section;
    QString key;
    bool isText = true;
    QString text;
    qint32 number = 0;
};

struct RestoreScan {
    bool complete = false;  // the end item was reached with every item before it readable
    qint64 records = 0;     // records of the saved tables (unknown sections not counted)
    std::vector<RestoreSetting> settings;

    // The whole data, header included.
    static RestoreScan of(QByteArrayView data);
};
