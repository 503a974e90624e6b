#pragma once

#include <QString>
#include <QtGlobal>

#include <map>

// One record of the Currency table as read: its number (the id other records
// and the rate properties refer to), code, symbol, name, and its rate texts
// keyed by the number of the other currency.
struct CurrencyRecord {
    qint32 number = 0;
    QString code;
    QString symbol;
    QString name;
    std::map<qint32, QString> rateTexts;
};
