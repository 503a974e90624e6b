#pragma once

// A book in a folder of its own, driven the way a user drives the main
// program: one run at a time (start-up with the main program's hooks, the
// register, the transaction editor, the plan editor), ended in order or cut
// off as a crash would, and the whole book check that `tallyra-cli check`
// runs. Questions are answered Yes; the currency conversion confirmation is
// answered as the test says.

#include "accounts/AccountCheck.h"
#include "accounts/AccountCreator.h"
#include "accounts/Register.h"
#include "accounts/TransactionEditor.h"
#include "planning/FutureListCheck.h"
#include "planning/PlannerEditor.h"
#include "platform/FixedClock.h"
#include "reference/BuiltInCurrencies.h"
#include "reference/ConversionConfirmation.h"
#include "reference/ProjectTotalsCheck.h"
#include "shell/ExitStep.h"
#include "shell/MainBook.h"
#include "shell/StartUp.h"

#include <QTemporaryDir>

#include <memory>

// Yes to every question; every message and status text recorded.
class YesInteraction : public Interaction {
public:
    bool askYesNo(const QString& text, const QString& = {}) override
    {
        questions << text;
        return true;
    }
    void showMessage(const QString& text, Icon = Icon::Information, const QString& = {}) override
    {
        messages << text;
    }
    void showStatus(const QString& text) override { statuses << text; }
    void progressLabel(const QString&) override {}
    void progressRange(qint64) override {}
    void progressStep(qint64) override {}
    bool progressStopRequested() override { return false; }

    QStringList questions;
    QStringList messages;
    QStringList statuses;
};

// The conversion confirmation as the test scripts it: the stored rate taken,
// a new rate typed in (1 unit of the first currency = `rate` of the second),
// or Cancel.
class ScriptedConversion : public ConversionConfirmation {
public:
    enum class Answer { Accept, NewRate, Cancel };

    std::optional<CurrencyConversionForm::Outcome> confirm(CurrencyConversionForm& model) override
    {
        ++asked;
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

    Answer answer = Answer::Accept;
    QString rate = QStringLiteral("0.9");
    int asked = 0;
};

class RandomBook {
public:
    // The first start makes the book: "Cash" in USD with an opening balance,
    // then "Checking" (USD) and "Savings" (EUR), a stored rate between the two
    // currencies and a small project tree.
    explicit RandomBook(const LocalTime& now) : m_clock(now)
    {
        m_folder = BookFolder::open(m_dir.path());
        m_ready = m_folder && start() && createAccountsAndProjects();
    }
    ~RandomBook()
    {
        if (m_book)
            exit();
    }
    RandomBook(const RandomBook&) = delete;
    RandomBook& operator=(const RandomBook&) = delete;

    // False when the first start or the book's first accounts failed.
    bool ready() const { return m_ready; }

    // One start of the main program with its own hooks; the register shows
    // the first account.
    bool start()
    {
        m_book = std::make_unique<MainBook>(*m_folder);
        StartUp startUp(*m_book, m_clock, m_ui, m_first,
                        StartUp::standardHooks(*m_book, m_clock, m_locale, m_ui));
        if (startUp.run() != StartUp::Outcome::Ready)
            return false;
        m_register =
            std::make_unique<Register>(m_book->tables(), m_book->currencies(), m_locale, m_book->future());
        m_editor = std::make_unique<TransactionEditor>(editorContext(), *m_register);
        return m_register->select(firstAccount());
    }
    // The orderly end: the exit step writes the horizon back.
    void exit()
    {
        ExitStep::run(*m_book);
        drop();
    }
    // The run ends without the exit step, as a crash or a kill ends it: the
    // next start finds the horizon at 0 and takes the repair path.
    void crash() { drop(); }

    MainBook& book() { return *m_book; }
    FixedClock& clock() { return m_clock; }
    YesInteraction& ui() { return m_ui; }
    ScriptedConversion& conversion() { return m_conversion; }
    const LocaleValues& locale() const { return m_locale; }
    FileTime now() const { return fileTimeFromLocal(m_clock.now()).value_or(0); }

    // The register showing `account`, re-read.
    Register& show(qint32 account)
    {
        (void)m_register->select(account);
        return *m_register;
    }
    Register& shown() { return *m_register; }
    TransactionEditor& editor() { return *m_editor; }
    PlannerEditorContext plannerContext()
    {
        return {m_book->tables(),
                m_book->currencies(),
                m_book->categories(),
                m_book->projects(),
                m_book->future(),
                m_clock,
                m_locale,
                m_ui};
    }
    EditorContext editorContext()
    {
        return {m_book->tables(),
                m_book->currencies(),
                m_book->categories(),
                m_book->projects(),
                m_book->totals(),
                m_book->future(),
                m_clock,
                m_locale,
                m_ui,
                m_conversion};
    }

    // Every problem `tallyra-cli check` would report: the accounts' running
    // balances, totals, keys and transfer links; the totals of the valid
    // projects; the future list against the planner at the run's horizon.
    QStringList problems()
    {
        TableSet& tables = m_book->tables();
        QStringList out = AccountCheck(tables).problems();
        out += ProjectTotalsCheck(tables, m_book->currencies()).problems(m_book->state().defaultCurrency);
        out += FutureListCheck(tables, m_book->future()).problems();
        return out;
    }

private:
    class FirstAccount : public FirstAccountSource {
    public:
        std::optional<AccountDraft> firstAccount(QStringView) override
        {
            return AccountDraft{QStringLiteral("Cash"), BuiltInCurrencies::firstRowOf(u"USD"),
                                Money::fromHundredths(50'000)};
        }
    };

    qint32 firstAccount()
    {
        DbTable& accounts = m_book->tables().accounts();
        return accounts.moveTo(0) ? accounts.getInt(Prop::AccountId) : 0;
    }
    bool createAccountsAndProjects()
    {
        AccountCreator creator(m_book->tables(), m_book->currencies(), m_clock);
        const bool accounts =
            creator.create({QStringLiteral("Checking"), BuiltInCurrencies::firstRowOf(u"USD"),
                            Money::fromHundredths(120'000)}) != 0 &&
            creator.create({QStringLiteral("Savings"), BuiltInCurrencies::firstRowOf(u"EUR"), Money()}) != 0;
        Projects& projects = m_book->projects();
        return accounts && m_book->currencies().storeRate(u"USD", u"EUR", 0.9) &&
               projects.createByPath(QStringLiteral("Home:Garden")) != 0 &&
               projects.createByPath(QStringLiteral("Home:Kitchen")) != 0 &&
               projects.createByPath(QStringLiteral("Trip")) != 0;
    }
    void drop()
    {
        m_editor.reset();
        m_register.reset();
        m_book.reset();
    }

    QTemporaryDir m_dir;
    std::optional<BookFolder> m_folder;
    FixedClock m_clock;
    YesInteraction m_ui;
    ScriptedConversion m_conversion;
    FirstAccount m_first;
    LocaleValues m_locale;
    std::unique_ptr<MainBook> m_book;
    std::unique_ptr<Register> m_register;
    std::unique_ptr<TransactionEditor> m_editor;
    bool m_ready = false;
};
