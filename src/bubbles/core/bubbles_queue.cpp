#include "bubbles/core/bubbles_queue.h"

void EnqueueBubble(BubblesData& data, int k) {
    if (k == 0 || data.bubbles[k].next != -1) return;
    data.bubbles[k].next = 0;
    if (data.queueTail > 0) data.bubbles[data.queueTail].next = static_cast<int16_t>(k);
    data.queueTail = static_cast<int16_t>(k);
    if (data.queueHead <= 0) data.queueHead = static_cast<int16_t>(k);
}

int DequeueBubble(BubblesData& data) {
    const int k = data.queueHead;
    if (k <= 0) return k;
    data.queueHead = data.bubbles[k].next;
    data.bubbles[k].next = -1;
    if (data.queueTail == k) data.queueTail = 0;
    return k;
}

void RequeueAllBubbles(BubblesData& data) {
    if (data.count == 0) {
        data.queueHead = 0;
        data.queueTail = 0;
        return;
    }
    for (int k = 1; k <= data.count; ++k)
        data.bubbles[k].next = static_cast<int16_t>(k - 1);
    data.queueHead = data.count;
    data.queueTail = 1;
}
