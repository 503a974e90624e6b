#pragma once

// A temporary book whose Currency table the currency tests fill record by
// record, bypassing the code under test, so a test states exactly what is
// stored.

#include "reference/CurrencyCache.h"
#include "store/RecordLayout.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

class CurrencyBook {
public:
    DbTable& table() { return m_book.tables().currencies(); }
    ObjectStore& store() { return m_book.store(); }

    // Adds a record as an older version of the program or another tool might
    // have left it; `rates` are (other number, text) pairs.
    void add(qint32 number, const char* code, const char* symbol = "s", const char* name = "Name",
             std::initializer_list<std::pair<qint32, const char*>> rates = {})
    {
        DbTable& t = table();
        t.beginNew();
        t.setInt(Prop::CurrencyNumber, number);
        t.setText(Prop::CurrencyCode, QString::fromUtf8(code));
        t.setText(Prop::Symbol, QString::fromUtf8(symbol));
        for (const auto& [other, text] : rates)
            t.setText(Prop::currencyRateTo(other), QString::fromUtf8(text));
        ASSERT_TRUE(t.setText(Prop::CurrencyName, QString::fromUtf8(name), true));
    }

    // The text of a record's property, read straight from the table; "<none>"
    // when the record or the property is missing.
    QString text(qint32 number, quint16 id)
    {
        DbTable& t = table();
        if (!t.seekInt(SeekKind::Equal, number) || !t.has(id))
            return QStringLiteral("<none>");
        return t.getText(id);
    }
    QString rateText(qint32 number, qint32 other) { return text(number, Prop::currencyRateTo(other)); }

private:
    TempBook m_book;
};
