// A long random sequence of what a user does to a book (RandomWorkload),
// with a fixed seed. After every step the whole book check must find nothing.
#include "RandomWorkload.h"

#include <gtest/gtest.h>

namespace {

constexpr int Steps = 400;
constexpr std::mt19937::result_type Seed = 20240305;
const LocalTime Start{2024, 1, 2, 9, 0, 0, 0};

class RandomSequenceTest : public ::testing::Test {
protected:
    RandomWorkload m_work{Seed, Start};
    RandomBook* m_book = &m_work.book();
};

TEST_F(RandomSequenceTest, BookCheckFindsNothingAfterEveryStep)
{
    ASSERT_TRUE(m_work.ready());
    ASSERT_EQ(m_book->problems(), QStringList());
    for (int step = 0; step < Steps; ++step) {
        const RandomWorkload::Done done = m_work.next();
        ASSERT_TRUE(done.wrong.isEmpty()) << done.what.toStdString() << ": " << done.wrong.toStdString();
        const QStringList problems = m_book->problems();
        ASSERT_TRUE(problems.isEmpty()) << done.what.toStdString() << ":\n"
                                        << problems.join(u'\n').toStdString();
    }
    // Every kind of step found something to work on at least once, so none
    // passed only by doing nothing.
    for (const RandomWorkload::Operation& operation : m_work.operations())
        EXPECT_GT(m_work.acted(operation.name), 0) << operation.name;
}

// Regression: a new rate left the project totals converted at the old one
// marked valid; and the cache kept the rate as given while the table keeps
// five decimals, so totals recomputed in the run no longer matched the rate
// the next start read back.
TEST_F(RandomSequenceTest, ProjectTotalsFollowANewRateAcrossAStart)
{
    ASSERT_TRUE(m_book->ready());
    MainBook& book = m_book->book();
    const std::optional<AccountRecord> savings =
        AccountList(book.tables().accounts()).findByName(QStringLiteral("Savings"));
    ASSERT_TRUE(savings);
    TransactionEditor& ed = m_book->editor();
    ASSERT_TRUE(ed.load(m_book->show(savings->id).transactionCount()));
    ed.setAmountText(QStringLiteral("98765.43"));
    ed.setPayment(false);
    ed.setProjectText(QStringLiteral("Trip"));
    ASSERT_TRUE(ed.save(false));
    ASSERT_TRUE(book.totals().updateStale(book.state().defaultCurrency));
    ASSERT_TRUE(m_book->problems().isEmpty()) << m_book->problems().join(u'\n').toStdString();

    ASSERT_TRUE(book.currencies().storeRate(u"EUR", u"USD", 1.2345678));
    EXPECT_TRUE(m_book->problems().isEmpty()) << m_book->problems().join(u'\n').toStdString();
    ASSERT_TRUE(book.totals().updateStale(book.state().defaultCurrency));
    m_book->exit();
    ASSERT_TRUE(m_book->start());
    EXPECT_TRUE(m_book->problems().isEmpty()) << m_book->problems().join(u'\n').toStdString();
}

// An occurrence counts as done by the plan's completed count, not by the
// transaction that posted it: deleting the account that holds the posting
// leaves the occurrence done, and the list and the plans still agree.
TEST_F(RandomSequenceTest, DeletingAnAccountKeepsTheOccurrencesPostedIntoItDone)
{
    ASSERT_TRUE(m_book->ready());
    MainBook& book = m_book->book();
    const qint32 extra =
        AccountCreator(book.tables(), book.currencies(), m_book->clock())
            .create({QStringLiteral("Extra"), BuiltInCurrencies::firstRowOf(u"USD"), Money()});
    ASSERT_NE(extra, 0);
    PlannerEditor plan(m_book->plannerContext());
    plan.loadNew(QStringLiteral("USD"));
    plan.setDescription(QStringLiteral("Rent"));
    plan.setAmount(Money::fromHundredths(-10'000));
    plan.setRule(RecurrenceRule::Monthly);
    plan.setEntriesText(QStringLiteral("3"));
    plan.setStartDate(addDays(m_book->now(), -65));
    ASSERT_EQ(plan.save(), PlannerEditor::SaveResult::Saved);
    Register& reg = m_book->show(extra);
    ASSERT_EQ(reg.futureCount(), 3);
    ASSERT_TRUE(m_book->editor().load(reg.transactionCount() + 1));
    ASSERT_TRUE(m_book->editor().save(false));
    ASSERT_EQ(book.future().count(), 2);

    AccountDeletion deletion(
        book.tables(), book.categories(), [&book] { return book.updateAllProjectTotals(); },
        [&book] { return book.future().build(book.future().horizon(), true); });
    ASSERT_EQ(deletion.remove(extra, m_book->ui()), AccountDeletion::Outcome::Deleted);
    EXPECT_EQ(book.future().count(), 2);
    EXPECT_TRUE(m_book->problems().isEmpty()) << m_book->problems().join(u'\n').toStdString();
}

}  // namespace
