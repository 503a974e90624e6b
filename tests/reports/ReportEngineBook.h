#pragma once

// A report book with what the engine tests share: two currencies (USD the
// report currency, EUR at 1.5 USD), accounts, a small category and project
// tree, and the context the views borrow.

#include "ReportBook.h"

#include "reference/CurrencyCache.h"
#include "reports/ReportContext.h"
#include "reports/ReportFilter.h"
#include "support/ScriptedInteraction.h"

class ReportEngineBook : public ::testing::Test {
protected:
    static constexpr qint32 Cash = 1;    // USD
    static constexpr qint32 Euro = 2;    // EUR
    static constexpr qint32 Food = 2;    // category Food under the root
    static constexpr qint32 Bread = 3;   // Food:Bread
    static constexpr qint32 Salary = 4;  // top-level income
    static constexpr qint32 Home = 2;    // project Home
    static constexpr qint32 Garden = 3;  // Home:Garden

    void SetUp() override
    {
        rb.addCurrency(1, QStringLiteral("USD"));
        rb.addCurrency(2, QStringLiteral("EUR"));
        rb.addAccount(Cash, QStringLiteral("Cash"));
        rb.addAccount(Euro, QStringLiteral("Euro Bank"), QStringLiteral("EUR"));
        rb.addCategory(1, 0, QStringLiteral("All categories"));
        rb.addCategory(Food, 1, QStringLiteral("Food"));
        rb.addCategory(Bread, Food, QStringLiteral("Bread"));
        rb.addCategory(Salary, 1, QStringLiteral("Salary"));
        rb.addProject(1, 0, QStringLiteral("All projects"));
        rb.addProject(Home, 1, QStringLiteral("Home"));
        rb.addProject(Garden, Home, QStringLiteral("Garden"));
        ASSERT_TRUE(cache.reload());
        ASSERT_TRUE(cache.storeRate(QStringLiteral("EUR"), QStringLiteral("USD"), 1.5));
        filter.initialise(rb.tables(), QStringLiteral("USD"), Day);
    }

    RecordId add(qint32 account, qint64 amount, qint32 category = 0, qint32 project = 0,
                 const QString& description = QString(), int minute = 0)
    {
        TransactionSpec s;
        s.account = account;
        s.date = at(2003, 12, 5, 12, minute);
        s.amount = amount;
        s.category = category;
        s.project = project;
        s.description = description;
        s.currency = account == Euro ? QStringLiteral("EUR") : QStringLiteral("USD");
        return rb.addTransaction(s);
    }

    static inline const FileTime Day = at(2003, 12, 5);

    ReportBook rb;
    CurrencyCache cache{rb.tables().currencies()};
    ReportFilter filter;
    LocaleValues locale;
    ScriptedInteraction ui;
    ReportContext context{rb.tables(), cache, filter, locale, ui};
};
