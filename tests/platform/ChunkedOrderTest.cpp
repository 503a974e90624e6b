#include "platform/ChunkedOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using Entry = std::pair<int, int>;

// Every position, and a seek for every value, agree with a sorted vector.
void expectSame(const ChunkedOrder<Entry>& order, const std::vector<Entry>& model)
{
    ASSERT_EQ(order.size(), static_cast<qint64>(model.size()));
    for (size_t i = 0; i < model.size(); ++i)
        ASSERT_EQ(order[static_cast<qint64>(i)], model[i]) << "position " << i;
    const auto less = [](const Entry& e, int v) { return e.first < v; };
    for (int v = -1; v <= 101; ++v) {
        const auto expected = std::lower_bound(model.begin(), model.end(), v, less) - model.begin();
        ASSERT_EQ(order.lowerBound(v, less), expected) << "value " << v;
    }
}

// Thousands of inserts and erases at random places split chunks, empty them
// and shift the positions of the chunks after them.
TEST(ChunkedOrder, FollowsASortedVectorThroughInsertsAndErases)
{
    ChunkedOrder<Entry> order;
    std::vector<Entry> model;
    expectSame(order, model);
    std::mt19937 rng(7);
    for (int serial = 0; serial < 6000; ++serial) {
        const Entry e{static_cast<int>(rng() % 100), serial};
        order.insert(e);
        model.insert(std::upper_bound(model.begin(), model.end(), e), e);
        if (serial % 3 == 2) {
            const auto at = static_cast<qint64>(rng() % model.size());
            order.eraseAt(at);
            model.erase(model.begin() + at);
        }
    }
    expectSame(order, model);

    // In front of everything, then all gone from the front.
    for (int serial = 0; serial < 1500; ++serial) {
        order.insert({-5, serial});
        model.insert(std::upper_bound(model.begin(), model.end(), Entry{-5, serial}), Entry{-5, serial});
    }
    expectSame(order, model);
    while (!model.empty()) {
        order.eraseAt(0);
        model.erase(model.begin());
    }
    expectSame(order, model);
    order.insert({3, 1});
    EXPECT_EQ(order.size(), 1);
    EXPECT_EQ(order[0], (Entry{3, 1}));
}

TEST(ChunkedOrder, BulkLoadedEntriesTakeInsertsBetweenThem)
{
    ChunkedOrder<Entry> order;
    std::vector<Entry> model;
    for (int i = 0; i < 3000; ++i) {
        order.pushBack({i / 30, i});
        model.push_back({i / 30, i});
    }
    expectSame(order, model);
    for (int v : {0, 50, 99, 100}) {
        order.insert({v, -1});
        model.insert(std::upper_bound(model.begin(), model.end(), Entry{v, -1}), Entry{v, -1});
    }
    expectSame(order, model);
}

}  // namespace
