#pragma once

// A book for the transaction editor tests: currencies USD (number 1) and EUR
// (number 2, 1 EUR = 1.1 USD), category "Food" (2) and project "House" (2),
// the accounts Cash (1, USD), Checking (2, USD) and Euro (3, EUR), the future
// list, a register and an editor over them. The clock reads 2024-03-05 10:00.
// Questions are answered from a script (unscripted: No); the conversion
// confirmation as the test says.

#include "accounts/AccountCheck.h"
#include "accounts/Register.h"
#include "accounts/TransactionEditor.h"
#include "planning/FutureList.h"
#include "planning/FutureListCheck.h"
#include "planning/RecurrenceRule.h"
#include "platform/FixedClock.h"
#include "reference/ProjectTotalsCheck.h"
#include "store/KeyText.h"
#include "support/ScriptedInteraction.h"
#include "support/TempBook.h"

#include <gtest/gtest.h>

// Accepts the proposed amounts, types a new rate (1 unit of the other
// currency = `rate` units of the edited account's) or cancels; records the
// models it was shown.
class ScriptedConversion : public ConversionConfirmation {
public:
    enum class Answer { Accept, NewRate, Cancel };

    std::optional<CurrencyConversionForm::Outcome> confirm(CurrencyConversionForm& model) override
    {
        shown.push_back({model.codeA(), model.codeB(), model.text(CurrencyConversionForm::Field::LeftAmount),
                         model.rightAmountText()});
        switch (answer) {
        case Answer::Cancel:
            return std::nullopt;
        case Answer::NewRate:
            model.editLeftRate(QStringLiteral("1"));
            model.editRightRate(rate);
            break;
        case Answer::Accept:
            break;
        }
        return model.accept();
    }

    struct Shown {
        QString codeA;
        QString codeB;
        QString amountA;
        QString amountB;
    };
    Answer answer = Answer::Accept;
    QString rate = QStringLiteral("2");
    std::vector<Shown> shown;
};

inline FileTime at(int month, int day, int hour = 10, int minute = 0)
{
    return fileTimeFromLocal(LocalTime{2024, month, day, hour, minute, 0, 0}).value_or(0);
}

class TransactionEditorTestBook {
public:
    static constexpr qint32 Cash = 1;
    static constexpr qint32 Checking = 2;
    static constexpr qint32 Euro = 3;
    static constexpr qint32 Food = 2;
    static constexpr qint32 House = 2;

    TempBook book;
    CurrencyCache currencies{book.tables().currencies()};
    Categories categories{book.tables()};
    Projects projects{book.tables()};
    ProjectTotals totals{book.tables(), projects, currencies};
    FileTime horizon = 0;
    FutureList future{book.tables(), totals, QLocale(QLocale::English, QLocale::UnitedStates), horizon};
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0, 0}};
    LocaleValues locale;
    ScriptedInteraction ui;
    ScriptedConversion conversion;
    Register reg{book.tables(), currencies, locale, future};
    TransactionEditor editor{EditorContext{book.tables(), currencies, categories, projects, totals, future,
                                           clock, locale, ui, conversion},
                             reg};

    TransactionEditorTestBook()
    {
        addCurrency(1, "USD", nullptr);
        addCurrency(2, "EUR", "1.10000");
        EXPECT_TRUE(currencies.reload());
        EXPECT_TRUE(categories.ensureRoot());
        EXPECT_EQ(categories.create(RootCategoryId, QStringLiteral("Food")), Food);
        EXPECT_TRUE(projects.ensureRoot());
        EXPECT_EQ(projects.create(RootProjectId, QStringLiteral("House")), House);
        addAccount(Cash, "Cash", "USD");
        addAccount(Checking, "Checking", "USD");
        addAccount(Euro, "Euro", "EUR");
        EXPECT_TRUE(reg.select(Cash));
    }

    TableSet& tables() { return book.tables(); }

    // Loads the new-transaction row of `account` and types the amount (a
    // leading "-" makes it a payment).
    void startNew(qint32 account, const QString& amount)
    {
        ASSERT_TRUE(reg.select(account));
        ASSERT_TRUE(editor.load(reg.transactionCount()));
        editor.setPayment(false);
        editor.setAmountText(amount);
    }
    // A saved new transaction; its account key.
    QString addNew(qint32 account, const QString& amount, const QString& category = {})
    {
        startNew(account, amount);
        if (!category.isEmpty())
            editor.setCategoryText(category);
        EXPECT_TRUE(editor.save(false)) << ui.messages.join(u'|').toStdString();
        return editor.key();
    }

    std::optional<RegisterEntry> entry(qint32 account, qint64 row)
    {
        reg.select(account);
        return reg.entry(row);
    }
    qint64 countOf(qint32 account)
    {
        reg.select(account);
        return reg.transactionCount();
    }
    Money totalOf(qint32 account)
    {
        reg.select(account);
        return reg.total();
    }
    QString textOf(const QString& key, quint16 id)
    {
        DbTable& t = tables().transactions();
        return t.seekText(SeekKind::Equal, key) ? t.getText(id) : QStringLiteral("<missing>");
    }
    qint64 int64Of(const QString& key, quint16 id)
    {
        DbTable& t = tables().transactions();
        return t.seekText(SeekKind::Equal, key) ? t.getInt64(id) : -999999;
    }
    bool exists(const QString& key) { return tables().transactions().seekText(SeekKind::Equal, key); }

    // The book's invariants: accounts and transfers, project keys and the
    // totals of valid projects, the future list against its plans.
    void expectConsistent()
    {
        EXPECT_EQ(AccountCheck(tables()).problems(), QStringList());
        EXPECT_EQ(ProjectTotalsCheck(tables(), currencies).problems(u"USD"), QStringList());
        EXPECT_EQ(FutureListCheck(tables(), future).problems(), QStringList());
    }

    // A plan of `amount` (hundredths, in `currency`) due monthly from 2024-03-01.
    void addPlan(qint32 id, qint64 amount, const QString& currency, qint32 category = 0, qint32 entries = 3)
    {
        DbTable& t = tables().planner();
        t.beginNew();
        const FileTime start = at(3, 1, 8);
        bool ok = t.setInt(Prop::PlannerId, id) && t.setInt64(Prop::Date, start) &&
                  t.setText(Prop::Name, QStringLiteral("Plan %1").arg(id)) &&
                  t.setInt64(Prop::Amount, amount) && t.setText(Prop::CurrencyCode, currency) &&
                  t.setInt(Prop::Recurrence, RecurrenceRule::Monthly) && t.setInt64(Prop::NextDate, start) &&
                  t.setInt(Prop::Completed, 0) && t.setInt(Prop::Entries, entries);
        if (category != 0)
            ok = ok && t.setInt(Prop::CategoryId, category);
        EXPECT_TRUE(ok && t.setInt(Prop::Stopped, 0, true));
        EXPECT_TRUE(future.build(at(3, 10), true));
    }

private:
    void addCurrency(qint32 number, const char* code, const char* rateToFirst)
    {
        DbTable& t = tables().currencies();
        t.beginNew();
        t.setInt(Prop::CurrencyNumber, number);
        t.setText(Prop::CurrencyCode, QString::fromLatin1(code));
        if (rateToFirst)
            t.setText(Prop::currencyRateTo(1), QString::fromLatin1(rateToFirst));
        EXPECT_TRUE(t.setText(Prop::CurrencyName, QString::fromLatin1(code), true));
    }
    void addAccount(qint32 id, const char* name, const char* code)
    {
        DbTable& a = tables().accounts();
        a.beginNew();
        EXPECT_TRUE(a.setInt(Prop::AccountId, id) && a.setText(Prop::Name, QString::fromLatin1(name)) &&
                    a.setInt64(Prop::Balance, 0) &&
                    a.setText(Prop::CurrencyCode, QString::fromLatin1(code), true));
    }
};
