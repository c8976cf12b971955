#include "bubbles/core/bubbles_motion.h"

#include <cmath>

#include "bubbles/core/bubbles_draw.h"
#include "bubbles/core/bubbles_queue.h"
#include "common/core/random.h"

BubbleMove OverlapPush(const Bubble& a, const Bubble& b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double d2 = dx * dx + dy * dy;
    const double r = static_cast<double>(a.radius) + b.radius;
    if (d2 >= r * r) return {0.0f, 0.0f};
    const double d = std::sqrt(d2);
    // Coinciding centres have no direction to push along; +x is as good as any and avoids 0/0.
    if (d < kCoincidenceDistance) return {static_cast<float>(r), 0.0f};
    return {static_cast<float>((r - d) * dx / d), static_cast<float>((r - d) * dy / d)};
}

void MoveBubble(BubblesData& data, BubbleSurface& surface, int k, BubbleMove move) {
    const double dx = move.dx;
    const double dy = move.dy;
    // Dropping tiny moves is what lets the relaxation come to rest.
    if (dx * dx + dy * dy <= kSmallestMoveSquared) return;
    // The bubble under the mouse follows only the mouse.
    if (k == data.held) return;
    Bubble& b = data.bubbles[k];
    EnqueueBubble(data, k);
    surface.DrawBubble(data, k);
    b.x = static_cast<float>(b.x + dx);
    b.y = static_cast<float>(b.y + dy);
    surface.DrawBubble(data, k);
}

void SetBubbleRadius(BubblesData& data, BubbleSurface& surface, int k, float radius) {
    Bubble& b = data.bubbles[k];
    if (radius != b.radius) {
        surface.DrawBubble(data, k);
        b.radius = radius;
        surface.DrawBubble(data, k);
    }
    EnqueueBubble(data, k);
}

namespace {

// Adds the moves that bring b back inside a width x height client area; a centre beyond an edge
// moves back by at most the radius per step.
void AddEdgeCorrection(const Bubble& b, BubbleClientSize size, float& mx, float& my) {
    const double x = b.x;
    const double y = b.y;
    const double r = b.radius;
    const double xl = x < 0 ? 0.0 : x;
    if (xl - r < 0) mx = static_cast<float>(r - xl);
    const double yt = y < 0 ? 0.0 : y;
    if (yt - r < 0) my = static_cast<float>(my + (r - yt));
    double xr = x - size.width;
    if (xr > 0) xr = 0;
    if (xr + r > 0) mx = static_cast<float>(mx - (xr + r));
    double yb = y - size.height;
    if (yb > 0) yb = 0;
    if (yb + r > 0) my = static_cast<float>(my - (yb + r));
}

} // namespace

void ProcessBubble(BubblesData& data, BubbleSurface& surface, int k) {
    // Only bubbles that exist are processed; an index beyond count would redraw a stale entry.
    if (k <= 0 || k > data.count) return;
    for (int j = 1; j <= data.count; ++j) {
        if (j == k) continue;
        MoveBubble(data, surface, j, OverlapPush(data.bubbles[k], data.bubbles[j]));
    }
    const BubbleClientSize size = surface.ClientSize();
    Bubble& b = data.bubbles[k];
    float mx = 0.0f;
    float my = 0.0f;
    if (b.falling) {
        b.falling = 0;
        my = kGravityFall;
    }
    AddEdgeCorrection(b, size, mx, my);
    MoveBubble(data, surface, k, {mx, my});
}

void BudBubble(BubblesData& data, BubbleSurface& surface, int parent) {
    if (data.count == 0 || data.count >= kMaxBubbles) return;
    const Bubble& p = data.bubbles[parent];
    if (static_cast<double>(p.radius) < 0.5 * p.targetRadius) return;
    const double r = p.radius;
    const int a = RandomBelow(static_cast<int>(p.radius));
    const double b = std::sqrt(r * r - static_cast<double>(a) * a);
    const double ox = RandomBelow(2) == 0 ? -a : a;
    const double oy = RandomBelow(2) == 0 ? -b : b;
    data.count = static_cast<int16_t>(data.count + 1);
    const int n = data.count;
    Bubble& bud = data.bubbles[n];
    bud.x = static_cast<float>(p.x + ox);
    bud.y = static_cast<float>(p.y + oy);
    bud.radius = 1.0f;
    bud.targetRadius = p.targetRadius;
    bud.colour = p.colour;
    bud.next = -1;
    bud.falling = 0;
    bud.growing = 1;
    EnqueueBubble(data, n);
    surface.DrawBubble(data, n);
}

namespace {

void GravityPulse(BubblesData& data) {
    for (int k = 1; k <= data.count; ++k) {
        Bubble& b = data.bubbles[k];
        if (b.falling) continue; // still queued from the last pulse
        b.falling = 1;
        EnqueueBubble(data, k);
    }
}

void YeastEvent(BubblesData& data, BubbleSurface& surface, uint32_t now) {
    data.yeastTime = ArmTick(now + kYeastStepMs * static_cast<uint32_t>(RandomBelow(10)));
    // count is read afresh so that buds made in this pass may bud too.
    for (int i = 1; i <= data.count; ++i) {
        if (RandomBelow(1000) < kBudChancePerMille) BudBubble(data, surface, i);
    }
    if (data.growTime == 0) data.growTime = ArmTick(now);
}

void GrowthStep(BubblesData& data, BubbleSurface& surface, uint32_t now) {
    data.growTime = ArmTick(now + kGrowthPeriodMs);
    bool anyGrowing = false;
    for (int k = 1; k <= data.count; ++k) {
        Bubble& b = data.bubbles[k];
        if (!b.growing) continue;
        anyGrowing = true;
        if (b.radius < b.targetRadius) {
            SetBubbleRadius(data, surface, k, static_cast<float>(b.radius + kGrowthStep));
        } else {
            b.growing = 0;
        }
    }
    if (!anyGrowing) data.growTime = 0;
}

} // namespace

void YeastAndGrowth(BubblesData& data, BubbleSurface& surface, BubbleClock& clock) {
    const uint32_t now = clock.Now();
    if (data.yeastTime != 0 && TickDue(data.yeastTime, now)) YeastEvent(data, surface, now);
    if (data.growTime != 0 && TickDue(data.growTime, now)) GrowthStep(data, surface, now);
}

void MakeBubble(BubblesData& data, BubbleSurface& surface) {
    if (data.count >= kMaxBubbles) return;
    data.count = static_cast<int16_t>(data.count + 1);
    const int k = data.count;
    const BubbleClientSize size = surface.ClientSize();
    Bubble& b = data.bubbles[k];
    // The order of the draws is part of the behaviour: x, then y, then the colour.
    b.x = static_cast<float>(RandomBelow(size.width));
    b.y = static_cast<float>(RandomBelow(size.height));
    b.radius = data.defaultRadius;
    b.targetRadius = data.defaultRadius;
    b.colour = static_cast<int16_t>(RandomBelow(kBubbleColourCount));
    b.next = -1;
    b.growing = 0;
    b.falling = 0;
    EnqueueBubble(data, k);
    surface.DrawBubble(data, k);
}

void BubblesClientResized(BubblesData& data, BubbleClientSize size) {
    if (!ClientEmpty(size)) RequeueAllBubbles(data);
}

int BubblesTimerTick(BubblesData& data, BubbleSurface& surface, BubbleClock& clock) {
    // A minimized window pauses: relaxing against 0x0 would pile everything in the corner for good. Gravity,
    // Yeast and growth wait as well; their due times simply pass, and as each fires once and re-arms from
    // the time it fires, the first tick after a restore brings at most one pulse, event and step.
    if (ClientEmpty(surface.ClientSize())) return 0;
    const uint32_t now = clock.Now();
    if (data.gravityTime != 0 && TickDue(data.gravityTime, now)) {
        data.gravityTime = ArmTick(now + kGravityPeriodMs);
        GravityPulse(data);
    }
    int steps = 0;
    for (;; ++steps) {
        const uint32_t reading = clock.Now();
        if (TickReached(now + kTickBudgetMs, reading) || data.queueHead <= 0) break;
        ProcessBubble(data, surface, DequeueBubble(data));
    }
    YeastAndGrowth(data, surface, clock);
    return steps;
}
