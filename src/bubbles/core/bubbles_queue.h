#pragma once
#include "bubbles/core/bubbles_data.h"

// The work queue: bubbles whose surroundings must be checked again, first in first out.
void EnqueueBubble(BubblesData& data, int k);
int DequeueBubble(BubblesData& data);
// Queues every bubble, the highest index first; with no bubbles it empties the queue.
void RequeueAllBubbles(BubblesData& data);
