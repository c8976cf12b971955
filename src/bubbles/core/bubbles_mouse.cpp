#include "bubbles/core/bubbles_mouse.h"

#include <cmath>

#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_queue.h"

namespace {

BubbleMouseMode MouseModeFromKeys(bool shiftDown, bool ctrlDown) {
    if (shiftDown) return kModePop;
    if (ctrlDown) return kModeGrow;
    return kModeMove;
}

void DragMoveHeld(BubblesData& data, BubbleSurface& surface, float x, float y) {
    const int k = data.held;
    const BubbleMove move{static_cast<float>(static_cast<double>(x) - data.mouseX),
                          static_cast<float>(static_cast<double>(y) - data.mouseY)};
    data.mouseX = x;
    data.mouseY = y;
    // MoveBubble refuses the held bubble; let go for the one move that the mouse itself makes.
    data.held = 0;
    MoveBubble(data, surface, k, move);
    data.held = static_cast<int16_t>(k);
    EnqueueBubble(data, k);
}

void DragGrowHeld(BubblesData& data, BubbleSurface& surface, float x, float y) {
    const int k = data.held;
    data.mouseX = x;
    data.mouseY = y;
    const Bubble& b = data.bubbles[k];
    const double dx = static_cast<double>(x) - b.x;
    const double dy = static_cast<double>(y) - b.y;
    const float r = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    SetBubbleRadius(data, surface, k, r);
    data.bubbles[k].targetRadius = r;
    data.defaultRadius = r;
}

} // namespace

void UpdateMouseModeFromKeys(BubblesData& data, bool shiftDown, bool ctrlDown) {
    if (data.pressActive || data.modeFromMenu) return;
    data.mouseMode = MouseModeFromKeys(shiftDown, ctrlDown);
}

int HitTestBubbles(BubblesData& data, float x, float y) {
    Bubble& probe = data.bubbles[0];
    probe.x = x;
    probe.y = y;
    probe.radius = 0.0f;
    data.held = 0;
    for (int i = 1; i <= data.count; ++i) {
        const BubbleMove push = OverlapPush(probe, data.bubbles[i]);
        if (push.dx == 0.0f && push.dy == 0.0f) continue;
        data.held = static_cast<int16_t>(i);
        data.mouseX = x;
        data.mouseY = y;
        data.pressActive = 1;
        break;
    }
    return data.held;
}

bool PressBubbles(BubblesData& data, BubbleSurface& surface, float x, float y) {
    HitTestBubbles(data, x, y);
    if (data.mouseMode == kModePop) {
        PopHeldBubble(data, surface);
        return false;
    }
    return true;
}

void PopHeldBubble(BubblesData& data, BubbleSurface& surface) {
    const int k = data.held;
    if (k <= 0) return;
    surface.DrawBubble(data, k);
    for (int i = k; i < data.count; ++i)
        data.bubbles[i] = data.bubbles[i + 1];
    data.count = static_cast<int16_t>(data.count - 1);
    // Indices after the gap changed, so the old links mean nothing: rebuild the queue.
    RequeueAllBubbles(data);
    data.held = 0;
}

void DragHeldBubble(BubblesData& data, BubbleSurface& surface, float x, float y) {
    if (data.held == 0) return;
    if (data.mouseMode == kModeMove)
        DragMoveHeld(data, surface, x, y);
    else if (data.mouseMode == kModeGrow)
        DragGrowHeld(data, surface, x, y);
}

void EndDrag(BubblesData& data) {
    EnqueueBubble(data, data.held);
    data.held = 0;
    data.pressActive = 0;
}
