#include "bubbles/core/bubble_queue.h"

#include <gtest/gtest.h>

#include "fake_bubble_platform.h"

namespace {

class BubbleQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        data.count = 5;
        for (int k = 0; k <= 200; ++k)
            data.bubbles[k].next = -1;
    }
    BubblesData data{};
};

TEST_F(BubbleQueue, HandsBubblesBackInTheOrderTheyWereQueued) {
    for (int k : {3, 1, 5})
        EnqueueBubble(data, k);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{3, 1, 5}));
    EXPECT_EQ(DequeueBubble(data), 3);
    EXPECT_EQ(DequeueBubble(data), 1);
    EXPECT_EQ(data.bubbles[1].next, -1);
    EXPECT_EQ(DequeueBubble(data), 5);
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.queueTail, 0);
}

TEST_F(BubbleQueue, QueuesABubbleOnlyOnceAndNeverTheProbe) {
    EnqueueBubble(data, 2);
    EnqueueBubble(data, 0);
    EnqueueBubble(data, 2);
    EnqueueBubble(data, 4);
    EnqueueBubble(data, 2);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{2, 4}));
    EXPECT_EQ(data.bubbles[0].next, -1);
}

TEST_F(BubbleQueue, DequeueOfAnEmptyQueueChangesNothing) {
    EXPECT_EQ(DequeueBubble(data), 0);
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.queueTail, 0);
}

TEST_F(BubbleQueue, ABubbleTakenOutCanBeQueuedAgainBehindTheOthers) {
    EnqueueBubble(data, 1);
    EnqueueBubble(data, 2);
    ASSERT_EQ(DequeueBubble(data), 1);
    EnqueueBubble(data, 1);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{2, 1}));
    EXPECT_EQ(data.queueTail, 1);
}

TEST_F(BubbleQueue, RequeueAllQueuesEveryBubbleHighestFirst) {
    EnqueueBubble(data, 2);
    RequeueAllBubbles(data);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(data.queueTail, 1);
    EXPECT_EQ(data.bubbles[1].next, 0);
    // A bubble already queued stays queued once.
    EnqueueBubble(data, 3);
    EXPECT_EQ(QueueOrder(data).size(), 5u);
}

TEST_F(BubbleQueue, RequeueAllWithNoBubblesEmptiesTheQueue) {
    EnqueueBubble(data, 2);
    data.count = 0;
    RequeueAllBubbles(data);
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(data.queueTail, 0);
}

TEST_F(BubbleQueue, RequeueAllHandlesAFullWindow) {
    data.count = kMaxBubbles;
    RequeueAllBubbles(data);
    const std::vector<int> order = QueueOrder(data);
    ASSERT_EQ(order.size(), 199u);
    EXPECT_EQ(order.front(), 199);
    EXPECT_EQ(order.back(), 1);
}

} // namespace
