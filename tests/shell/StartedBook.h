#pragma once

// A book in a temporary folder, started as the main program starts it (with
// its standard hooks) and left open for a test; the exit step runs at the end.
// The first account is "Cash" in EUR with an opening balance of 25.00.

#include "platform/FixedClock.h"
#include "reference/BuiltInCurrencies.h"
#include "shell/ExitStep.h"
#include "shell/StartUp.h"
#include "support/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class StartedBook : public ::testing::Test {
protected:
    class CashAccount : public FirstAccountSource {
    public:
        std::optional<AccountDraft> firstAccount(QStringView) override
        {
            return AccountDraft{QStringLiteral("Cash"), BuiltInCurrencies::firstRowOf(u"EUR"),
                                Money::fromHundredths(2500)};
        }
    };

    explicit StartedBook(const LocalTime& now = LocalTime{2024, 3, 5, 10, 0, 0, 0})
        : m_folder(*BookFolder::open(m_dir.path())), m_clock(now), m_book(m_folder)
    {
    }
    ~StartedBook() override { ExitStep::run(m_book); }

    void SetUp() override
    {
        StartUp startUp(m_book, m_clock, m_ui, m_first,
                        StartUp::standardHooks(m_book, m_clock, m_locale, m_ui));
        ASSERT_EQ(startUp.run(), StartUp::Outcome::Ready);
        m_ui = ScriptedInteraction();
    }

    QTemporaryDir m_dir;
    BookFolder m_folder;
    FixedClock m_clock;
    MainBook m_book;
    CashAccount m_first;
    ScriptedInteraction m_ui;
    LocaleValues m_locale;
};
