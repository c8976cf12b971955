#include "bubbles/core/bubble_toggles.h"

#include <cstdint>

size_t BubbleToggles::Home(const BubbleLook& look) const {
    uint64_t h = 0;
    for (const int v : {look.box.left, look.box.top, look.box.right, look.box.bottom, look.fill})
        h = (h ^ static_cast<uint32_t>(v)) * 0x9E3779B97F4A7C15ull;
    return static_cast<size_t>(h ^ (h >> 29)) & (slots_.size() - 1);
}

void BubbleToggles::Toggle(const BubbleLook& look) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    const size_t mask = slots_.size() - 1;
    size_t i = Home(look);
    for (; slots_[i].used; i = (i + 1) & mask) {
        if (slots_[i].look == look) {
            Remove(i); // drawn twice: nothing left of it
            return;
        }
    }
    slots_[i] = {look, true};
    ++used_;
}

void BubbleToggles::Clear() {
    for (Slot& slot : slots_)
        slot.used = false;
    used_ = 0;
}

// Linear probing finds an entry by walking from its home slot to the first free one, so the entries after
// a removed one move back where that walk would otherwise stop short of them.
void BubbleToggles::Remove(size_t i) {
    const size_t mask = slots_.size() - 1;
    for (size_t j = (i + 1) & mask; slots_[j].used; j = (j + 1) & mask) {
        if (((j - Home(slots_[j].look)) & mask) >= ((j - i) & mask)) {
            slots_[i] = slots_[j];
            i = j;
        }
    }
    slots_[i].used = false;
    --used_;
}

void BubbleToggles::Grow() {
    std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2, Slot{{{0, 0, 0, 0}, 0}, false});
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (!slot.used) continue;
        size_t i = Home(slot.look);
        while (slots_[i].used)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}
