#pragma once

// A book for the project totals and project page tests: currencies written
// straight into the Currency table (USD number 1, EUR number 2 with EUR -> USD
// at 1.1), a project tree, and writers for transactions and future-list
// entries that bypass the code under test.
//
// Tree: All projects(1) > Home(2) > Garden(3) > Pond(4); Home > Kitchen(5); Work(6)

#include "reference/CurrencyCache.h"
#include "reference/ProjectTotals.h"
#include "reference/Projects.h"
#include "store/FileTime.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

inline FileTime when(int y, int mo, int d, int h = 12, int mi = 0)
{
    return fileTimeFromLocal(LocalTime{y, mo, d, h, mi, 0, 0}).value_or(0);
}

class ProjectTotalsTestBook {
public:
    static constexpr qint64 Max = std::numeric_limits<qint64>::max();

    TempBook book;
    Projects projects{book.tables()};
    CurrencyCache currencies{book.tables().currencies()};
    ProjectTotals totals{book.tables(), projects, currencies};
    ScriptedInteraction ui;
    int minute = 0;  // keeps every transaction's key distinct

    TableSet& tables() { return book.tables(); }
    DbTable& table() { return tables().projects(); }

    void addCurrency(qint32 number, const char* code, const char* symbol,
                     std::pair<qint32, const char*> rate = {})
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

    void makeStandardBook()
    {
        addCurrency(1, "USD", "$");
        addCurrency(2, "EUR", "eu", {1, "1.10000"});
        ASSERT_TRUE(currencies.reload());
        ASSERT_TRUE(projects.ensureRoot());
        ASSERT_EQ(projects.create(1, QStringLiteral("Home")), 2);
        ASSERT_EQ(projects.create(2, QStringLiteral("Garden")), 3);
        ASSERT_EQ(projects.create(3, QStringLiteral("Pond")), 4);
        ASSERT_EQ(projects.create(2, QStringLiteral("Kitchen")), 5);
        ASSERT_EQ(projects.create(1, QStringLiteral("Work")), 6);
    }

    // A transaction of `account`, filed under `project`, with its project key
    // made from the same date as the program does. Returns its account key.
    QString addTransaction(qint32 project, qint64 amount, const char* code = "USD", qint32 account = 1,
                           qint32 category = 0, qint32 mark = 0, const QString& name = QStringLiteral("Shop"))
    {
        DbTable& t = tables().transactions();
        const FileTime at = addMilliseconds(when(2003, 12, 5, 9), 60'000LL * minute++);
        const QString key = fullKey(account, at);
        t.beginNew();
        EXPECT_TRUE(
            t.setText(Prop::AccountKey, key) && t.setInt(Prop::AccountId, account) &&
            t.setInt64(Prop::Date, at) && t.setText(Prop::Name, name) && t.setInt64(Prop::Amount, amount) &&
            t.setText(Prop::CurrencyCode, QString::fromUtf8(code)) && t.setInt(Prop::CategoryId, category) &&
            t.setInt(Prop::Mark, mark) && t.setInt(Prop::ProjectId, project));
        if (project > 0) {
            EXPECT_TRUE(t.setText(Prop::ProjectKey, fullKey(project, at)));
        }
        EXPECT_TRUE(t.setInt64(Prop::Balance, 0, true));
        return key;
    }

    // A transaction whose key and project field disagree (damaged data).
    void addMismatched(qint32 keyProject, qint32 fieldProject, qint64 amount)
    {
        DbTable& t = tables().transactions();
        const FileTime at = addMilliseconds(when(2003, 12, 5, 9), 60'000LL * minute++);
        t.beginNew();
        EXPECT_TRUE(
            t.setText(Prop::AccountKey, fullKey(1, at)) && t.setInt(Prop::AccountId, 1) &&
            t.setInt64(Prop::Date, at) && t.setInt64(Prop::Amount, amount) &&
            t.setText(Prop::CurrencyCode, QStringLiteral("USD")) && t.setInt(Prop::ProjectId, fieldProject) &&
            t.setText(Prop::ProjectKey, fullKey(keyProject, at)) && t.setInt64(Prop::Balance, 0, true));
    }

    void setAmount(const QString& accountKey, qint64 amount)
    {
        DbTable& t = tables().transactions();
        ASSERT_TRUE(t.seekText(SeekKind::Equal, accountKey));
        ASSERT_TRUE(t.setInt64(Prop::Amount, amount));
    }

    void addScheduled(qint32 project, FileTime at, qint64 amount, const char* code = "USD",
                      const QString& name = QStringLiteral("Rent"))
    {
        DbTable& t = tables().scheduled();
        t.beginNew();
        EXPECT_TRUE(
            t.setInt64(Prop::Date, at) && t.setInt(Prop::PlannerId, 1) && t.setText(Prop::Name, name) &&
            t.setInt(Prop::ProjectId, project) && t.setText(Prop::ProjectKey, fullKey(project, at)) &&
            t.setText(Prop::CurrencyCode, QString::fromUtf8(code)) && t.setInt64(Prop::Amount, amount, true));
    }

    // Own deposits, own payments, subtree deposits, subtree payments, valid.
    std::vector<qint64> row(qint32 id)
    {
        if (!table().seekInt(SeekKind::Equal, id))
            return {};
        return {table().getInt64(Prop::OwnDeposits), table().getInt64(Prop::OwnPayments),
                table().getInt64(Prop::TreeDeposits), table().getInt64(Prop::TreePayments),
                table().getInt(Prop::TotalsValid)};
    }
    qint64 field(qint32 id, quint16 prop)
    {
        EXPECT_TRUE(table().seekInt(SeekKind::Equal, id));
        return table().getInt64(prop);
    }
    bool hasField(qint32 id, quint16 prop)
    {
        EXPECT_TRUE(table().seekInt(SeekKind::Equal, id));
        return table().has(prop);
    }
    void setParent(qint32 id, qint32 parent)
    {
        ASSERT_TRUE(table().seekInt(SeekKind::Equal, id));
        ASSERT_TRUE(table().setInt(Prop::Parent, parent));
    }
    void setValid(qint32 id, qint32 valid)
    {
        ASSERT_TRUE(table().seekInt(SeekKind::Equal, id));
        ASSERT_TRUE(table().setInt(Prop::TotalsValid, valid));
    }
    // Every project's totals in id order, one line each, as the totals read
    // them (a missing field and a zero one read alike): to compare two ways of
    // computing.
    std::vector<std::string> snapshot()
    {
        std::vector<std::string> all;
        for (qint64 p = 0; p < table().count(); ++p) {
            EXPECT_TRUE(table().moveTo(p));
            const ProjectTotalsRecord r = ProjectTotalsRecord::readFrom(table());
            std::string line = std::to_string(r.id) + " own " + std::to_string(r.ownDeposits.hundredths()) +
                               "/" + std::to_string(r.ownPayments.hundredths()) + " tree " +
                               std::to_string(r.treeDeposits.hundredths()) + "/" +
                               std::to_string(r.treePayments.hundredths()) + (r.valid ? " valid" : " stale");
            for (const auto& [number, sum] : r.depositsByCurrency)
                line += " +" + std::to_string(number) + ":" + std::to_string(sum.hundredths());
            for (const auto& [number, sum] : r.paymentsByCurrency)
                line += " -" + std::to_string(number) + ":" + std::to_string(sum.hundredths());
            all.push_back(line);
        }
        return all;
    }
};
