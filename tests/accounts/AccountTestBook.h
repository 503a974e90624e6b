#pragma once

// A temporary book for the account tests: accounts and transactions written
// straight into the tables (bypassing the code under test), so a test states
// exactly what is stored, including damaged running balances.

#include "reference/CurrencyCache.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

struct RawTransaction {
    qint32 account = 0;
    LocalTime when;
    qint64 amount = 0;
    qint64 storedBalance = 0;
    ReconcileMark mark = ReconcileMark::Unreconciled;
    qint32 category = 0;
    QString link;
    QString currency = QStringLiteral("USD");
    QString description = QStringLiteral("t");
    QString number;

    static RawTransaction of(qint32 account, const LocalTime& when, qint64 amount, qint64 storedBalance = 0)
    {
        RawTransaction r;
        r.account = account;
        r.when = when;
        r.amount = amount;
        r.storedBalance = storedBalance;
        return r;
    }
};

class AccountTestBook {
public:
    AccountTestBook() : m_currencies(m_book.tables().currencies()) {}

    TableSet& tables() { return m_book.tables(); }
    ObjectStore& store() { return m_book.store(); }
    CurrencyCache& currencies() { return m_currencies; }

    void addAccount(qint32 id, const QString& name, qint64 total = 0,
                    const QString& currency = QStringLiteral("USD"))
    {
        DbTable& a = tables().accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, id);
        a.setText(Prop::Name, name);
        a.setInt64(Prop::Balance, total);
        ASSERT_TRUE(a.setText(Prop::CurrencyCode, currency, true));
    }

    // Returns the account key written.
    QString addTransaction(const RawTransaction& r)
    {
        const FileTime t = *fileTimeFromLocal(r.when);
        const QString key = fullKey(r.account, t);
        DbTable& d = tables().transactions();
        d.beginNew();
        d.setText(Prop::AccountKey, key);
        d.setInt(Prop::AccountId, r.account);
        d.setInt64(Prop::Date, t);
        d.setText(Prop::Name, r.description);
        d.setInt64(Prop::Amount, r.amount);
        d.setText(Prop::CurrencyCode, r.currency);
        d.setInt(Prop::Mark, static_cast<qint32>(r.mark));
        if (r.category != 0)
            d.setInt(Prop::CategoryId, r.category);
        if (!r.link.isEmpty())
            d.setText(Prop::TransferLink, r.link);
        if (!r.number.isEmpty())
            d.setText(Prop::Number, r.number);
        EXPECT_TRUE(d.setInt64(Prop::Balance, r.storedBalance, true));
        return key;
    }

    // Properties of the transaction with that key; Missing when there is none.
    static constexpr qint64 Missing = -999999;
    qint64 balanceOf(const QString& key)
    {
        return seek(key) ? tables().transactions().getInt64(Prop::Balance) : Missing;
    }
    qint64 markOf(const QString& key)
    {
        return seek(key) ? tables().transactions().getInt(Prop::Mark) : Missing;
    }
    qint64 categoryOf(const QString& key)
    {
        return seek(key) ? tables().transactions().getInt(Prop::CategoryId) : Missing;
    }
    bool seek(const QString& key) { return tables().transactions().seekText(SeekKind::Equal, key); }
    QString transactionText(const QString& key, quint16 id)
    {
        DbTable& d = tables().transactions();
        if (!d.seekText(SeekKind::Equal, key))
            return QStringLiteral("<missing>");
        return d.getText(id);
    }
    qint64 accountTotal(qint32 id)
    {
        DbTable& a = tables().accounts();
        return a.seekInt(SeekKind::Equal, id) ? a.getInt64(Prop::Balance) : -999999;
    }

    static LocalTime at(int day, int hour = 12, int ms = 0)
    {
        return LocalTime{2024, 3, day, hour, 0, 0, ms};
    }

private:
    TempBook m_book;
    CurrencyCache m_currencies;
};
