#pragma once

// A book for the report tests: a TempBook with writers for the few records a
// report reads.

#include "store/FileTime.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

inline FileTime at(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, int ms = 0)
{
    return fileTimeFromLocal(LocalTime{y, mo, d, h, mi, s, ms}).value_or(0);
}

struct TransactionSpec {
    qint32 account = 1;
    FileTime date = 0;
    qint64 amount = 0;
    QString description;
    QString currency = QStringLiteral("USD");
    qint32 category = 0;
    qint32 project = 0;
    QString note;
    QString contact;
    QString number;
    qint32 mark = 0;
};

class ReportBook {
public:
    TempBook book;

    TableSet& tables() { return book.tables(); }

    void addAccount(qint32 id, const QString& name, const QString& code = QStringLiteral("USD"))
    {
        DbTable& t = tables().accounts();
        t.beginNew();
        ASSERT_TRUE(t.setInt(Prop::AccountId, id) && t.setText(Prop::Name, name) &&
                    t.setText(Prop::CurrencyCode, code, true));
    }

    void addCurrency(qint32 number, const QString& code)
    {
        DbTable& t = tables().currencies();
        t.beginNew();
        ASSERT_TRUE(t.setInt(Prop::CurrencyNumber, number) && t.setText(Prop::CurrencyCode, code, true));
    }

    void addTreeRecord(DbTable& t, quint16 idProp, qint32 id, qint32 parent, const QString& name)
    {
        t.beginNew();
        ASSERT_TRUE(t.setInt(idProp, id) && t.setInt(Prop::Parent, parent) &&
                    t.setText(Prop::Name, name, true));
    }
    void addCategory(qint32 id, qint32 parent, const QString& name)
    {
        addTreeRecord(tables().categories(), Prop::CategoryId, id, parent, name);
    }
    void addProject(qint32 id, qint32 parent, const QString& name)
    {
        addTreeRecord(tables().projects(), Prop::ProjectId, id, parent, name);
    }

    // The record's id in the store, so a test can make it current again.
    RecordId addTransaction(const TransactionSpec& s)
    {
        DbTable& t = tables().transactions();
        t.beginNew();
        bool ok = t.setText(Prop::AccountKey, fullKey(s.account, s.date)) &&
                  t.setInt(Prop::AccountId, s.account) && t.setInt64(Prop::Date, s.date) &&
                  t.setText(Prop::Name, s.description) && t.setInt64(Prop::Amount, s.amount) &&
                  t.setInt(Prop::CategoryId, s.category) && t.setInt(Prop::ProjectId, s.project) &&
                  t.setText(Prop::Note, s.note) && t.setText(Prop::Contact, s.contact) &&
                  t.setText(Prop::Number, s.number) && t.setInt(Prop::Mark, s.mark);
        if (!s.currency.isEmpty())
            ok = ok && t.setText(Prop::CurrencyCode, s.currency);
        ok = ok && t.setInt64(Prop::Balance, 0, true);
        EXPECT_TRUE(ok);
        return t.recordId();
    }
};
