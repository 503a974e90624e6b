#include "accounts/TransactionFind.h"

#include "AccountTestBook.h"
#include "support/ScriptedInteraction.h"

namespace {

using Hit = TransactionFind::Hit;

class TransactionFindTest : public ::testing::Test {
protected:
    TransactionFindTest()
    {
        m_book.addAccount(1, QStringLiteral("Cash"));
        m_book.addAccount(2, QStringLiteral("Bank"));
        m_book.addAccount(5, QStringLiteral("Card"));
        // Cash, rows 0..3.
        add(1, 1, QStringLiteral("Rent"));
        add(1, 2, QStringLiteral("Coffee"));
        add(1, 3, QStringLiteral("Groceries"), QStringLiteral("Miller & Sons"));
        add(1, 4, QStringLiteral("Coffee"));
        // Bank, rows 0..1; Card, row 0.
        add(2, 1, QStringLiteral("Salary"), {}, QStringLiteral("1044"));
        add(2, 2, QStringLiteral("Coffee beans"));
        add(5, 1, QStringLiteral("Fuel"), {}, {}, QStringLiteral("trip to the coast"));
    }

    void add(qint32 account, int day, const QString& description, const QString& contact = {},
             const QString& number = {}, const QString& note = {})
    {
        RawTransaction r = RawTransaction::of(account, AccountTestBook::at(day), 100);
        r.description = description;
        r.number = number;
        const QString key = m_book.addTransaction(r);
        ASSERT_TRUE(m_book.seek(key));
        DbTable& t = m_book.tables().transactions();
        if (!contact.isEmpty()) {
            ASSERT_TRUE(t.setText(Prop::Contact, contact));
        }
        if (!note.isEmpty()) {
            ASSERT_TRUE(t.setText(Prop::Note, note));
        }
    }

    std::optional<Hit> search(const QString& text, qint32 account, qint64 row, bool matchCase = false)
    {
        return TransactionFind(m_book.tables()).search({text, matchCase}, {account, row});
    }

    AccountTestBook m_book;
    ScriptedInteraction m_ui;
};

TEST_F(TransactionFindTest, FromTheNewTransactionRowTheNewestMatchComesFirst)
{
    EXPECT_EQ(search(QStringLiteral("Coffee"), 1, 4), (Hit{1, 3}));
    // A future-list row (beyond the new-transaction row) starts there too.
    EXPECT_EQ(search(QStringLiteral("Coffee"), 1, 7), (Hit{1, 3}));
}

TEST_F(TransactionFindTest, StartsAtTheTransactionBeforeTheSelectedOne)
{
    EXPECT_EQ(search(QStringLiteral("Coffee"), 1, 3), (Hit{1, 1}));
    // "Find Next" from that hit: nothing older in Cash, so it wraps from the
    // first account to the last one and walks Card, then Bank.
    EXPECT_EQ(search(QStringLiteral("Coffee"), 1, 1), (Hit{2, 1}));
}

TEST_F(TransactionFindTest, ContinuesInThePreviousAccountById)
{
    EXPECT_EQ(search(QStringLiteral("Rent"), 5, 1), (Hit{1, 0}));
    EXPECT_EQ(search(QStringLiteral("Salary"), 5, 1), (Hit{2, 0}));
}

TEST_F(TransactionFindTest, SelectedRowIsLookedAtLast)
{
    // The only "Groceries" is the selected row: found after a full round.
    EXPECT_EQ(search(QStringLiteral("Groceries"), 1, 2), (Hit{1, 2}));
    // Rows above the start in the shown account are reached after the wrap.
    EXPECT_EQ(search(QStringLiteral("Rent"), 1, 0), (Hit{1, 0}));
    EXPECT_EQ(search(QStringLiteral("Coffee"), 1, 0), (Hit{2, 1}));
}

TEST_F(TransactionFindTest, LooksInContactNumberAndNote)
{
    EXPECT_EQ(search(QStringLiteral("miller"), 1, 4), (Hit{1, 2}));
    EXPECT_EQ(search(QStringLiteral("104"), 1, 4), (Hit{2, 0}));
    EXPECT_EQ(search(QStringLiteral("COAST"), 1, 4), (Hit{5, 0}));
}

TEST_F(TransactionFindTest, MatchCaseTellsRentFromrent)
{
    EXPECT_EQ(search(QStringLiteral("rent"), 1, 4), (Hit{1, 0}));
    EXPECT_EQ(search(QStringLiteral("rent"), 1, 4, true), std::nullopt);
    EXPECT_EQ(search(QStringLiteral("Rent"), 1, 4, true), (Hit{1, 0}));
}

TEST_F(TransactionFindTest, NoHitShowsTheMessageAndKeepsTheQueryForFindNext)
{
    TransactionFind finder(m_book.tables());
    EXPECT_EQ(finder.findNext({1, 4}, m_ui), std::nullopt);
    EXPECT_TRUE(m_ui.messages.isEmpty());  // nothing asked yet: "Find Next" does nothing

    EXPECT_EQ(finder.find({QStringLiteral("nowhere"), false}, {1, 4}, m_ui), std::nullopt);
    EXPECT_EQ(m_ui.messages, QStringList{QStringLiteral("The string was not found in all accounts.")});

    EXPECT_EQ(finder.find({QStringLiteral("coffee"), false}, {1, 4}, m_ui), (Hit{1, 3}));
    EXPECT_EQ(finder.findNext({1, 3}, m_ui), (Hit{1, 1}));
    EXPECT_EQ(m_ui.messages.size(), 1);
}

TEST_F(TransactionFindTest, StartAccountThatNoLongerExistsStillSearchesAll)
{
    EXPECT_EQ(search(QStringLiteral("Fuel"), 3, 0), (Hit{5, 0}));
    EXPECT_EQ(search(QStringLiteral("Rent"), 99, 0), (Hit{1, 0}));
    EXPECT_EQ(search(QStringLiteral("nowhere"), 3, 0), std::nullopt);
}

TEST_F(TransactionFindTest, ReservedAccountsAreNeverFound)
{
    RawTransaction held = RawTransaction::of(ReservedAccount::Holder, AccountTestBook::at(9), 1);
    held.description = QStringLiteral("Hidden");
    m_book.addTransaction(held);
    EXPECT_EQ(search(QStringLiteral("Hidden"), 1, 4), std::nullopt);
}

TEST(TransactionFindEmptyBookTest, EndsWithoutAHit)
{
    AccountTestBook book;
    ScriptedInteraction ui;
    TransactionFind finder(book.tables());
    EXPECT_EQ(finder.find({QStringLiteral("x"), false}, {0, -1}, ui), std::nullopt);
    book.addAccount(1, QStringLiteral("Cash"));
    book.addAccount(2, QStringLiteral("Bank"));
    EXPECT_EQ(finder.find({QStringLiteral("x"), false}, {1, 0}, ui), std::nullopt);
    EXPECT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(book.tables().transactions().sortId(), Prop::AccountKey);
}

}  // namespace
