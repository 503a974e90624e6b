#pragma once

// A book for the tree tests: the category and project trees over a TempBook,
// with writers for the records that refer to them.

#include "reference/Categories.h"
#include "reference/Projects.h"
#include "store/FileTime.h"
#include "store/KeyText.h"
#include "store/RecordLayout.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

inline FileTime at(int y, int mo, int d, int h = 12, int mi = 0)
{
    return fileTimeFromLocal(LocalTime{y, mo, d, h, mi, 0, 0}).value_or(0);
}

class TreeTestBook {
public:
    TempBook book;
    Categories categories{book.tables()};
    Projects projects{book.tables()};
    ScriptedInteraction ui;

    TableSet& tables() { return book.tables(); }

    void addAccount(qint32 id, const QString& name, qint64 balance = 0,
                    const QString& code = QStringLiteral("USD"))
    {
        DbTable& t = tables().accounts();
        t.beginNew();
        ASSERT_TRUE(t.setInt(Prop::AccountId, id) && t.setText(Prop::Name, name) &&
                    t.setInt64(Prop::Balance, balance) && t.setText(Prop::CurrencyCode, code, true));
    }

    // One transaction of account 1 at minute `minute` of 2003-12-05.
    void addTransaction(int minute, qint32 category, qint32 project)
    {
        DbTable& t = tables().transactions();
        const FileTime when = at(2003, 12, 5, 10, minute);
        t.beginNew();
        ASSERT_TRUE(t.setText(Prop::AccountKey, fullKey(1, when)) && t.setInt(Prop::AccountId, 1) &&
                    t.setInt64(Prop::Date, when) && t.setInt64(Prop::Amount, 100) &&
                    t.setInt(Prop::CategoryId, category) && t.setInt(Prop::ProjectId, project));
        if (project > 0) {
            ASSERT_TRUE(t.setText(Prop::ProjectKey, fullKey(project, when)));
        }
        ASSERT_TRUE(t.setInt64(Prop::Balance, 0, true));
    }

    void addPlan(qint32 plannerId, qint32 category, qint32 project)
    {
        DbTable& t = tables().planner();
        t.beginNew();
        ASSERT_TRUE(t.setInt(Prop::PlannerId, plannerId) && t.setInt64(Prop::Date, at(2003, 1, 1)) &&
                    t.setInt(Prop::CategoryId, category) && t.setInt(Prop::ProjectId, project, true));
    }

    void addScheduled(FileTime when, qint32 category, qint32 project)
    {
        DbTable& t = tables().scheduled();
        t.beginNew();
        ASSERT_TRUE(t.setInt64(Prop::Date, when) && t.setInt(Prop::PlannerId, 1) &&
                    t.setInt(Prop::CategoryId, category) && t.setInt(Prop::ProjectId, project));
        if (project > 0) {
            ASSERT_TRUE(t.setText(Prop::ProjectKey, fullKey(project, when)));
        }
        ASSERT_TRUE(t.setInt64(Prop::Amount, -500, true));
    }

    // A record of the tree table as it stands, bypassing the trees' own rules
    // (damaged links included).
    void addRaw(DbTable& t, quint16 idProp, qint32 id, qint32 parent, const QString& name)
    {
        t.beginNew();
        ASSERT_TRUE(t.setInt(idProp, id) && t.setInt(Prop::Parent, parent) &&
                    t.setText(Prop::Name, name, true));
    }

    // How many records of `t` carry `value` in `prop`.
    static int countWhere(DbTable& t, quint16 prop, qint32 value)
    {
        int n = 0;
        for (qint64 p = 0; p < t.count(); ++p)
            n += t.moveTo(p) && t.getInt(prop) == value ? 1 : 0;
        return n;
    }
    static int countHaving(DbTable& t, quint16 prop)
    {
        int n = 0;
        for (qint64 p = 0; p < t.count(); ++p)
            n += t.moveTo(p) && t.has(prop) ? 1 : 0;
        return n;
    }
};
