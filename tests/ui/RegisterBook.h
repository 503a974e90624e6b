#pragma once

// A started book (see StartedBook) with a second account and, in "Cash", a
// payment that takes the balance below zero: rows 0 (opening 25.00, balance
// 25.00) and 1 (payment 40.00, balance -15.00), then the new row.

#include "accounts/AccountCreator.h"
#include "accounts/TransactionEditor.h"
#include "shell/ShownAccount.h"
#include "shell/StartedBook.h"

class RegisterBook : public StartedBook {
protected:
    void SetUp() override
    {
        StartedBook::SetUp();
        AccountCreator creator(m_book.tables(), m_book.currencies(), m_clock);
        m_second = creator.create(AccountDraft{
            QStringLiteral("Savings"), BuiltInCurrencies::firstRowOf(u"EUR"), Money::fromHundredths(100000)});
        ASSERT_GT(m_second, 0);
        Register reg(m_book.tables(), m_book.currencies(), m_locale, m_book.future());
        ASSERT_TRUE(reg.select(1));
        AcceptingConversion conversion;
        TransactionEditor editor(EditorContext{m_book.tables(), m_book.currencies(), m_book.categories(),
                                               m_book.projects(), m_book.totals(), m_book.future(), m_clock,
                                               m_locale, m_ui, conversion},
                                 reg);
        ASSERT_TRUE(editor.load(reg.transactionCount()));
        editor.setDescription(QStringLiteral("Groceries"));
        editor.setPayment(true);
        editor.setAmountText(QStringLiteral("40.00"));
        ASSERT_TRUE(editor.save(false).isSaved());
        m_ui = ScriptedInteraction();
    }

    qint32 m_second = 0;
};
