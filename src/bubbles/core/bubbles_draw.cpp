#include "bubbles/core/bubbles_draw.h"

BubbleBox BubbleBounds(const Bubble& b) {
    const float left = b.x - b.radius;
    const float top = b.y - b.radius;
    const float right = b.x + b.radius;
    const float bottom = b.y + b.radius;
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
}

BubbleLook BubbleLookOf(const BubblesData& data, int k) {
    const Bubble& b = data.bubbles[k];
    return {BubbleBounds(b), data.designer ? b.colour : -1};
}

size_t BubbleLookHash::operator()(const BubbleLook& look) const {
    size_t h = 0;
    for (const int v : {look.box.left, look.box.top, look.box.right, look.box.bottom, look.fill})
        h = h * 1000003u ^ static_cast<size_t>(static_cast<unsigned>(v));
    return h;
}
