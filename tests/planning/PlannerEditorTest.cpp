#include "planning/PlannerEditor.h"

#include "PlannerTestBook.h"
#include "planning/RecurrenceRule.h"

namespace {

using Field = PlannerEditor::Field;
using Result = PlannerEditor::SaveResult;

class PlannerEditorTest : public ::testing::Test {
protected:
    PlannerEditor editor() { return PlannerEditor(b.editorContext()); }
    // A new plan with the two fields a save insists on.
    PlannerEditor described(const QString& description, Money amount)
    {
        PlannerEditor e = editor();
        e.loadNew(QStringLiteral("USD"));
        e.setDescription(description);
        e.setAmount(amount);
        return e;
    }

    PlannerTestBook b;
};

TEST_F(PlannerEditorTest, NewPlanStartsWithTheDefaults)
{
    PlannerEditor e = editor();
    e.loadNew(QStringLiteral("EUR"));
    EXPECT_EQ(e.mode(), PlannerEditor::Mode::New);
    EXPECT_EQ(e.description(), QStringLiteral("<_New_Time_Table_>"));
    EXPECT_EQ(e.amountText(), QStringLiteral("0.00"));
    EXPECT_TRUE(e.isPayment());
    EXPECT_EQ(e.currency(), QStringLiteral("EUR"));
    EXPECT_FALSE(e.isCurrencyFixed());
    EXPECT_EQ(e.startDate(), b.now());
    EXPECT_EQ(e.rule(), RecurrenceRule::OnlyOnce);
    EXPECT_EQ(e.entries(), 1);
    EXPECT_EQ(e.reminderDays(), 0);
    EXPECT_FALSE(e.anyChanged());
}

TEST_F(PlannerEditorTest, NewPlanNeedsDescriptionAndAmountEntered)
{
    PlannerEditor e = editor();
    e.loadNew(QStringLiteral("USD"));
    EXPECT_EQ(e.save(), Result::Refused);
    EXPECT_EQ(e.focusField(), Field::Description);
    e.setAmount(Money::fromHundredths(-100));
    EXPECT_EQ(e.save(), Result::Refused);
    EXPECT_EQ(e.focusField(), Field::Description);

    PlannerEditor d = editor();
    d.loadNew(QStringLiteral("USD"));
    d.setDescription(QStringLiteral("Gym"));
    EXPECT_EQ(d.save(), Result::Refused);
    EXPECT_EQ(d.focusField(), Field::Amount);
    EXPECT_EQ(b.tables().planner().count(), 0);
}

TEST_F(PlannerEditorTest, SavingANewPlanWritesEveryField)
{
    PlannerEditor e = editor();
    e.loadNew(QStringLiteral("USD"));
    e.setDescription(QStringLiteral("Rent {month}"));
    e.setAmountText(QStringLiteral("1,234.567"));
    EXPECT_TRUE(e.setCurrency(QStringLiteral("eur")));
    e.setStartDate(at(2024, 4, 1));
    e.setRule(RecurrenceRule::Monthly);
    EXPECT_EQ(e.setEntriesText(QStringLiteral("12")), (CorrectedCount{12, false}));
    EXPECT_EQ(e.setReminderDaysText(QStringLiteral("3")), (CorrectedCount{3, false}));
    e.setContact(QStringLiteral("Landlord"));
    e.setNote(QStringLiteral("flat {year}"));
    e.setNumber(QStringLiteral("77"));
    e.setMark(ReconcileMark::Cleared);
    e.setCategoryText(QStringLiteral("Housing:Rent"));
    e.setProjectText(QStringLiteral("Home"));
    b.ui.answer(true);
    b.ui.answer(true);
    ASSERT_EQ(e.save(), Result::Saved);

    EXPECT_EQ(b.ui.questions,
              QStringList({QStringLiteral("Category 'Housing:Rent' does not exist. Do You want to create new?"),
                           QStringLiteral("Project 'Home' does not exist. Do You want to create new?")}));
    const std::optional<PlannerEntry> p = b.plan(1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->description, QStringLiteral("Rent {month}"));
    EXPECT_EQ(p->amount.hundredths(), -123457);
    EXPECT_EQ(p->currency, QStringLiteral("EUR"));
    // The picked day at the clock's time of day.
    EXPECT_EQ(p->start, at(2024, 4, 1, 10));
    EXPECT_EQ(p->nextDate, p->start);
    EXPECT_EQ(p->completed, 0);
    EXPECT_EQ(p->rule, RecurrenceRule::Monthly);
    EXPECT_EQ(p->entries, 12);
    EXPECT_EQ(p->reminderMinutes, 3 * 1440);
    EXPECT_EQ(p->contact, QStringLiteral("Landlord"));
    EXPECT_EQ(p->note, QStringLiteral("flat {year}"));
    EXPECT_EQ(p->number, QStringLiteral("77"));
    EXPECT_EQ(p->mark, ReconcileMark::Cleared);
    EXPECT_EQ(b.categories.pathOf(p->category), QStringLiteral("Housing:Rent"));
    EXPECT_EQ(b.projects.pathOf(p->project), QStringLiteral("Home"));
    EXPECT_FALSE(p->stopped);

    // The editor holds the saved plan again, its currency now fixed.
    EXPECT_EQ(e.mode(), PlannerEditor::Mode::Existing);
    EXPECT_EQ(e.plannerId(), 1);
    EXPECT_FALSE(e.anyChanged());
    EXPECT_EQ(e.amountText(), QStringLiteral("1 234.57"));
    EXPECT_TRUE(e.isPayment());
    EXPECT_TRUE(e.isCurrencyFixed());
    EXPECT_FALSE(e.setCurrency(QStringLiteral("USD")));
    EXPECT_EQ(e.categoryText(), QStringLiteral("Housing:Rent"));
}

TEST_F(PlannerEditorTest, NewIdsPassEveryIdAPostingStillCarries)
{
    b.addPlan(RawPlan{.id = 3});
    b.addPosting(9, at(2024, 1, 1), PlannerTestBook::Cash, at(2024, 1, 2), -100);
    PlannerEditor e = described(QStringLiteral("Gym"), Money::fromHundredths(-2000));
    ASSERT_EQ(e.save(), Result::Saved);
    EXPECT_EQ(e.plannerId(), 10);
    PlannerEditor f = described(QStringLiteral("Pool"), Money::fromHundredths(-2000));
    ASSERT_EQ(f.save(), Result::Saved);
    EXPECT_EQ(f.plannerId(), 11);
}

TEST_F(PlannerEditorTest, NamesAreResolvedAsInTheTransactionEditor)
{
    // A declined category is dropped and nothing is made; the plan is saved.
    PlannerEditor declined = described(QStringLiteral("A"), Money::fromHundredths(-1));
    declined.setCategoryText(QStringLiteral("Nowhere"));
    declined.setProjectText(QStringLiteral("Nothing"));
    ASSERT_EQ(declined.save(), Result::Saved);
    EXPECT_EQ(b.plan(1)->category, 0);
    EXPECT_EQ(b.plan(1)->project, 0);
    EXPECT_EQ(b.categories.findByPath(QStringLiteral("Nowhere")), 0);
    EXPECT_EQ(b.projects.findByPath(QStringLiteral("Nothing")), 0);

    // An account in brackets makes a transfer, found whatever the case.
    PlannerEditor transfer = described(QStringLiteral("B"), Money::fromHundredths(-1));
    transfer.setCategoryText(QStringLiteral("[savings]"));
    ASSERT_EQ(transfer.save(), Result::Saved);
    EXPECT_EQ(b.plan(2)->category, -PlannerTestBook::Savings);
    EXPECT_EQ(transfer.categoryText(), QStringLiteral("[Savings]"));

    // Brackets naming no account refuse the save, without a question.
    b.ui.questions.clear();
    PlannerEditor invalid = described(QStringLiteral("C"), Money::fromHundredths(-1));
    invalid.setCategoryText(QStringLiteral("[Nobody]"));
    EXPECT_EQ(invalid.save(), Result::Refused);
    EXPECT_EQ(invalid.focusField(), Field::Category);
    EXPECT_EQ(b.ui.messages.last(), QStringLiteral("Invalid Account name."));
    EXPECT_TRUE(b.ui.questions.isEmpty());
    EXPECT_EQ(b.tables().planner().count(), 2);
}

TEST_F(PlannerEditorTest, AmountEntry)
{
    PlannerEditor e = editor();
    e.loadNew(QStringLiteral("USD"));
    // A leading minus flips Payment to Deposit and is dropped.
    e.setAmountText(QStringLiteral("-12.346"));
    EXPECT_FALSE(e.isPayment());
    EXPECT_EQ(e.amountText(), QStringLiteral("12.346"));
    e.setDescription(QStringLiteral("Salary"));
    ASSERT_EQ(e.save(), Result::Saved);
    EXPECT_EQ(b.plan(1)->amount.hundredths(), 1235);

    PlannerEditor big = described(QStringLiteral("Big"), Money());
    big.setAmountText(QStringLiteral("10000000000"));
    EXPECT_EQ(big.save(), Result::Refused);
    EXPECT_EQ(big.focusField(), Field::Amount);
    EXPECT_EQ(b.ui.messages.last(), QStringLiteral("This number too large."));
    EXPECT_EQ(b.tables().planner().count(), 1);
}

// A text longer than a backup carries is refused, with the focus on its field.
TEST_F(PlannerEditorTest, TextLongerThanABackupCarriesIsRefused)
{
    PlannerEditor e = described(QString(65536, u'd'), Money::fromHundredths(-100));
    EXPECT_EQ(e.save(), Result::Refused);
    EXPECT_EQ(e.focusField(), Field::Description);
    EXPECT_EQ(b.ui.messages.last(), QStringLiteral("This text is too long."));
    e.setDescription(QString(65535, u'd'));
    e.setNote(QString(65536, u'n'));
    EXPECT_EQ(e.save(), Result::Refused);
    EXPECT_EQ(e.focusField(), Field::Note);
    EXPECT_EQ(b.tables().planner().count(), 0);
    e.setNote(QStringLiteral("fits"));
    EXPECT_EQ(e.save(), Result::Saved);
}

// The rule decides what the number of entries may be.
TEST_F(PlannerEditorTest, OnlyOnceKeepsItsSingleEntry)
{
    PlannerEditor e = editor();
    e.loadNew(QStringLiteral("USD"));
    e.setEntriesText(QStringLiteral("5"));
    e.setOngoing();
    EXPECT_EQ(e.entries(), 1);
    e.setRule(RecurrenceRule::Weekly);
    EXPECT_EQ(e.entries(), RecurrenceRule::Ongoing);
    EXPECT_EQ(e.setEntriesText(QStringLiteral("500")), (CorrectedCount{364, true}));
    EXPECT_EQ(e.entries(), 364);
    e.setRule(RecurrenceRule::OnlyOnce);
    EXPECT_EQ(e.entries(), 1);
    e.setRule(42);
    EXPECT_EQ(e.rule(), RecurrenceRule::OnlyOnce);
    EXPECT_TRUE(e.isChanged(Field::Schedule));
    EXPECT_FALSE(e.isChanged(Field::Reminder));
}

TEST_F(PlannerEditorTest, LoadingAnExistingPlan)
{
    b.addPlan(RawPlan{.id = 4, .next = at(2024, 3, 10, 9), .amount = 2500, .completed = 2, .category = -1});
    PlannerEditor e = editor();
    EXPECT_FALSE(e.load(5));
    EXPECT_EQ(e.mode(), PlannerEditor::Mode::None);
    ASSERT_TRUE(e.load(4));
    EXPECT_EQ(e.description(), QStringLiteral("Rent"));
    EXPECT_EQ(e.amountText(), QStringLiteral("25.00"));
    EXPECT_FALSE(e.isPayment());
    EXPECT_EQ(e.categoryText(), QStringLiteral("[Cash]"));
    EXPECT_EQ(e.startDate(), at(2024, 3, 10, 9));
    EXPECT_EQ(e.save(), Result::Unchanged);

    e.setDescription(QStringLiteral("changed"));
    e.clearField(Field::Category);
    EXPECT_EQ(e.categoryText(), QString());
    e.cancel();
    EXPECT_EQ(e.description(), QStringLiteral("Rent"));
    EXPECT_EQ(e.categoryText(), QStringLiteral("[Cash]"));
    EXPECT_FALSE(e.anyChanged());
}

// Any saved change re-bases the plan on its next open occurrence.
TEST_F(PlannerEditorTest, ChangingAPlanRebasesItOnItsNextOpenDate)
{
    b.addPlan(RawPlan{.next = at(2024, 3, 10, 9), .completed = 2, .stopped = true});
    PlannerEditor e = editor();
    ASSERT_TRUE(e.load(1));
    e.setNote(QStringLiteral("new note"));
    ASSERT_EQ(e.save(), Result::Saved);
    const PlannerEntry p = *b.plan(1);
    EXPECT_EQ(p.start, at(2024, 3, 10, 9));
    EXPECT_EQ(p.nextDate, at(2024, 3, 10, 9));
    EXPECT_EQ(p.completed, 0);
    EXPECT_EQ(p.entries, 3);  // five less the two done
    EXPECT_FALSE(p.stopped);
    EXPECT_EQ(p.note, QStringLiteral("new note"));
    // Untouched fields stay.
    EXPECT_EQ(p.description, QStringLiteral("Rent"));
    EXPECT_EQ(p.amount.hundredths(), -5000);
    EXPECT_EQ(p.rule, RecurrenceRule::Monthly);
}

TEST_F(PlannerEditorTest, ChangingThePlansDateOrRule)
{
    b.addPlan(RawPlan{.id = 1, .next = at(2024, 3, 10, 9), .completed = 2});
    b.addPlan(RawPlan{.id = 2, .next = at(2024, 3, 10, 9), .completed = 2});
    b.addPlan(RawPlan{.id = 3, .next = at(2024, 3, 10, 9), .entries = RecurrenceRule::Ongoing, .completed = 2});

    // A chosen date becomes start and next open date; the open count stays the rest.
    PlannerEditor date = editor();
    ASSERT_TRUE(date.load(1));
    date.setStartDate(at(2024, 4, 2));
    ASSERT_EQ(date.save(), Result::Saved);
    EXPECT_EQ(b.plan(1)->start, at(2024, 4, 2, 10));
    EXPECT_EQ(b.plan(1)->nextDate, at(2024, 4, 2, 10));
    EXPECT_EQ(b.plan(1)->entries, 3);

    // A new rule comes with its own number of entries, counted from the next open date.
    PlannerEditor rule = editor();
    ASSERT_TRUE(rule.load(2));
    rule.setRule(RecurrenceRule::Weekly);
    rule.setEntriesText(QStringLiteral("4"));
    ASSERT_EQ(rule.save(), Result::Saved);
    EXPECT_EQ(b.plan(2)->rule, RecurrenceRule::Weekly);
    EXPECT_EQ(b.plan(2)->entries, 4);
    EXPECT_EQ(b.plan(2)->start, at(2024, 3, 10, 9));

    // An ongoing plan stays ongoing.
    PlannerEditor ongoing = editor();
    ASSERT_TRUE(ongoing.load(3));
    ongoing.setAmount(Money::fromHundredths(-6000));
    ASSERT_EQ(ongoing.save(), Result::Saved);
    EXPECT_EQ(b.plan(3)->entries, RecurrenceRule::Ongoing);
    EXPECT_EQ(b.plan(3)->amount.hundredths(), -6000);
    EXPECT_EQ(b.plan(3)->completed, 0);
}

// With every entry done, "entries less completed" would be 0, which a
// repeating rule reads as "no end": the plan must not come back to life.
TEST_F(PlannerEditorTest, AFinishedPlanStaysFinishedWhenChanged)
{
    b.addPlan(RawPlan{.next = at(2024, 6, 10, 9), .entries = 5, .completed = 5, .stopped = true});
    PlannerEditor e = editor();
    ASSERT_TRUE(e.load(1));
    e.setContact(QStringLiteral("someone"));
    ASSERT_EQ(e.save(), Result::Saved);
    const PlannerEntry p = *b.plan(1);
    EXPECT_TRUE(p.stopped);
    EXPECT_EQ(p.entries, 1);
    EXPECT_EQ(p.completed, 0);
}

TEST_F(PlannerEditorTest, SavingRebuildsTheFutureListUpToTheHorizon)
{
    ASSERT_TRUE(b.future.build(at(2024, 3, 31), true));
    PlannerEditor e = described(QStringLiteral("Gym"), Money::fromHundredths(-2000));
    e.setStartDate(at(2024, 3, 20));
    e.setRule(RecurrenceRule::Weekly);
    ASSERT_EQ(e.save(), Result::Saved);
    EXPECT_EQ(b.horizon, endOfDay(at(2024, 3, 31)));
    // 20 and 27 March fall inside the horizon.
    std::vector<FutureEntry> entries = b.future.entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].date, at(2024, 3, 20, 10));
    EXPECT_EQ(entries[1].date, at(2024, 3, 27, 10));

    // Moved to April, the March rows go with the next forced build.
    e.setStartDate(at(2024, 4, 3));
    ASSERT_EQ(e.save(), Result::Saved);
    EXPECT_TRUE(b.future.entries().empty());
}

}  // namespace
