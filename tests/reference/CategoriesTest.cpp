#include "reference/Categories.h"

#include "TreeTestBook.h"
#include "reference/DefaultCategories.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Outcome = TreeTable::DeleteOutcome;

class CategoriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(b.categories.createDefaults(b.ui));
        b.addAccount(3, QStringLiteral("Checking"), 12345);
        b.addAccount(7, QStringLiteral("Savings"));
        b.addAccount(9, QStringLiteral("checking account"));
    }
    Categories& cats() { return b.categories; }
    DbTable& table() { return b.tables().categories(); }

    TreeTestBook b;
};

TEST_F(CategoriesTest, DefaultTreeHoldsSeventyFiveRowsWithIdsInListOrder)
{
    ASSERT_EQ(table().count(), 75);
    EXPECT_EQ(b.ui.statuses, QStringList{QStringLiteral("Creating categories...")});
    const auto rows = defaultCategories();
    for (qint32 id = 1; id <= 75; ++id) {
        const std::optional<TreeRecord> r = cats().tree().record(id);
        ASSERT_TRUE(r) << id;
        EXPECT_EQ(r->name, QString::fromUtf8(rows[static_cast<size_t>(id - 1)].name)) << id;
    }
    EXPECT_EQ(cats().tree().record(1)->parent, 0);
}

TEST_F(CategoriesTest, DefaultTreeNestsChildrenUnderTheRowBefore)
{
    const struct {
        qint32 id;
        const char* path;
    } cases[] = {
        {1, "All categories"},
        {2, "Advertising"},
        {3, "Auto"},
        {4, "Auto:Fuel"},
        {5, "Auto:Service"},
        {6, "Bad Debt"},
        {15, "Cost of Goods"},
        {18, "Cost of Goods:Other"},
        {19, "Canada Pension Plan"},
        {34, "Insurance"},
        {35, "Insurance:Auto"},
        {36, "Insurance:Home"},
        {37, "Interest Earned"},
        {61, "Taxes"},
        {62, "Taxes:Federal"},
        {64, "Taxes:Other"},
        {67, "Taxes:State"},
        {68, "Telephone"},
        {71, "Utilities"},
        {74, "Utilities:Water"},
        {75, "Wages & Job Credits"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cats().pathOf(c.id), QString::fromUtf8(c.path)) << c.id;
    int topLevel = 0;
    for (const TreeRecord& r : cats().tree().records())
        topLevel += r.parent == 1 ? 1 : 0;
    EXPECT_EQ(topLevel, 58);
}

TEST_F(CategoriesTest, DefaultsAreNotWrittenIntoATableThatHoldsRecords)
{
    b.ui.statuses.clear();
    EXPECT_TRUE(cats().createDefaults(b.ui));
    EXPECT_EQ(table().count(), 75);
    EXPECT_TRUE(b.ui.statuses.isEmpty());
}

TEST(CategoriesDefaults, StartAtIdOneAfterTheTableWasEmptiedInTheSameRun)
{
    TreeTestBook b;
    const qint32 early = b.categories.create(0, QStringLiteral("Scratch"));
    ASSERT_EQ(early, 1);
    ASSERT_TRUE(b.tables().categories().deleteAt(0));
    ASSERT_TRUE(b.categories.createDefaults(b.ui));
    EXPECT_EQ(b.categories.pathOf(4), QStringLiteral("Auto:Fuel"));
    EXPECT_EQ(b.categories.create(1, QStringLiteral("Next")), 76);
}

TEST(CategoriesDefaults, AFailedWriteLeavesTheTableEmpty)
{
    TreeTestBook b;
    int writes = 0;
    b.book.store().setWriteFault([&writes] { return ++writes > 40; });
    EXPECT_FALSE(b.categories.createDefaults(b.ui));
    b.book.store().setWriteFault({});
    EXPECT_EQ(b.tables().categories().count(), 0);
    ASSERT_TRUE(b.categories.createDefaults(b.ui));
    EXPECT_EQ(b.categories.pathOf(75), QStringLiteral("Wages & Job Credits"));
}

TEST_F(CategoriesTest, PathOfNamesTransfersByAccount)
{
    EXPECT_EQ(cats().pathOf(-3), QStringLiteral("[Checking]"));
    EXPECT_EQ(cats().pathOf(-7), QStringLiteral("[Savings]"));
    EXPECT_EQ(cats().pathOf(-4), QString());
    EXPECT_EQ(cats().pathOf(0), QString());
    EXPECT_EQ(cats().pathOf(76), QString());
    EXPECT_EQ(cats().pathOf(std::numeric_limits<qint32>::min()), QString()) << "no account, no overflow";
}

TEST_F(CategoriesTest, FindByPathReadsCategoriesAndTransfers)
{
    const struct {
        const char* text;
        qint32 id;
    } cases[] = {
        {"auto:fuel", 4},
        {"Auto", 3},
        {"INSURANCE:AUTO", 35},
        {"Taxes:Other", 64},
        {"Cost of Goods:Other", 18},
        {"Fuel", 0},
        {"Auto:Fuel:", 0},
        {"", 0},
        {"[checking]", -3},
        {"[Checking", -3},
        {"[SAVINGS]", -7},
        {"[checking account]", -9},
        {"[Check]", 0},
        {"[]", 0},
        {"[", 0},
        {"[Cash]", 0},
        {"Checking", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cats().findByPath(QString::fromUtf8(c.text)), c.id) << c.text;
}

TEST_F(CategoriesTest, FindByPathPrefixCompletesCategoriesAndAccounts)
{
    const struct {
        const char* typed;
        qint32 id;
    } cases[] = {
        {"Au", 3},       {"auto:", 4},   {"Auto:S", 5}, {"Insurance:A", 35}, {"Ta", 61},
        {"taxes:s", 66}, {"W", 75},      {"All", 0},    {"Zz", 0},           {"Insurance:Z", 0},
        {"[Ch", -3},     {"[check", -3}, {"[s", -7},    {"[", -3},           {"[x", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cats().findByPathPrefix(QString::fromUtf8(c.typed)), c.id) << c.typed;
}

TEST_F(CategoriesTest, CreateByPathCountsAndHangsUnderTheRoot)
{
    const quint64 before = cats().changeCount();
    EXPECT_EQ(cats().createByPath(QStringLiteral("auto:Fuel:Diesel")), 76);
    EXPECT_EQ(cats().pathOf(76), QStringLiteral("Auto:Fuel:Diesel"));
    EXPECT_EQ(cats().createByPath(QStringLiteral("Pets")), 77);
    EXPECT_EQ(cats().tree().record(77)->parent, 1);
    EXPECT_EQ(cats().createByPath(QString()), 1);
    EXPECT_EQ(cats().changeCount(), before + 2);
}

TEST_F(CategoriesTest, RenameRefusesAColon)
{
    const quint64 before = cats().changeCount();
    EXPECT_FALSE(cats().tree().rename(4, QStringLiteral("Fuel:Diesel"), b.ui));
    EXPECT_EQ(b.ui.messages, QStringList{QStringLiteral("A name can not contain ':'.")});
    ASSERT_EQ(b.ui.icons.size(), 1u);
    EXPECT_EQ(b.ui.icons[0], Interaction::Icon::Exclamation);
    EXPECT_EQ(cats().pathOf(4), QStringLiteral("Auto:Fuel"));
    EXPECT_EQ(cats().changeCount(), before);

    EXPECT_TRUE(cats().tree().rename(4, QStringLiteral("Petrol & Diesel"), b.ui));
    EXPECT_EQ(cats().findByPath(QStringLiteral("Auto:Petrol & Diesel")), 4);
    EXPECT_EQ(cats().changeCount(), before + 1);
    EXPECT_FALSE(cats().tree().rename(99, QStringLiteral("Nothing"), b.ui));
    EXPECT_EQ(cats().changeCount(), before + 1);
}

TEST_F(CategoriesTest, DeleteIsRefusedWithoutAskingForRootsBranchesAccountsAndParents)
{
    const quint64 before = cats().changeCount();
    for (const qint32 id : {1, 0, -3, 3, 61, 76, -1000})
        EXPECT_EQ(cats().remove(id, b.ui), Outcome::Refused) << id;
    EXPECT_TRUE(b.ui.questions.isEmpty());
    EXPECT_EQ(table().count(), 75);
    EXPECT_EQ(cats().changeCount(), before);
}

TEST_F(CategoriesTest, DeleteAsksAndNoKeepsEverything)
{
    b.addTransaction(1, 4, 0);
    EXPECT_EQ(cats().remove(4, b.ui), Outcome::Declined);
    EXPECT_EQ(b.ui.questions, QStringList{QStringLiteral("Delete Category 'Fuel' ?")});
    EXPECT_EQ(table().count(), 75);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().transactions(), Prop::CategoryId, 4), 1);
}

TEST_F(CategoriesTest, DeleteClearsTheCategoryOfTransactionsPlansAndFutureEntries)
{
    b.addTransaction(1, 4, 0);
    b.addTransaction(2, 5, 0);
    b.addTransaction(3, 4, 0);
    b.addTransaction(4, -7, 0);
    b.addPlan(1, 4, 0);
    b.addPlan(2, 35, 0);
    b.addScheduled(at(2004, 1, 1), 4, 0);
    b.addScheduled(at(2004, 1, 2), 5, 0);
    const quint64 before = cats().changeCount();
    b.ui.answer(true);

    EXPECT_EQ(cats().remove(4, b.ui), Outcome::Deleted);

    EXPECT_EQ(table().count(), 74);
    EXPECT_FALSE(cats().tree().exists(4));
    EXPECT_GT(cats().changeCount(), before);
    DbTable& tx = b.tables().transactions();
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::CategoryId, 4), 0);
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::CategoryId, 0), 2);
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::CategoryId, 5), 1);
    EXPECT_EQ(TreeTestBook::countWhere(tx, Prop::CategoryId, -7), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().planner(), Prop::CategoryId, 0), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().planner(), Prop::CategoryId, 35), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().scheduled(), Prop::CategoryId, 0), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().scheduled(), Prop::CategoryId, 5), 1);
    // The cursors stay in their working orders.
    EXPECT_EQ(tx.sortId(), Prop::AccountKey);
    EXPECT_EQ(b.tables().scheduled().sortId(), Prop::Date);
    EXPECT_EQ(table().sortId(), Prop::CategoryId);
}

TEST_F(CategoriesTest, DeleteThatFailsHalfwayChangesNothing)
{
    b.addTransaction(1, 4, 0);
    b.addPlan(1, 4, 0);
    b.ui.answer(true);
    int writes = 0;
    // The transaction's category is written, the plan's write fails.
    b.book.store().setWriteFault([&writes] { return ++writes > 1; });
    EXPECT_EQ(cats().remove(4, b.ui), Outcome::Failed);
    b.book.store().setWriteFault({});
    EXPECT_TRUE(cats().tree().exists(4));
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().transactions(), Prop::CategoryId, 4), 1);
    EXPECT_EQ(TreeTestBook::countWhere(b.tables().planner(), Prop::CategoryId, 4), 1);
}

TEST_F(CategoriesTest, ALeafLeftByDeletingItsChildrenCanGo)
{
    b.ui.answer(true);
    b.ui.answer(true);
    b.ui.answer(true);
    EXPECT_EQ(cats().remove(4, b.ui), Outcome::Deleted);
    EXPECT_EQ(cats().remove(3, b.ui), Outcome::Refused);
    EXPECT_EQ(cats().remove(5, b.ui), Outcome::Deleted);
    EXPECT_EQ(cats().remove(3, b.ui), Outcome::Deleted);
    EXPECT_EQ(b.ui.questions.size(), 3);
    EXPECT_EQ(cats().findByPath(QStringLiteral("Auto")), 0);
    EXPECT_EQ(cats().findByPath(QStringLiteral("Insurance:Auto")), 35);
}

TEST_F(CategoriesTest, ARecordNamingItselfAsParentIsNotItsOwnChild)
{
    b.addRaw(table(), Prop::CategoryId, 80, 80, QStringLiteral("Loop"));
    b.ui.answer(true);
    EXPECT_EQ(cats().pathOf(80), QStringLiteral("Loop"));
    EXPECT_EQ(cats().remove(80, b.ui), Outcome::Deleted);
}

TEST_F(CategoriesTest, CheckStateIsKeptAndCountedOnlyWhenItChanges)
{
    const quint64 before = cats().changeCount();
    EXPECT_FALSE(cats().tree().setCheckState(4, 0));
    EXPECT_TRUE(cats().tree().setCheckState(4, 1));
    EXPECT_FALSE(cats().tree().setCheckState(4, 1));
    EXPECT_EQ(cats().tree().record(4)->checkState, 1);
    EXPECT_FALSE(cats().tree().setCheckState(99, 1));
    EXPECT_EQ(cats().changeCount(), before + 1);
}

TEST_F(CategoriesTest, EnsureRootRemakesAMissingRootOnly)
{
    EXPECT_TRUE(cats().ensureRoot());
    EXPECT_EQ(table().count(), 75);
    ASSERT_TRUE(table().seekInt(SeekKind::Equal, 1));
    ASSERT_TRUE(table().deleteAt(table().position()));
    EXPECT_TRUE(cats().ensureRoot());
    EXPECT_EQ(cats().pathOf(1), QStringLiteral("All categories"));
    EXPECT_EQ(cats().pathOf(4), QStringLiteral("Auto:Fuel"));
    EXPECT_EQ(cats().create(1, QStringLiteral("After")), 76);
}

}  // namespace

namespace {

TEST_F(CategoriesTest, TypingCompletesToTheFullPathAndSelectsTheRest)
{
    const struct {
        const char* typed;
        bool transfers;
        qint32 id;
        const char* text;
    } cases[] = {
        {"auto:f", false, 4, "Auto:Fuel"},
        {"Ins", false, 34, "Insurance"},
        {"[ch", true, -3, "[Checking]"},
        {"[ch", false, 0, ""},
        {"Qq", true, 0, ""},
        {"", true, 0, ""},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        const auto completion = cats().complete(typed, c.transfers);
        if (c.id == 0) {
            EXPECT_FALSE(completion) << c.typed;
            continue;
        }
        ASSERT_TRUE(completion) << c.typed;
        EXPECT_EQ(completion->id, c.id);
        EXPECT_EQ(completion->text, QString::fromUtf8(c.text));
        EXPECT_EQ(completion->selectFrom, typed.size());
    }
}

TEST_F(CategoriesTest, FindOrCreateAsksBeforeMakingAMissingPath)
{
    EXPECT_EQ(cats().findOrCreate(QStringLiteral("auto:fuel"), &b.ui), 4);
    EXPECT_TRUE(b.ui.questions.isEmpty());

    EXPECT_EQ(cats().findOrCreate(QStringLiteral("Pets:Food"), &b.ui), 0);
    EXPECT_EQ(b.ui.questions,
              QStringList{QStringLiteral("Category 'Pets:Food' does not exist. Do You want to create new?")});
    EXPECT_EQ(table().count(), 75);

    b.ui.answer(true);
    EXPECT_EQ(cats().findOrCreate(QStringLiteral("Pets:Food"), &b.ui), 77);
    EXPECT_EQ(cats().pathOf(76), QStringLiteral("Pets"));
    // An import makes it without asking.
    EXPECT_EQ(cats().findOrCreate(QStringLiteral("Pets:Toys"), nullptr), 78);
    EXPECT_EQ(b.ui.questions.size(), 2);

    // An account is found, never made.
    EXPECT_EQ(cats().findOrCreate(QStringLiteral("[Savings]"), &b.ui), -7);
    EXPECT_EQ(cats().findOrCreate(QStringLiteral("[Cash]"), nullptr), 0);
    EXPECT_EQ(cats().findOrCreate(QString(), nullptr), 0);
    EXPECT_EQ(table().count(), 78);
}

}  // namespace
