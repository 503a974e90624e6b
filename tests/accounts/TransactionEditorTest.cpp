// The transaction editor on new and existing transactions: amounts, the
// unique-key rule, names typed into the category and project fields, re-dating,
// the next number, deleting, and a save cut off by a failing write.

#include "TransactionEditorTestBook.h"

#include "accounts/EditorNextNumber.h"
#include "store/SortScope.h"

namespace {

using Field = TransactionEditor::Field;

class TransactionEditorTest : public ::testing::Test, public TransactionEditorTestBook {};

TEST_F(TransactionEditorTest, NewRowLoadsEmptyAsAPaymentOfNothing)
{
    ASSERT_TRUE(editor.load(0));
    EXPECT_EQ(editor.mode(), TransactionEditor::Mode::New);
    EXPECT_EQ(editor.description(), QStringLiteral("<_New_Transaction_>"));
    EXPECT_EQ(editor.amountText(), QStringLiteral("0.00"));
    EXPECT_TRUE(editor.isPayment());
    EXPECT_FALSE(editor.anyChanged());
    EXPECT_FALSE(editor.save(true)) << "nothing changed, nothing written";
    EXPECT_FALSE(editor.load(1)) << "no future list yet: the row is outside";
}

TEST_F(TransactionEditorTest, TypedPaymentIsRoundedAndUntouchedDescriptionIsUntitled)
{
    startNew(Cash, QStringLiteral("12.346"));
    editor.setPayment(true);
    ASSERT_TRUE(editor.save(false));
    const auto e = entry(Cash, 0);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->amount.hundredths(), -1235);
    EXPECT_EQ(e->balance.hundredths(), -1235);
    EXPECT_EQ(e->description, QStringLiteral("untitled transaction"));
    EXPECT_EQ(e->currency, QStringLiteral("USD"));
    EXPECT_EQ(totalOf(Cash).hundredths(), -1235);
    // The editor now holds the saved row, showing the magnitude and the choice.
    EXPECT_EQ(editor.mode(), TransactionEditor::Mode::Existing);
    EXPECT_EQ(editor.row(), 0);
    EXPECT_EQ(editor.amountText(), QStringLiteral("12.35"));
    EXPECT_TRUE(editor.isPayment());
    expectConsistent();
}

TEST_F(TransactionEditorTest, LeadingMinusSwitchesDepositAndPayment)
{
    ASSERT_TRUE(editor.load(0));
    editor.setPayment(false);
    editor.setAmountText(QStringLiteral("-5"));
    EXPECT_TRUE(editor.isPayment());
    EXPECT_EQ(editor.amountText(), QStringLiteral("5"));
    editor.setAmountText(QStringLiteral("-5"));
    EXPECT_FALSE(editor.isPayment());
}

TEST_F(TransactionEditorTest, AmountNeverEditedStopsOkButForcedSaveStoresZero)
{
    ASSERT_TRUE(editor.load(0));
    editor.setDescription(QStringLiteral("Coffee"));
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(editor.focusField(), Field::Amount);
    EXPECT_EQ(countOf(Cash), 0);
    EXPECT_TRUE(ui.messages.isEmpty());
    ASSERT_TRUE(editor.save(true));
    const auto e = entry(Cash, 0);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->amount.hundredths(), 0);
    EXPECT_EQ(e->description, QStringLiteral("Coffee"));
}

TEST_F(TransactionEditorTest, TenThousandMillionIsRefusedEitherWay)
{
    for (const bool payment : {false, true}) {
        startNew(Cash, QStringLiteral("10,000,000,000.00"));
        editor.setPayment(payment);
        ui.messages.clear();
        EXPECT_FALSE(editor.save(false));
        EXPECT_EQ(ui.messages, QStringList{QStringLiteral("This number too large.")});
        EXPECT_EQ(editor.focusField(), Field::Amount);
        EXPECT_EQ(countOf(Cash), 0);
    }
    // The largest amount passes; a forced new transaction takes 0 for a too large one.
    addNew(Cash, QStringLiteral("-9,999,999,999.99"));
    startNew(Cash, QStringLiteral("10000000000"));
    ASSERT_TRUE(editor.save(true));
    EXPECT_EQ(entry(Cash, 0)->amount.hundredths(), -999'999'999'999);
    EXPECT_EQ(entry(Cash, 1)->amount.hundredths(), 0);
    // Editing an existing one to a too large amount is refused even when forced.
    ASSERT_TRUE(editor.load(0));
    editor.setAmountText(QStringLiteral("10000000000"));
    EXPECT_FALSE(editor.save(true));
    EXPECT_EQ(entry(Cash, 0)->amount.hundredths(), -999'999'999'999);
    expectConsistent();
}

// A book must stay one that can be backed up: a text longer than a backup
// carries is refused, even by a forced save, with the focus on its field.
TEST_F(TransactionEditorTest, TextLongerThanABackupCarriesIsRefusedEvenWhenForced)
{
    startNew(Cash, QStringLiteral("5"));
    editor.setNote(QString(65536, u'n'));
    for (const bool forced : {false, true}) {
        ui.messages.clear();
        EXPECT_FALSE(editor.save(forced));
        EXPECT_EQ(ui.messages, QStringList{QStringLiteral("This text is too long.")});
        EXPECT_EQ(editor.focusField(), Field::Note);
        EXPECT_EQ(countOf(Cash), 0);
    }
    editor.setNote(QString(65535, u'n'));
    ASSERT_TRUE(editor.save(false));
    ASSERT_TRUE(editor.load(0));
    editor.setContact(QString(70000, u'c'));
    EXPECT_FALSE(editor.save(true));
    EXPECT_EQ(editor.focusField(), Field::Contact);
    EXPECT_EQ(entry(Cash, 0)->contact, QString());
    EXPECT_EQ(entry(Cash, 0)->note.size(), 65535);
}

TEST_F(TransactionEditorTest, EntriesOfOnePastDayGetKeysOneMillisecondApartInEntryOrder)
{
    for (const char* amount : {"1", "2", "3"}) {
        startNew(Cash, QString::fromLatin1(amount));
        editor.setDate(at(3, 1, 0));
        ASSERT_TRUE(editor.save(false));
    }
    // The day with the clock's time of day, then one millisecond after the day's last.
    EXPECT_EQ(entry(Cash, 0)->key, QStringLiteral("1_20240301100000001"));
    EXPECT_EQ(entry(Cash, 1)->key, QStringLiteral("1_20240301100000002"));
    EXPECT_EQ(entry(Cash, 2)->key, QStringLiteral("1_20240301100000003"));
    EXPECT_EQ(entry(Cash, 2)->amount.hundredths(), 300);
    EXPECT_EQ(entry(Cash, 2)->balance.hundredths(), 600);
    // Today's entry takes the current time.
    addNew(Cash, QStringLiteral("4"));
    EXPECT_EQ(entry(Cash, 3)->key, QStringLiteral("1_20240305100000001"));
    expectConsistent();
}

TEST_F(TransactionEditorTest, NewDescriptionFollowsTheCategoryUntilTyped)
{
    startNew(Cash, QStringLiteral("-3"));
    editor.setCategoryText(QStringLiteral("Food"));
    EXPECT_EQ(editor.description(), QStringLiteral("Food"));
    editor.clearField(Field::Category);
    EXPECT_EQ(editor.description(), QString());
    editor.setCategoryText(QStringLiteral("Food"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(entry(Cash, 0)->description, QStringLiteral("Food"));
    EXPECT_EQ(entry(Cash, 0)->category, Food);

    startNew(Cash, QStringLiteral("-3"));
    editor.setDescription(QStringLiteral("Lunch"));
    editor.setCategoryText(QStringLiteral("Food"));
    EXPECT_EQ(editor.description(), QStringLiteral("Lunch"));
}

TEST_F(TransactionEditorTest, MissingCategoryAndProjectAreMadeOnlyOnYes)
{
    startNew(Cash, QStringLiteral("-3"));
    editor.setCategoryText(QStringLiteral("Food:Bakery"));
    editor.setProjectText(QStringLiteral("Garden"));
    ui.answer(true);   // the category
    ui.answer(false);  // the project
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(
        ui.questions,
        (QStringList{QStringLiteral("Category 'Food:Bakery' does not exist. Do You want to create new?"),
                     QStringLiteral("Project 'Garden' does not exist. Do You want to create new?")}));
    const auto e = entry(Cash, 0);
    EXPECT_EQ(categories.pathOf(e->category), QStringLiteral("Food:Bakery"));
    EXPECT_EQ(e->project, 0);
    EXPECT_EQ(projects.findByPath(QStringLiteral("Garden")), 0);
}

TEST_F(TransactionEditorTest, UnknownAccountInBracketsStopsTheSaveAndTransferToItselfIsDropped)
{
    startNew(Cash, QStringLiteral("-3"));
    editor.setCategoryText(QStringLiteral("[Nowhere]"));
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Invalid Account name.")});
    EXPECT_EQ(editor.focusField(), Field::Category);
    EXPECT_EQ(countOf(Cash), 0);

    editor.setCategoryText(QStringLiteral("[cash]"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(entry(Cash, 0)->category, 0);
    EXPECT_EQ(countOf(Checking), 0);
    expectConsistent();
}

TEST_F(TransactionEditorTest, EditingAnAmountRecalculatesTheBalancesAfterIt)
{
    addNew(Cash, QStringLiteral("100"));
    addNew(Cash, QStringLiteral("-30"));
    addNew(Cash, QStringLiteral("-20"));
    ASSERT_TRUE(editor.load(1));
    EXPECT_EQ(editor.amountText(), QStringLiteral("30.00"));
    editor.setAmountText(QStringLiteral("45"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(entry(Cash, 1)->amount.hundredths(), -4500);
    EXPECT_EQ(entry(Cash, 2)->balance.hundredths(), 3500);
    EXPECT_EQ(totalOf(Cash).hundredths(), 3500);
    // Typing back the stored value changes nothing; Deposit makes it positive.
    ASSERT_TRUE(editor.load(1));
    editor.setPayment(false);
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(totalOf(Cash).hundredths(), 12500);
    expectConsistent();
}

TEST_F(TransactionEditorTest, RedatingMovesTheTransactionAndRewritesItsProjectKey)
{
    addNew(Cash, QStringLiteral("100"));
    startNew(Cash, QStringLiteral("-30"));
    editor.setProjectText(QStringLiteral("House"));
    ASSERT_TRUE(editor.save(false));
    const QString oldKey = editor.key();
    EXPECT_EQ(textOf(oldKey, Prop::ProjectKey), fullKey(House, int64Of(oldKey, Prop::Date)));

    ASSERT_TRUE(editor.load(1));
    editor.setDate(at(2, 20));
    ASSERT_TRUE(editor.save(false));
    EXPECT_FALSE(exists(oldKey));
    EXPECT_EQ(editor.row(), 0);
    const QString newKey = editor.key();
    EXPECT_EQ(newKey, QStringLiteral("1_20240220100000001"));
    EXPECT_EQ(textOf(newKey, Prop::ProjectKey), QStringLiteral("2_20240220100000001"));
    EXPECT_EQ(entry(Cash, 0)->balance.hundredths(), -3000);
    EXPECT_EQ(entry(Cash, 1)->balance.hundredths(), 7000);
    // The same day again is no re-dating: the key stays.
    ASSERT_TRUE(editor.load(0));
    editor.setDate(at(2, 20, 23));
    editor.setNote(QStringLiteral("n"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(editor.key(), newKey);
    expectConsistent();
}

TEST_F(TransactionEditorTest, ChangingTheProjectMarksOldAndNewStale)
{
    const qint32 garden = projects.create(RootProjectId, QStringLiteral("Garden"));
    ASSERT_TRUE(totals.updateAll(u"USD"));
    startNew(Cash, QStringLiteral("-30"));
    editor.setProjectText(QStringLiteral("House"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_FALSE(totals.totalsOf(House)->valid);
    ASSERT_TRUE(totals.updateAll(u"USD"));
    editor.setProjectText(QStringLiteral("Garden"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_FALSE(totals.totalsOf(House)->valid);
    EXPECT_FALSE(totals.totalsOf(garden)->valid);
    EXPECT_EQ(textOf(editor.key(), Prop::ProjectKey).section(u'_', 0, 0), QString::number(garden));
    editor.clearField(Field::Project);
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(textOf(editor.key(), Prop::ProjectKey), QString());
    EXPECT_EQ(entry(Cash, 0)->project, 0);
}

TEST_F(TransactionEditorTest, CancelDropsTheChanges)
{
    addNew(Cash, QStringLiteral("7"));
    ASSERT_TRUE(editor.load(0));
    editor.setNote(QStringLiteral("draft"));
    editor.cancel();
    EXPECT_FALSE(editor.anyChanged());
    EXPECT_EQ(editor.note(), QString());
    EXPECT_FALSE(editor.save(false));
}

TEST_F(TransactionEditorTest, NextNumberFollowsTheNewestNumberedPayment)
{
    ASSERT_TRUE(editor.load(0));
    editor.takeNextNumber();
    EXPECT_EQ(editor.number(), QStringLiteral("1"));
    const auto numbered = [&](const char* amount, const char* number) {
        startNew(Cash, QString::fromLatin1(amount));
        editor.setNumber(QString::fromLatin1(number));
        ASSERT_TRUE(editor.save(false));
    };
    numbered("-1", "41");
    numbered("-1", "9223372036854775806");
    numbered("5", "500");  // a deposit never counts
    numbered("-1", "x7");  // nor a number that is not one
    numbered("-1", "0");
    ASSERT_TRUE(editor.load(countOf(Cash)));
    editor.takeNextNumber();
    EXPECT_TRUE(editor.isChanged(Field::Number));
    EXPECT_EQ(editor.number(), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(EditorNextNumber::next(std::numeric_limits<qint64>::max()),
              QStringLiteral("9223372036854775807"));
}

TEST_F(TransactionEditorTest, NumberTextsThatCountAsNumbers)
{
    const std::vector<std::pair<const char*, std::optional<qint64>>> cases = {
        {"12", 12},
        {" 12 ", 12},
        {"-3", -3},
        {"+4", 4},
        {"0", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1a", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(EditorNextNumber::parse(QString::fromLatin1(text)), expected) << text;
}

TEST_F(TransactionEditorTest, DeletingAsksFirstAndRecalculates)
{
    addNew(Cash, QStringLiteral("100"));
    addNew(Cash, QStringLiteral("-30"));
    addNew(Cash, QStringLiteral("-20"));
    ASSERT_TRUE(editor.load(1));
    EXPECT_FALSE(editor.deleteRow());
    EXPECT_EQ(ui.questions.last(),
              QStringLiteral("This transaction will be deleted. Do you wish to continue?"));
    EXPECT_EQ(countOf(Cash), 3);
    ui.answer(true);
    ASSERT_TRUE(editor.load(1));
    ASSERT_TRUE(editor.deleteRow());
    EXPECT_EQ(countOf(Cash), 2);
    EXPECT_EQ(entry(Cash, 1)->balance.hundredths(), 8000);
    EXPECT_EQ(totalOf(Cash).hundredths(), 8000);
    // The new-transaction row has nothing to delete.
    ASSERT_TRUE(editor.load(2));
    EXPECT_FALSE(editor.deleteRow());
    expectConsistent();
}

// Every write of a transfer failing in turn: each cut-off save leaves the
// book exactly as it was, until one gets through whole.
TEST_F(TransactionEditorTest, FailingWriteAnywhereLeavesTheBookAsItWas)
{
    addNew(Cash, QStringLiteral("100"));
    addNew(Checking, QStringLiteral("50"));
    ASSERT_TRUE(totals.updateAll(u"USD"));
    int failAt = 1;
    bool saved = false;
    for (; failAt < 200 && !saved; ++failAt) {
        startNew(Cash, QStringLiteral("-25"));
        editor.setCategoryText(QStringLiteral("[Checking]"));
        editor.setProjectText(QStringLiteral("House"));
        int writes = 0;
        book.store().setWriteFault([&] { return ++writes == failAt; });
        saved = editor.save(false).isSaved();
        book.store().setWriteFault({});
        if (saved)
            break;
        ASSERT_EQ(countOf(Cash), 1) << "write " << failAt;
        ASSERT_EQ(countOf(Checking), 1) << "write " << failAt;
        ASSERT_EQ(tables().transactions().count(), 2) << "write " << failAt;
        ASSERT_EQ(totalOf(Cash).hundredths(), 10000);
        ASSERT_TRUE(totals.totalsOf(House)->valid) << "write " << failAt;
        expectConsistent();
    }
    ASSERT_TRUE(saved);
    EXPECT_GT(failAt, 4) << "the save took several writes";
    EXPECT_EQ(totalOf(Cash).hundredths(), 7500);
    EXPECT_EQ(totalOf(Checking).hundredths(), 7500);
    expectConsistent();
}

}  // namespace
