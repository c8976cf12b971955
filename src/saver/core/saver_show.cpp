#include "saver/core/saver_show.h"

#include "bubbles/core/bubbles_data.h"
#include "bubbles/core/bubbles_motion.h"
#include "common/core/random.h"

float ShowBubbleRadius(int dpi, bool preview, int clientHeight, int screenHeight) {
    const float radius = kDefaultRadius * static_cast<float>(dpi) / 96.0f;
    if (!preview) return radius;
    const float scale = static_cast<float>(clientHeight) / static_cast<float>(screenHeight);
    return radius * (scale < 1.0f ? scale : 1.0f) + 1.0f;
}

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
    const BubbleShowStep step = count < wanted ? BubbleShowStep::kMake : BubbleShowStep::kPop;
    const int after = step == BubbleShowStep::kMake ? count + 1 : count - 1;
    if (after == wanted) {
        // The show holds its number a while, however it came to it.
        due = now + kBubbleHoldMs + static_cast<uint32_t>(RandomBelow(2 * static_cast<int>(kBubbleHoldMs)));
    } else if (count > wanted) {
        due = now + kBubbleTrimMs;
    } else {
        // Making up the number, or the replacement of the bubble a swap has just popped.
        due = now + kBubbleMakeMs;
    }
    return step;
}
