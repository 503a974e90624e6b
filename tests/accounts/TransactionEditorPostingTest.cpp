// Future-list rows in the transaction editor: posting an occurrence whole or
// in part, between currencies, as a transfer; dismissing one; deleting a
// posted transaction.

#include "TransactionEditorTestBook.h"

#include "accounts/EditorPosting.h"
#include "planning/PlannerEntry.h"
#include "store/SortScope.h"

namespace {

class TransactionEditorPostingTest : public ::testing::Test, public TransactionEditorTestBook {
protected:
    // The first future row of `account`'s register.
    qint64 futureRow(qint32 account)
    {
        reg.select(account);
        return reg.transactionCount() + 1;
    }
    std::optional<PlannerEntry> plan(qint32 id)
    {
        SortScope scope(tables().planner(), Prop::PlannerId);
        return PlannerEntry::find(tables().planner(), id);
    }
    qint64 holderCount()
    {
        DbTable& t = tables().transactions();
        qint64 n = 0;
        for (qint64 p = 0; p < t.count(); ++p)
            n += t.moveTo(p) && t.getInt(Prop::AccountId) == ReservedAccount::Holder ? 1 : 0;
        return n;
    }
};

TEST_F(TransactionEditorPostingTest, PostingTheWholeOccurrenceAsksAndDatesItToday)
{
    addPlan(1, -50000, QStringLiteral("USD"));
    ASSERT_EQ(future.count(), 1);
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    EXPECT_EQ(editor.mode(), TransactionEditor::Mode::Future);
    EXPECT_EQ(editor.description(), QStringLiteral("Plan 1"));
    EXPECT_EQ(editor.amountText(), QStringLiteral("500.00"));
    EXPECT_TRUE(editor.isPayment());

    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("Save scheduled to a new transaction")});
    EXPECT_EQ(countOf(Cash), 0);
    EXPECT_EQ(future.count(), 1);

    ui.answer(true);
    ASSERT_TRUE(editor.save(false));
    const auto e = entry(Cash, 0);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->amount.hundredths(), -50000);
    EXPECT_EQ(e->key, QStringLiteral("1_20240305100000001"));
    EXPECT_EQ(e->plannerId, 1);
    EXPECT_EQ(totalOf(Cash).hundredths(), -50000);
    EXPECT_EQ(future.count(), 0);
    EXPECT_EQ(plan(1)->completed, 1);
    EXPECT_EQ(editor.mode(), TransactionEditor::Mode::Existing);
    EXPECT_EQ(editor.row(), 0);
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, PartOfTheOccurrenceLeavesTheRestListed)
{
    addPlan(1, -50000, QStringLiteral("USD"));
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    editor.setAmountText(QStringLiteral("200"));
    editor.setDate(at(3, 2));
    editor.setNote(QStringLiteral("first half"));
    ui.answer(true);
    ASSERT_TRUE(editor.save(false));
    const auto e = entry(Cash, 0);
    EXPECT_EQ(e->amount.hundredths(), -20000);
    EXPECT_EQ(e->key, QStringLiteral("1_20240302100000001"));
    EXPECT_EQ(e->note, QStringLiteral("first half"));
    ASSERT_EQ(future.count(), 1);
    EXPECT_EQ(future.entryAt(0)->amount.hundredths(), -30000);
    EXPECT_EQ(plan(1)->completed, 0);
    // Too much typed is refused like any amount.
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    EXPECT_EQ(editor.amountText(), QStringLiteral("300.00"));
    editor.setAmountText(QStringLiteral("10000000000"));
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(ui.messages.last(), QStringLiteral("This number too large."));
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, BetweenCurrenciesTheConfirmationReplacesTheQuestion)
{
    addPlan(1, -50000, QStringLiteral("USD"));
    ASSERT_TRUE(editor.load(futureRow(Euro)));
    EXPECT_EQ(editor.amountText(), QStringLiteral("454.55"));
    conversion.answer = ScriptedConversion::Answer::Cancel;
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(countOf(Euro), 0);
    conversion.answer = ScriptedConversion::Answer::Accept;
    ASSERT_TRUE(editor.save(false));
    EXPECT_TRUE(ui.questions.isEmpty());
    ASSERT_EQ(conversion.shown.size(), 2u);
    EXPECT_EQ(conversion.shown[1].codeA, QStringLiteral("USD"));
    EXPECT_EQ(conversion.shown[1].amountA, QStringLiteral("500.00"));
    EXPECT_EQ(conversion.shown[1].amountB, QStringLiteral("454.55"));
    const auto e = entry(Euro, 0);
    EXPECT_EQ(e->amount.hundredths(), -45455);
    EXPECT_EQ(int64Of(e->key, Prop::PostedAmount), -50000);
    EXPECT_EQ(future.count(), 0);
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, AnAmountAgainstTheOccurrencesSignIsRefused)
{
    addPlan(1, -10000, QStringLiteral("USD"));
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    editor.setPayment(false);  // a deposit of 30 against a planned payment of 100
    editor.setAmountText(QStringLiteral("30"));
    ui.answer(true);
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(ui.messages.last(), QString::fromLatin1(EditorPosting::OppositeSignText));
    EXPECT_EQ(countOf(Cash), 0);
    ASSERT_EQ(future.count(), 1);
    EXPECT_EQ(future.entryAt(0)->amount.hundredths(), -10000);
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, NothingOutstandingInTheAccountsCurrencyTakesTheRate)
{
    ASSERT_TRUE(currencies.storeRate(u"EUR", u"USD", 0.4));
    addPlan(1, -1, QStringLiteral("EUR"));
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    EXPECT_EQ(editor.amountText(), QStringLiteral("0.00"));
    editor.setAmountText(QStringLiteral("1"));
    ASSERT_TRUE(editor.save(false));
    const auto e = entry(Cash, 0);
    EXPECT_EQ(e->amount.hundredths(), -100);
    EXPECT_EQ(int64Of(e->key, Prop::PostedAmount), -250);
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, SettledPartIsProportionalToTheTypedAmount)
{
    const struct {
        qint64 outstanding, converted, typed;
        bool payment;
        qint64 expected;
    } cases[] = {
        {-50000, -45455, 45455, true, -50000},  // all of it, exactly
        {-50000, -45455, 22727, true, -24999},  // about half, rounded
        {30000, 33000, 11000, false, 10000},
        {30000, 33000, 11000, true, -10000},  // the choice gives the sign
        {-1, 0, 100, true, -91},              // nothing outstanding converted: 1 USD at the rate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EditorPosting::entryAmount(
                      currencies, Money::fromHundredths(c.outstanding), Money::fromHundredths(c.converted),
                      Money::fromHundredths(c.typed), c.payment, QStringLiteral("USD"), QStringLiteral("EUR"))
                      .hundredths(),
                  c.expected)
            << c.outstanding << " " << c.typed;
    }
}

TEST_F(TransactionEditorPostingTest, AConfirmedRateBooksTheWholeOccurrenceOrAProportionalPart)
{
    // A 100 EUR bill into the USD account, stored at 1 EUR = 1.1 USD.
    const struct {
        const char* typed;  // nullptr: in full
        const char* rate;   // nullptr: the stored rate accepted
        qint64 booked;      // USD
        qint64 settled;     // EUR
        qint64 left;        // EUR still listed; 0: the occurrence is completed
    } cases[] = {
        {nullptr, "1.5", -15000, -10000, 0},
        {nullptr, nullptr, -11000, -10000, 0},
        {"30", "1.5", -3000, -2000, -8000},
        {"55", nullptr, -5500, -5000, -5000},
    };
    for (const auto& c : cases) {
        TransactionEditorTestBook fresh;
        fresh.addPlan(1, -10000, QStringLiteral("EUR"), 0, 2);
        ASSERT_TRUE(fresh.reg.select(Cash));
        ASSERT_TRUE(fresh.editor.load(fresh.reg.transactionCount() + 1));
        if (c.typed)
            fresh.editor.setAmountText(QString::fromLatin1(c.typed));
        fresh.conversion.answer =
            c.rate ? ScriptedConversion::Answer::NewRate : ScriptedConversion::Answer::Accept;
        if (c.rate)
            fresh.conversion.rate = QString::fromLatin1(c.rate);
        ASSERT_TRUE(fresh.editor.save(false)) << fresh.ui.messages.join(u'|').toStdString();
        const auto e = fresh.entry(Cash, 0);
        ASSERT_TRUE(e);
        const std::string label =
            std::string(c.typed ? c.typed : "full") + " at " + (c.rate ? c.rate : "1.1");
        EXPECT_EQ(e->amount.hundredths(), c.booked) << label;
        EXPECT_EQ(fresh.int64Of(e->key, Prop::PostedAmount), c.settled) << label;
        ASSERT_EQ(fresh.future.count(), c.left == 0 ? 0 : 1) << label;
        if (c.left != 0) {
            EXPECT_EQ(fresh.future.entryAt(0)->amount.hundredths(), c.left) << label;
        }
        SortScope scope(fresh.tables().planner(), Prop::PlannerId);
        EXPECT_EQ(PlannerEntry::find(fresh.tables().planner(), 1)->completed, c.left == 0 ? 1 : 0) << label;
        fresh.expectConsistent();
    }
}

TEST_F(TransactionEditorPostingTest, PlanThatTransfersPostsATransferButNeverToItself)
{
    addPlan(1, -50000, QStringLiteral("USD"), -Checking);
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    ui.answer(true);
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(entry(Cash, 0)->category, -Checking);
    EXPECT_EQ(totalOf(Checking).hundredths(), 50000);
    // The next occurrence posted into the plan's own account is no transfer.
    ASSERT_TRUE(future.build(at(4, 10), false));
    ASSERT_TRUE(editor.load(futureRow(Checking)));
    ui.answer(true);
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(entry(Checking, 1)->category, 0);
    EXPECT_EQ(countOf(Checking), 2);
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, DismissingPostsToTheHolderAndMovesThePlanOn)
{
    addPlan(1, -50000, QStringLiteral("USD"));
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    EXPECT_FALSE(editor.deleteRow());
    EXPECT_EQ(ui.questions.last(),
              QStringLiteral("This incomplited transaction will be deleted. Do you wish to continue?"));
    EXPECT_EQ(future.count(), 1);
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    ui.answer(true);
    ASSERT_TRUE(editor.deleteRow());
    EXPECT_EQ(future.count(), 0);
    EXPECT_EQ(countOf(Cash), 0);
    EXPECT_EQ(holderCount(), 1);
    EXPECT_EQ(plan(1)->completed, 1);
    EXPECT_EQ(editor.mode(), TransactionEditor::Mode::New);
    expectConsistent();
}

TEST_F(TransactionEditorPostingTest, DeletingAPostedTransactionDoesNotBringTheOccurrenceBack)
{
    addPlan(1, -50000, QStringLiteral("USD"), -Checking);
    ASSERT_TRUE(editor.load(futureRow(Cash)));
    ui.answer(true);
    ASSERT_TRUE(editor.save(false));
    ASSERT_TRUE(editor.load(0));
    ui.answer(true);
    ASSERT_TRUE(editor.deleteRow());
    EXPECT_EQ(countOf(Cash), 0);
    EXPECT_EQ(countOf(Checking), 0);
    EXPECT_EQ(totalOf(Checking).hundredths(), 0);
    EXPECT_EQ(holderCount(), 1);
    ASSERT_TRUE(future.build(at(3, 10), true));
    EXPECT_EQ(future.count(), 0);
    expectConsistent();
}

}  // namespace
