#include "reports/ReportIdList.h"

#include <gtest/gtest.h>

namespace {

using Ids = std::vector<qint32>;

ReportIdList listOf(const Ids& ids)
{
    ReportIdList list;
    for (const qint32 id : ids)
        EXPECT_EQ(list.add(id), ReportIdList::AddResult::Added) << id;
    return list;
}

TEST(ReportIdList, AddingAnIdThatIsPresentChangesNothing)
{
    ReportIdList list = listOf({4, 9});
    EXPECT_EQ(list.add(4), ReportIdList::AddResult::AlreadyPresent);
    EXPECT_EQ(list.ids(), (Ids{4, 9}));
}

struct RemoveCase {
    Ids start;
    qint32 removed;
    bool found;
    Ids after;
};

TEST(ReportIdList, RemovalMovesTheLastIdIntoTheFreedSlot)
{
    const RemoveCase cases[] = {
        {{1, 2, 3, 4}, 2, true, {1, 4, 3}}, {{1, 2, 3, 4}, 1, true, {4, 2, 3}},
        {{1, 2, 3, 4}, 4, true, {1, 2, 3}}, {{7}, 7, true, {}},
        {{1, 2}, 5, false, {1, 2}},         {{}, 0, false, {}},
    };
    for (const RemoveCase& c : cases) {
        ReportIdList list = listOf(c.start);
        EXPECT_EQ(list.remove(c.removed), c.found) << c.removed;
        EXPECT_EQ(list.ids(), c.after) << c.removed;
        for (const qint32 id : c.after)
            EXPECT_TRUE(list.contains(id)) << id;
        EXPECT_FALSE(list.contains(c.removed)) << c.removed;
    }
}

TEST(ReportIdList, MembershipFollowsMovedIdsAcrossManyRemovals)
{
    ReportIdList list = listOf({10, 20, 30, 40, 50});
    EXPECT_TRUE(list.remove(10));  // 50 moves to the front
    EXPECT_TRUE(list.remove(50));  // the moved id is found where it now stands
    EXPECT_TRUE(list.remove(40));
    EXPECT_EQ(list.ids(), (Ids{30, 20}));
    EXPECT_EQ(list.add(50), ReportIdList::AddResult::Added);
    EXPECT_EQ(list.ids(), (Ids{30, 20, 50}));
}

TEST(ReportIdList, RetainIfDropsRefusedIdsAndCountsThem)
{
    ReportIdList list = listOf({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(list.retainIf([](qint32 id) { return id % 2 == 0; }), 3);
    Ids kept = list.ids();
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (Ids{2, 4, 6}));
    for (const qint32 id : {1, 3, 5})
        EXPECT_FALSE(list.contains(id));
    EXPECT_EQ(list.retainIf([](qint32) { return false; }), 3);
    EXPECT_TRUE(list.isEmpty());
}

TEST(ReportIdList, StopsGrowingAtItsBound)
{
    ReportIdList list;
    for (qint32 id = 0; id < ReportIdList::MaxIds; ++id)
        ASSERT_EQ(list.add(id), ReportIdList::AddResult::Added);
    EXPECT_EQ(list.add(-1), ReportIdList::AddResult::Full);
    EXPECT_EQ(list.add(0), ReportIdList::AddResult::AlreadyPresent);
    EXPECT_EQ(list.size(), ReportIdList::MaxIds);
    EXPECT_TRUE(list.remove(5));
    EXPECT_EQ(list.add(-1), ReportIdList::AddResult::Added);
}

}  // namespace
