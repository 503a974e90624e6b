#pragma once

// A book for the future-list tests: currencies (USD number 1 "$", EUR number 2
// "eu" at 1.1 USD), the two trees (category Rent 2, project House 2), the
// accounts Cash (1, USD) and Euro (2, EUR), the project totals and the future
// list over them. Plans and transactions are written straight into the tables,
// bypassing the code under test, so a test states exactly what is stored.

#include "planning/FutureList.h"
#include "planning/PlannerEntry.h"
#include "planning/RecurrenceRule.h"
#include "reference/Categories.h"
#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

inline FileTime day(int y, int mo, int d, int h = 8, int mi = 0)
{
    return fileTimeFromLocal(LocalTime{y, mo, d, h, mi, 0, 0}).value_or(0);
}

// A plan as the tests write it; unset fields stay out of the record.
struct PlanSpec {
    qint32 id = 1;
    FileTime start = day(2024, 1, 15);
    qint64 amount = -50000;
    QString currency = QStringLiteral("USD");
    qint32 rule = RecurrenceRule::Monthly;
    qint32 entries = RecurrenceRule::Ongoing;
    qint32 completed = 0;
    qint32 reminderDays = 0;
    qint32 category = 0;
    qint32 project = 0;
    QString description = QStringLiteral("Rent");
    QString note;
    QString number;
    QString contact;
    ReconcileMark mark = ReconcileMark::Unreconciled;
    bool stopped = false;
};

class PlanningTestBook {
public:
    static constexpr qint32 Cash = 1;
    static constexpr qint32 Euro = 2;
    static constexpr qint32 RentCategory = 2;
    static constexpr qint32 House = 2;

    TempBook book;
    CurrencyCache currencies{book.tables().currencies()};
    Categories categories{book.tables()};
    Projects projects{book.tables()};
    ProjectTotals totals{book.tables(), projects, currencies};
    FileTime horizon = 0;
    FutureList future{book.tables(), totals, QLocale(QLocale::English, QLocale::UnitedStates), horizon};
    ScriptedInteraction ui;
    LocaleValues locale;

    PlanningTestBook()
    {
        addCurrency(1, "USD", "$", {});
        addCurrency(2, "EUR", "eu", {1, "1.10000"});
        EXPECT_TRUE(currencies.reload());
        EXPECT_TRUE(categories.ensureRoot());
        EXPECT_EQ(categories.create(RootCategoryId, QStringLiteral("Rent")), RentCategory);
        EXPECT_TRUE(projects.ensureRoot());
        EXPECT_EQ(projects.create(RootProjectId, QStringLiteral("House")), House);
        addAccount(Cash, QStringLiteral("Cash"), QStringLiteral("USD"));
        addAccount(Euro, QStringLiteral("Euro"), QStringLiteral("EUR"));
    }

    TableSet& tables() { return book.tables(); }
    ObjectStore& store() { return book.store(); }

    void addCurrency(qint32 number, const char* code, const char* symbol, std::pair<qint32, const char*> rate)
    {
        DbTable& t = tables().currencies();
        t.beginNew();
        t.setInt(Prop::CurrencyNumber, number);
        t.setText(Prop::CurrencyCode, QString::fromUtf8(code));
        t.setText(Prop::Symbol, QString::fromUtf8(symbol));
        if (rate.second)
            t.setText(Prop::currencyRateTo(rate.first), QString::fromUtf8(rate.second));
        EXPECT_TRUE(t.setText(Prop::CurrencyName, QString::fromUtf8(code), true));
    }

    void addAccount(qint32 id, const QString& name, const QString& code)
    {
        DbTable& a = tables().accounts();
        a.beginNew();
        EXPECT_TRUE(a.setInt(Prop::AccountId, id) && a.setText(Prop::Name, name) &&
                    a.setInt64(Prop::Balance, 0) && a.setText(Prop::CurrencyCode, code, true));
    }

    void addPlan(const PlanSpec& p)
    {
        DbTable& t = tables().planner();
        t.beginNew();
        bool ok = t.setInt(Prop::PlannerId, p.id) && t.setInt64(Prop::Date, p.start) &&
                  t.setText(Prop::Name, p.description) && t.setInt64(Prop::Amount, p.amount) &&
                  t.setText(Prop::CurrencyCode, p.currency) && t.setInt(Prop::Recurrence, p.rule) &&
                  t.setInt64(Prop::NextDate, p.start) && t.setInt(Prop::Completed, p.completed) &&
                  t.setInt(Prop::Entries, p.entries) && t.setInt(Prop::Mark, static_cast<qint32>(p.mark));
        if (p.reminderDays > 0)
            ok = ok && t.setInt(Prop::ReminderMinutes, p.reminderDays * 1440);
        if (p.category != 0)
            ok = ok && t.setInt(Prop::CategoryId, p.category);
        if (p.project != 0)
            ok = ok && t.setInt(Prop::ProjectId, p.project);
        if (!p.note.isEmpty())
            ok = ok && t.setText(Prop::Note, p.note);
        if (!p.number.isEmpty())
            ok = ok && t.setText(Prop::Number, p.number);
        if (!p.contact.isEmpty())
            ok = ok && t.setText(Prop::Contact, p.contact);
        EXPECT_TRUE(ok && t.setInt(Prop::Stopped, p.stopped ? 1 : 0, true));
    }

    // A transaction posted for the occurrence of `plannerId` planned on
    // `planned`, dated `at` (its planned date unless given) in account Cash.
    // Returns its account key.
    QString addPosting(qint32 plannerId, FileTime planned, qint64 posted, bool partial,
                       std::optional<FileTime> at = std::nullopt)
    {
        const FileTime date = at.value_or(planned);
        const QString key = fullKey(Cash, date);
        DbTable& t = tables().transactions();
        t.beginNew();
        EXPECT_TRUE(t.setText(Prop::AccountKey, key) && t.setInt(Prop::AccountId, Cash) &&
                    t.setInt64(Prop::Date, date) && t.setInt64(Prop::Amount, posted) &&
                    t.setText(Prop::CurrencyCode, QStringLiteral("USD")) &&
                    t.setText(Prop::PlannerKey, fullKey(plannerId, planned)) &&
                    t.setInt(Prop::PlannerId, plannerId) && t.setInt64(Prop::PlannedDate, planned) &&
                    t.setInt64(Prop::PostedAmount, posted) &&
                    t.setInt64(Prop::PartialPosting, partial ? 1 : 0) && t.setInt64(Prop::Balance, 0, true));
        return key;
    }

    std::optional<PlannerEntry> plan(qint32 id) { return PlannerEntry::find(tables().planner(), id); }

    // (plan, date, amount, full amount) of every entry in list order.
    std::vector<ExpectedOccurrence> listed()
    {
        std::vector<ExpectedOccurrence> out;
        for (const FutureEntry& e : future.entries())
            out.push_back({e.plannerId, e.date, e.amount, e.fullAmount});
        return out;
    }
    std::vector<FileTime> listedDates()
    {
        std::vector<FileTime> out;
        for (const FutureEntry& e : future.entries())
            out.push_back(e.date);
        return out;
    }

    qint64 transactionCount() { return tables().transactions().count(); }

    // Makes the transaction with that account key current; false when there is none.
    bool seekTransaction(const QString& key)
    {
        return tables().transactions().seekText(SeekKind::Equal, key);
    }

    // Whether every shared cursor is back in its working sort.
    bool inWorkingSorts()
    {
        return tables().scheduled().sortId() == Prop::Date &&
               tables().planner().sortId() == Prop::PlannerId &&
               tables().transactions().sortId() == Prop::AccountKey &&
               tables().projects().sortId() == Prop::ProjectId;
    }

    // A posting of the entry at `position` into `account`.
    OccurrencePosting posting(qint64 position, qint64 amount, FileTime date, qint32 account = Cash,
                              const QString& currency = QStringLiteral("USD"))
    {
        OccurrencePosting p;
        p.position = position;
        p.account = account;
        p.accountCurrency = currency;
        p.accountAmount = Money::fromHundredths(amount);
        p.entryAmount = Money::fromHundredths(amount);
        p.date = date;
        return p;
    }
};

inline Money money(qint64 hundredths)
{
    return Money::fromHundredths(hundredths);
}
