#include "bubbles/core/bubble_queue.h"

#include <gtest/gtest.h>

#include "fake_bubble_platform.h"

namespace {

class BubbleQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        data.count = 5;
        for (Bubble& b : data.bubbles)
            b.next = -1;
    }
    BubblesData data{};
};

TEST_F(BubbleQueue, HandsBubblesBackFirstInFirstOutEachOnceAndNeverTheProbe) {
    EXPECT_EQ(DequeueBubble(data), 0) << "empty";
    for (int k : {3, 0, 1, 3, 5, 1})
        EnqueueBubble(data, k);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{3, 1, 5}));
    EXPECT_EQ(data.bubbles[0].next, -1);
    EXPECT_EQ(DequeueBubble(data), 3);
    EXPECT_EQ(data.bubbles[3].next, -1);
    EnqueueBubble(data, 3); // taken out, it can be queued again behind the others
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1, 5, 3}));
    for (int k : {1, 5, 3})
        EXPECT_EQ(DequeueBubble(data), k);
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.queueTail, 0);
    EXPECT_EQ(DequeueBubble(data), 0);
}

TEST_F(BubbleQueue, RequeueAllQueuesEveryBubbleHighestFirstFromNoneToAFullWindow) {
    EnqueueBubble(data, 2);
    RequeueAllBubbles(data);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(data.queueTail, 1);
    EXPECT_EQ(data.bubbles[1].next, 0);
    EnqueueBubble(data, 3);
    EXPECT_EQ(QueueOrder(data).size(), 5u) << "a bubble already queued stays queued once";

    data.count = kMaxBubbles;
    RequeueAllBubbles(data);
    const std::vector<int> order = QueueOrder(data);
    ASSERT_EQ(order.size(), 199u);
    EXPECT_EQ(order.front(), 199);

    data.count = 0;
    RequeueAllBubbles(data);
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.queueTail, 0);
}

} // namespace
