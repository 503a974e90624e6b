#include "reference/TreePicker.h"

#include "TreeTestBook.h"

#include <gtest/gtest.h>

namespace {

TEST(TreePicker, ButtonsFollowTheSelectedId)
{
    const TreePicker categories(TreePicker::Kind::Category);
    const TreePicker projects(TreePicker::Kind::Project);
    const struct {
        qint32 id;
        bool categoryOk;
        bool projectOk;
        bool remove;
        bool create;
    } cases[] = {
        {-4, true, false, false, false},  // an account under "[Transfers]"
        {0, false, false, false, false},  // the "[Transfers]" branch, or nothing
        {1, false, true, false, true},    // the root
        {2, true, true, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(categories.canAccept(c.id), c.categoryOk) << c.id;
        EXPECT_EQ(projects.canAccept(c.id), c.projectOk) << c.id;
        EXPECT_EQ(categories.canDelete(c.id), c.remove) << c.id;
        EXPECT_EQ(projects.canDelete(c.id), c.remove) << c.id;
        EXPECT_EQ(categories.canCreate(c.id), c.create) << c.id;
    }
}

TEST(TreePicker, OkRemembersWhatItGivesBackAndCancelDoesNot)
{
    TreePicker picker(TreePicker::Kind::Category);
    EXPECT_EQ(picker.accept(-4), -4);
    EXPECT_EQ(picker.remembered(), -4);
    EXPECT_EQ(picker.accept(0), 0);
    EXPECT_EQ(picker.remembered(), -4);
    EXPECT_EQ(picker.accept(7), 7);
    EXPECT_EQ(picker.remembered(), 7);
}

TEST(TreePicker, CreateAddsANewChildForTheLabelEdit)
{
    TreeTestBook b;
    ASSERT_TRUE(b.categories.createDefaults(b.ui));
    ASSERT_TRUE(b.projects.ensureRoot());
    const TreePicker categories(TreePicker::Kind::Category);
    const TreePicker projects(TreePicker::Kind::Project);

    const qint32 made = categories.createChild(b.categories.tree(), 3);
    EXPECT_EQ(made, 76);
    EXPECT_EQ(b.categories.pathOf(made), QStringLiteral("Auto:<_New_Category_>"));
    EXPECT_EQ(projects.createChild(b.projects.tree(), 1), 2);
    EXPECT_EQ(b.projects.pathOf(2), QStringLiteral("<_New_Project_>"));

    EXPECT_EQ(categories.createChild(b.categories.tree(), 0), 0);
    EXPECT_EQ(categories.createChild(b.categories.tree(), -3), 0);
    EXPECT_EQ(categories.createChild(b.categories.tree(), 999), 0);
    EXPECT_EQ(b.tables().categories().count(), 76);

    // The label edit that follows: a colon is refused and the name stays.
    EXPECT_FALSE(b.categories.tree().rename(made, QStringLiteral("Oil:Filter"), b.ui));
    EXPECT_EQ(b.categories.pathOf(made), QStringLiteral("Auto:<_New_Category_>"));
    EXPECT_TRUE(b.categories.tree().rename(made, QStringLiteral("Oil"), b.ui));
    EXPECT_EQ(b.categories.findByPath(QStringLiteral("auto:oil")), made);
}

}  // namespace
