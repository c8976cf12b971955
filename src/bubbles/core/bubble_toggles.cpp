#include "bubbles/core/bubble_toggles.h"

#include <cstdint>

namespace {

size_t Hash(const BubbleLook& look) {
    uint64_t h = 0;
    for (const int v : {look.box.left, look.box.top, look.box.right, look.box.bottom, look.fill})
        h = (h ^ static_cast<uint32_t>(v)) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h ^ (h >> 29));
}

} // namespace

void BubbleToggles::Toggle(const BubbleLook& look) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    Slot& slot = SlotFor(look);
    if (!slot.used) {
        slot = {look, true, false};
        ++used_;
    }
    slot.odd = !slot.odd;
    odd_ = slot.odd ? odd_ + 1 : odd_ - 1;
}

void BubbleToggles::Clear() {
    slots_.clear();
    used_ = 0;
    odd_ = 0;
}

BubbleToggles::Slot& BubbleToggles::SlotFor(const BubbleLook& look) {
    const size_t mask = slots_.size() - 1;
    size_t i = Hash(look) & mask;
    while (slots_[i].used && !(slots_[i].look == look))
        i = (i + 1) & mask;
    return slots_[i];
}

void BubbleToggles::Grow() {
    std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2, Slot{{{0, 0, 0, 0}, 0}, false, false});
    old.swap(slots_);
    for (const Slot& slot : old)
        if (slot.used) SlotFor(slot.look) = slot;
}
