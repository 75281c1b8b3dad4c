#include "search/node_queue.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

// Pushes pool indices 0, 1, 2, ... with the given keys and pops until empty.
std::vector<int> popOrder(std::initializer_list<double> keys) {
    NodeQueue queue;
    int node = 0;
    for (double key : keys) EXPECT_TRUE(nodeQueuePush(queue, node++, key));
    std::vector<int> order;
    for (int n = nodeQueuePop(queue); n != NO_NODE; n = nodeQueuePop(queue)) order.push_back(n);
    EXPECT_EQ(queue.size, 0);
    return order;
}

TEST(NodeQueue, EmptyPopYieldsNone) {
    NodeQueue queue;
    EXPECT_EQ(nodeQueuePop(queue), NO_NODE);
    EXPECT_EQ(queue.size, 0);
    ASSERT_TRUE(nodeQueuePush(queue, 7, 1.0));
    EXPECT_EQ(nodeQueuePop(queue), 7);
    EXPECT_EQ(nodeQueuePop(queue), NO_NODE);
    EXPECT_EQ(queue.size, 0);
}

struct OrderCase {
    const char* what;
    std::initializer_list<double> keys;
    std::vector<int> expected;
};

TEST(NodeQueue, PopsSmallestKeyFirstWithStrictTies) {
    const OrderCase cases[] = {
        {"plain order", {3.0, 1.0, 2.0}, {1, 2, 0}},
        {"an equal key does not pass its parent", {5.0, 1.0, 1.0}, {1, 2, 0}},
        {"equal children: the right one rises", {0.0, 2.0, 2.0, 9.0}, {0, 2, 1, 3}},
        {"negative keys first", {4.0, -2.0, 0.0, -7.5}, {3, 1, 2, 0}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(popOrder(c.keys), c.expected);
    }
}

TEST(NodeQueue, HoldsExactlyItsCapacity) {
    NodeQueue queue;
    for (int i = 0; i < QUEUE_CAPACITY; ++i)
        ASSERT_TRUE(nodeQueuePush(queue, i, static_cast<double>(QUEUE_CAPACITY - i)));
    EXPECT_FALSE(nodeQueuePush(queue, QUEUE_CAPACITY, -1.0));
    EXPECT_EQ(queue.size, QUEUE_CAPACITY);
    double previous = -1.0;
    for (int n = nodeQueuePop(queue); n != NO_NODE; n = nodeQueuePop(queue)) {
        const double key = static_cast<double>(QUEUE_CAPACITY - n);
        ASSERT_LE(previous, key);
        previous = key;
    }
}

}  // namespace
