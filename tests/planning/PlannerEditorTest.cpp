#include "planning/PlannerEditor.h"

#include "PlannerTestBook.h"
#include "planning/PlannerActions.h"
#include "planning/RecurrenceRule.h"

#include <functional>

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

    EXPECT_EQ(
        b.ui.questions,
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

// A change that leaves the schedule alone keeps start and completed count,
// so the dates stay where they are; the change activates a stopped plan.
TEST_F(PlannerEditorTest, ChangingAPlanOutsideItsScheduleKeepsItsDates)
{
    b.addPlan(RawPlan{.next = at(2024, 3, 10, 9), .completed = 2, .stopped = true});
    PlannerEditor e = editor();
    ASSERT_TRUE(e.load(1));
    e.setNote(QStringLiteral("new note"));
    ASSERT_EQ(e.save(), Result::Saved);
    const PlannerEntry p = *b.plan(1);
    EXPECT_EQ(p.start, at(2024, 1, 10, 9));
    EXPECT_EQ(p.nextDate, at(2024, 3, 10, 9));
    EXPECT_EQ(p.completed, 2);
    EXPECT_EQ(p.entries, 5);
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
    b.addPlan(
        RawPlan{.id = 3, .next = at(2024, 3, 10, 9), .entries = RecurrenceRule::Ongoing, .completed = 2});

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
    EXPECT_EQ(b.plan(3)->completed, 2);
}

// With every entry done, "entries less completed" would be 0, which a
// repeating rule reads as "no end": the plan must not come back to life,
// whatever is changed and however it is activated afterwards.
TEST_F(PlannerEditorTest, AFinishedPlanStaysFinishedWhenChangedAndActivated)
{
    const std::vector<std::function<void(PlannerEditor&)>> edits = {
        [](PlannerEditor& e) { e.setContact(QStringLiteral("someone")); },
        [](PlannerEditor& e) { e.setDescription(QStringLiteral("Rent {month}")); },
        [](PlannerEditor& e) { e.setEntriesText(QStringLiteral("5")); },
        [](PlannerEditor& e) { e.setStartDate(at(2024, 7, 1)); },
    };
    for (size_t i = 0; i < edits.size(); ++i) {
        PlannerTestBook fresh;
        fresh.addPlan(RawPlan{.next = at(2024, 6, 10, 9), .entries = 5, .completed = 5, .stopped = true});
        PlannerEditor e(fresh.editorContext());
        ASSERT_TRUE(e.load(1));
        edits[i](e);
        ASSERT_EQ(e.save(), Result::Saved) << i;
        const PlannerEntry p = *fresh.plan(1);
        EXPECT_TRUE(p.stopped) << i;
        EXPECT_TRUE(p.isFinished()) << i;
        EXPECT_EQ(p.start, at(2024, 1, 10, 9)) << i;
        PlannerActions actions(fresh.tables(), fresh.future, fresh.clock, fresh.ui);
        EXPECT_EQ(actions.toggleStopped(1), std::optional<bool>(true)) << i;
        EXPECT_TRUE(fresh.plan(1)->stopped) << i;
        ASSERT_TRUE(fresh.future.build(at(2024, 12, 31), true));
        EXPECT_TRUE(fresh.future.entries().empty()) << i;
    }
}

// The number typed counts from the plan's start: with the rule kept, the plan
// holds that many in all, the completed ones included.
TEST_F(PlannerEditorTest, ANewNumberOfEntriesCountsTheCompletedOnes)
{
    const struct {
        const char* typed;
        qint32 open;  // entries left open after the edit
        bool finished;
    } cases[] = {
        {"5", 3, false},
        {"3", 1, false},
        {"2", 0, true},
        {"1", 0, true},
    };
    for (const auto& c : cases) {
        PlannerTestBook fresh;
        fresh.addPlan(RawPlan{.next = at(2024, 3, 10, 9), .completed = 2});
        PlannerEditor e(fresh.editorContext());
        ASSERT_TRUE(e.load(1));
        e.setEntriesText(QString::fromLatin1(c.typed));
        ASSERT_EQ(e.save(), Result::Saved) << c.typed;
        const PlannerEntry p = *fresh.plan(1);
        EXPECT_EQ(p.isFinished(), c.finished) << c.typed;
        EXPECT_EQ(p.stopped, c.finished) << c.typed;
        ASSERT_TRUE(fresh.future.build(at(2025, 12, 31), true));
        EXPECT_EQ(fresh.future.entries().size(), static_cast<size_t>(c.open)) << c.typed;
    }
}

// Partial postings that cover a lowered amount complete their occurrence: the
// plan moves past it, and a plan of one entry ends.
TEST_F(PlannerEditorTest, LoweringTheAmountBelowThePartlyPostedCompletesTheOccurrence)
{
    const struct {
        qint32 entries;
        qint64 lowered;
        qint32 completed;  // -1: the plan is gone
        size_t listed;     // up to 10 April
    } cases[] = {
        {3, -4000, 1, 1},   // 6000 posted of 10000, lowered to 4000
        {3, -6000, 1, 1},   // exactly covered
        {3, -7000, 0, 2},   // 1000 still open
        {1, -4000, -1, 0},  // the only entry: the plan is done with
    };
    for (const auto& c : cases) {
        PlannerTestBook fresh;
        fresh.addPlan(RawPlan{.start = at(2024, 3, 10, 9), .amount = -10000, .entries = c.entries});
        fresh.addPosting(1, at(2024, 3, 10, 9), PlannerTestBook::Cash, at(2024, 3, 11, 12), -6000, true);
        PlannerEditor e(fresh.editorContext());
        ASSERT_TRUE(e.load(1));
        e.setAmount(Money::fromHundredths(c.lowered));
        ASSERT_EQ(e.save(), Result::Saved) << c.lowered;
        const std::optional<PlannerEntry> p = fresh.plan(1);
        if (c.completed < 0) {
            EXPECT_FALSE(p) << c.lowered;
        } else {
            ASSERT_TRUE(p) << c.lowered;
            EXPECT_EQ(p->completed, c.completed) << c.lowered;
            EXPECT_EQ(p->nextDate, c.completed == 1 ? at(2024, 4, 10, 9) : at(2024, 3, 10, 9)) << c.lowered;
        }
        ASSERT_TRUE(fresh.future.build(at(2024, 4, 10), true));
        EXPECT_EQ(fresh.future.entries().size(), c.listed) << c.lowered;
    }
}

// Dates anchored at the start (the 31st) must not move to where the next
// open occurrence happened to fall after an edit of the amount alone.
TEST_F(PlannerEditorTest, AnEditOfTheAmountKeepsDatesAnchoredAtTheStart)
{
    const struct {
        qint32 rule;
        FileTime next;  // occurrence 1
        FileTime until;
        std::vector<FileTime> expected;
    } cases[] = {
        {RecurrenceRule::Monthly,
         at(2024, 2, 29, 9),
         at(2024, 4, 30),
         {at(2024, 2, 29, 9), at(2024, 3, 31, 9), at(2024, 4, 30, 9)}},
        {RecurrenceRule::Quarterly,
         at(2024, 4, 30, 9),
         at(2024, 7, 31),
         {at(2024, 4, 30, 9), at(2024, 7, 31, 9)}},
    };
    for (const auto& c : cases) {
        PlannerTestBook fresh;
        fresh.addPlan(RawPlan{.start = at(2024, 1, 31, 9), .next = c.next, .rule = c.rule, .completed = 1});
        PlannerEditor e(fresh.editorContext());
        ASSERT_TRUE(e.load(1));
        e.setAmount(Money::fromHundredths(-7000));
        ASSERT_EQ(e.save(), Result::Saved) << c.rule;
        ASSERT_TRUE(fresh.future.build(c.until, true));
        std::vector<FileTime> dates;
        for (const FutureEntry& f : fresh.future.entries())
            dates.push_back(f.date);
        EXPECT_EQ(dates, c.expected) << c.rule;
    }
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
