#pragma once

// A book for the QIF import tests: USD and EUR, the two tree roots, accounts
// written straight into the tables, the clock pinned at 2024-03-05 10:00 and
// a scripted user. Imports run from bytes held in memory.

#include "accounts/AccountCheck.h"
#include "accounts/AccountRun.h"
#include "interchange/QifImport.h"
#include "interchange/QifLineReader.h"
#include "platform/FixedClock.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <QBuffer>

#include <gtest/gtest.h>

struct QifRow {
    QString key;
    FileTime date = 0;
    QString description;
    qint64 amount = 0;
    qint64 balance = 0;
    QString memo;
    QString contact;
    QString number;
    QString currency;
    int mark = 0;
    int importMark = 0;
    qint32 category = 0;
    qint32 project = 0;
    QString projectKey;
};

class QifImportTestBook {
public:
    QifImportTestBook()
    {
        addCurrency(1, "USD");
        addCurrency(2, "EUR");
        EXPECT_TRUE(currencies.reload());
        EXPECT_TRUE(categories.ensureRoot());
        EXPECT_TRUE(projects.ensureRoot());
        addAccount(1, "Cash", "USD");
        addAccount(2, "Savings", "EUR");
    }

    TableSet& tables() { return book.tables(); }

    void addCurrency(qint32 number, const char* code)
    {
        DbTable& t = tables().currencies();
        t.beginNew();
        t.setInt(Prop::CurrencyNumber, number);
        t.setText(Prop::CurrencyCode, QString::fromLatin1(code));
        ASSERT_TRUE(t.setText(Prop::CurrencyName, QString::fromLatin1(code), true));
    }

    void addAccount(qint32 id, const char* name, const char* currency)
    {
        DbTable& a = tables().accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, id);
        a.setText(Prop::Name, QString::fromLatin1(name));
        a.setInt64(Prop::Balance, 0);
        ASSERT_TRUE(a.setText(Prop::CurrencyCode, QString::fromLatin1(currency), true));
    }

    // A transaction written straight into account 1 at `when`, with a
    // running balance of 0 that only a recalculation puts right.
    QString addTransaction(const LocalTime& when, const char* description, qint64 amount,
                           const char* number = "", qint32 category = 0, const char* memo = "", int mark = 0,
                           int importMark = 0)
    {
        const FileTime t = *fileTimeFromLocal(when);
        const QString key = fullKey(1, t);
        DbTable& d = tables().transactions();
        d.beginNew();
        d.setText(Prop::AccountKey, key);
        d.setInt(Prop::AccountId, 1);
        d.setInt64(Prop::Date, t);
        d.setText(Prop::Name, QString::fromUtf8(description));
        d.setInt64(Prop::Amount, amount);
        d.setText(Prop::CurrencyCode, QStringLiteral("USD"));
        if (*memo)
            d.setText(Prop::Note, QString::fromUtf8(memo));
        if (*number)
            d.setText(Prop::Number, QString::fromUtf8(number));
        d.setInt(Prop::Mark, mark);
        d.setInt(Prop::CategoryId, category);
        if (importMark)
            d.setInt(Prop::ImportMark, importMark);
        EXPECT_TRUE(d.setInt64(Prop::Balance, 0, true));
        return key;
    }

    QifImport importer()
    {
        return QifImport(QifImportContext{tables(), categories, projects, totals, QStringLiteral("USD"),
                                          clock, locale, codePage, ui});
    }

    QifImportResult import(const QByteArray& qif, qint32 account = 1)
    {
        QBuffer buffer;
        buffer.setData(qif);
        buffer.open(QIODevice::ReadOnly);
        return importer().importDevice(buffer, account);
    }

    std::vector<QifRow> rows(qint32 account = 1)
    {
        std::vector<QifRow> out;
        DbTable& t = tables().transactions();
        const AccountRun run = AccountRun::locate(t, account);
        for (qint64 p = run.first; p < run.end(); ++p) {
            EXPECT_TRUE(t.moveTo(p));
            out.push_back(QifRow{t.getText(Prop::AccountKey), t.getInt64(Prop::Date), t.getText(Prop::Name),
                                 t.getInt64(Prop::Amount), t.getInt64(Prop::Balance), t.getText(Prop::Note),
                                 t.getText(Prop::Contact), t.getText(Prop::Number),
                                 t.getText(Prop::CurrencyCode), t.getInt(Prop::Mark),
                                 t.getInt(Prop::ImportMark), t.getInt(Prop::CategoryId),
                                 t.getInt(Prop::ProjectId), t.getText(Prop::ProjectKey)});
        }
        t.moveTo(DbTable::NoRecord);
        return out;
    }

    qint64 accountTotal(qint32 id)
    {
        DbTable& a = tables().accounts();
        return a.seekInt(SeekKind::Equal, id) ? a.getInt64(Prop::Balance) : -1;
    }

    QStringList problems() { return AccountCheck(tables()).problems(); }

    static FileTime day(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
    {
        return *fileTimeFromLocal(LocalTime{y, m, d, h, mi, s, ms});
    }

    TempBook book;
    CurrencyCache currencies{book.tables().currencies()};
    Categories categories{book.tables()};
    Projects projects{book.tables()};
    ProjectTotals totals{book.tables(), projects, currencies};
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0, 0}};
    LocaleValues locale;
    CodePage codePage = CodePage::defaultPage();
    ScriptedInteraction ui;
};
