#include "saver/core/saver_show.h"

#include "bubbles/core/bubbles_data.h"
#include "common/core/random.h"

bool SaverMouseMovedAway(SaverMouse& mouse, int x, int y) {
    if (!mouse.seen) {
        mouse = {true, x, y};
        return false;
    }
    const int dx = x - mouse.x;
    const int dy = y - mouse.y;
    return dx > kSaverMouseSlack || dx < -kSaverMouseSlack || dy > kSaverMouseSlack || dy < -kSaverMouseSlack;
}

BubbleShowStep NextBubbleShowStep(int count, int wanted, uint32_t now, uint32_t& due) {
    if (!TickDue(due, now)) return BubbleShowStep::kNothing;
    if (count < wanted) {
        due = now + kBubbleMakeMs;
        return BubbleShowStep::kMake;
    }
    if (count > wanted) {
        due = now + kBubbleTrimMs;
        return BubbleShowStep::kPop;
    }
    due = now + kBubblePopMs + static_cast<uint32_t>(RandomBelow(2 * static_cast<int>(kBubblePopMs)));
    return BubbleShowStep::kPop;
}
