#include "reference/TreeClipboard.h"

#include "TreeTestBook.h"

#include <gtest/gtest.h>

namespace {

using Outcome = TreeClipboard::Outcome;

// Runs on the default category tree: Auto(3) > Fuel(4), Service(5);
// Taxes(61) > Federal(62) ... State(67); Utilities(71) > Cable TV(72) ...
class CategoryClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(b.categories.createDefaults(b.ui)); }
    TreeTable& tree() { return b.categories.tree(); }
    QString path(qint32 id) { return b.categories.pathOf(id); }

    TreeTestBook b;
    TreeClipboard clip;
};

TEST_F(CategoryClipboardTest, CutTaxesOntoItsOwnChildDoesNothing)
{
    const quint64 before = tree().changeCount();
    clip.cut(61);
    EXPECT_EQ(clip.paste(tree(), 62), Outcome::Nothing);
    EXPECT_EQ(path(62), QStringLiteral("Taxes:Federal"));
    EXPECT_EQ(tree().changeCount(), before);
}

TEST_F(CategoryClipboardTest, CutTaxesOntoUtilitiesMovesItWithItsChildren)
{
    clip.cut(61);
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Moved);
    EXPECT_EQ(path(61), QStringLiteral("Utilities:Taxes"));
    EXPECT_EQ(path(67), QStringLiteral("Utilities:Taxes:State"));
    EXPECT_EQ(b.categories.findByPath(QStringLiteral("Taxes:Federal")), 0);
    // The mode stays: pasting again moves it on.
    EXPECT_EQ(clip.mode(), TreeClipboard::Mode::Move);
    EXPECT_EQ(clip.paste(tree(), 3), Outcome::Moved);
    EXPECT_EQ(path(62), QStringLiteral("Auto:Taxes:Federal"));
}

TEST_F(CategoryClipboardTest, CopyMakesOneRecordWithTheNameAndNoChildren)
{
    const quint64 before = tree().changeCount();
    clip.copy(3);
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Copied);
    EXPECT_EQ(path(76), QStringLiteral("Utilities:Auto"));
    EXPECT_FALSE(tree().hasChildren(76));
    EXPECT_EQ(path(3), QStringLiteral("Auto"));
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Copied);
    EXPECT_EQ(path(77), QStringLiteral("Utilities:Auto"));
    EXPECT_EQ(b.tables().categories().count(), 77);
    EXPECT_GT(tree().changeCount(), before);
}

TEST_F(CategoryClipboardTest, PasteNeedsAModeAndTwoDifferentExistingRecords)
{
    const struct {
        const char* what;
        qint32 remembered;
        qint32 target;
        bool copy;
    } cases[] = {
        {"same id", 4, 4, false},
        {"same id copied", 4, 4, true},
        {"target is the branch", 4, 0, false},
        {"target is an account", 4, -3, true},
        {"account remembered", -3, 71, false},
        {"nothing remembered", 0, 71, true},
        {"target missing", 4, 500, false},
        {"target missing copied", 4, 500, true},
        {"remembered missing", 500, 71, true},
        {"root onto a child", 1, 71, false},
    };
    for (const auto& c : cases) {
        c.copy ? clip.copy(c.remembered) : clip.cut(c.remembered);
        EXPECT_EQ(clip.paste(tree(), c.target), Outcome::Nothing) << c.what;
    }
    EXPECT_EQ(b.tables().categories().count(), 75);
    EXPECT_EQ(path(71), QStringLiteral("Utilities"));
}

TEST_F(CategoryClipboardTest, UndoClearsTheMode)
{
    clip.cut(4);
    clip.undo();
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Nothing);
    EXPECT_EQ(path(4), QStringLiteral("Auto:Fuel"));
}

TEST_F(CategoryClipboardTest, ACutRecordThatWasDeletedIsNotPasted)
{
    clip.cut(4);
    b.ui.answer(true);
    ASSERT_EQ(b.categories.remove(4, b.ui), TreeTable::DeleteOutcome::Deleted);
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Nothing);
}

TEST_F(CategoryClipboardTest, MovesInsideACycleAreRefused)
{
    b.addRaw(b.tables().categories(), Prop::CategoryId, 80, 81, QStringLiteral("A"));
    b.addRaw(b.tables().categories(), Prop::CategoryId, 81, 80, QStringLiteral("B"));
    clip.cut(80);
    EXPECT_EQ(clip.paste(tree(), 81), Outcome::Nothing);
    clip.cut(81);
    EXPECT_EQ(clip.paste(tree(), 80), Outcome::Nothing);
    // Moving one of them out of the cycle mends it.
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Moved);
    EXPECT_EQ(path(80), QStringLiteral("Utilities:B:A"));
}

TEST_F(CategoryClipboardTest, AFailedMoveIsReported)
{
    clip.cut(4);
    b.book.store().setWriteFault([] { return true; });
    EXPECT_EQ(clip.paste(tree(), 71), Outcome::Failed);
    b.book.store().setWriteFault({});
    EXPECT_EQ(path(4), QStringLiteral("Auto:Fuel"));
}

}  // namespace
