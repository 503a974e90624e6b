#pragma once

// A book for the planner tests: USD (number 1, "$") and EUR (number 2, EUR ->
// USD at 1.1), the category and project roots, accounts Cash (1, USD) and
// Savings (2, EUR), the future list with its horizon, a clock pinned to
// 2024-03-05 10:00 and scripted answers. Plans and transactions can be
// written straight into the tables, bypassing the code under test.

#include "planning/FutureList.h"
#include "planning/PlannerEditor.h"
#include "planning/PlannerEntry.h"
#include "platform/FixedClock.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "store/SortScope.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

inline FileTime at(int year, int month, int day, int hour = 0, int minute = 0)
{
    return fileTimeFromLocal(LocalTime{year, month, day, hour, minute, 0, 0}).value_or(0);
}

// What a raw plan is written with; the fields left alone are those of a
// monthly plan of five payments of 50.00 USD from 10 January 2024.
struct RawPlan {
    qint32 id = 1;
    FileTime start = at(2024, 1, 10, 9);
    FileTime next = 0;  // the start when 0
    QString description = QStringLiteral("Rent");
    qint64 amount = -5000;
    QString currency = QStringLiteral("USD");
    qint32 rule = 5;
    qint32 entries = 5;
    qint32 completed = 0;
    qint32 category = 0;
    qint32 project = 0;
    QString note = {};
    bool stopped = false;
};

class PlannerTestBook {
public:
    static constexpr qint32 Cash = 1;
    static constexpr qint32 Savings = 2;

    TempBook book;
    CurrencyCache currencies{book.tables().currencies()};
    Categories categories{book.tables()};
    Projects projects{book.tables()};
    ProjectTotals totals{book.tables(), projects, currencies};
    FileTime horizon = 0;
    FutureList future{book.tables(), totals, QLocale::c(), horizon};
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0, 0}};
    LocaleValues locale;
    ScriptedInteraction ui;

    PlannerTestBook()
    {
        addCurrency(1, "USD", "$", {});
        addCurrency(2, "EUR", "eu", {1, "1.10000"});
        EXPECT_TRUE(currencies.reload());
        EXPECT_TRUE(categories.ensureRoot());
        EXPECT_TRUE(projects.ensureRoot());
        addAccount(Cash, QStringLiteral("Cash"), QStringLiteral("USD"));
        addAccount(Savings, QStringLiteral("Savings"), QStringLiteral("EUR"));
    }

    TableSet& tables() { return book.tables(); }
    FileTime now() const { return *fileTimeFromLocal(clock.now()); }

    PlannerEditorContext editorContext()
    {
        return PlannerEditorContext{tables(), currencies, categories, projects, future, clock, locale, ui};
    }

    void addCurrency(qint32 number, const char* code, const char* symbol, std::pair<qint32, const char*> rate)
    {
        DbTable& t = tables().currencies();
        t.beginNew();
        t.setInt(Prop::CurrencyNumber, number);
        t.setText(Prop::CurrencyCode, QString::fromUtf8(code));
        t.setText(Prop::Symbol, QString::fromUtf8(symbol));
        if (rate.second)
            t.setText(Prop::currencyRateTo(rate.first), QString::fromUtf8(rate.second));
        ASSERT_TRUE(t.setText(Prop::CurrencyName, QString::fromUtf8(code), true));
    }

    void addAccount(qint32 id, const QString& name, const QString& currency)
    {
        DbTable& a = tables().accounts();
        a.beginNew();
        a.setInt(Prop::AccountId, id);
        a.setText(Prop::Name, name);
        ASSERT_TRUE(a.setText(Prop::CurrencyCode, currency, true));
    }

    void addPlan(const RawPlan& p)
    {
        DbTable& t = tables().planner();
        t.beginNew();
        t.setInt(Prop::PlannerId, p.id);
        t.setInt64(Prop::Date, p.start);
        t.setInt64(Prop::NextDate, p.next != 0 ? p.next : p.start);
        t.setText(Prop::Name, p.description);
        t.setInt64(Prop::Amount, p.amount);
        t.setText(Prop::CurrencyCode, p.currency);
        t.setInt(Prop::Recurrence, p.rule);
        t.setInt(Prop::Entries, p.entries);
        t.setInt(Prop::Completed, p.completed);
        t.setInt(Prop::CategoryId, p.category);
        t.setInt(Prop::ProjectId, p.project);
        if (!p.note.isEmpty())
            t.setText(Prop::Note, p.note);
        ASSERT_TRUE(t.setInt(Prop::Stopped, p.stopped ? 1 : 0, true));
    }

    // A transaction posted from plan `plannerId` for the occurrence of
    // `planned`, booked in `account` at `booked`. Returns its account key.
    QString addPosting(qint32 plannerId, FileTime planned, qint32 account, FileTime booked, qint64 amount,
                       bool partial = false)
    {
        const QString key = fullKey(account, booked);
        DbTable& d = tables().transactions();
        d.beginNew();
        d.setText(Prop::AccountKey, key);
        d.setInt(Prop::AccountId, account);
        d.setInt64(Prop::Date, booked);
        d.setText(Prop::Name, QStringLiteral("posted"));
        d.setInt64(Prop::Amount, amount);
        d.setText(Prop::CurrencyCode, QStringLiteral("USD"));
        d.setText(Prop::PlannerKey, fullKey(plannerId, planned));
        d.setInt(Prop::PlannerId, plannerId);
        d.setInt64(Prop::PlannedDate, planned);
        d.setInt64(Prop::PostedAmount, amount);
        d.setInt64(Prop::PartialPosting, partial ? 1 : 0);
        EXPECT_TRUE(d.setInt64(Prop::Balance, 0, true));
        return key;
    }

    std::optional<PlannerEntry> plan(qint32 id)
    {
        SortScope scope(tables().planner(), Prop::PlannerId);
        return PlannerEntry::find(tables().planner(), id);
    }

    // Seeks the transaction with that account key; false when it is gone.
    bool seekTransaction(const QString& key)
    {
        return tables().transactions().seekText(SeekKind::Equal, key);
    }
};
