#pragma once
#include <cstddef>
#include <vector>

#include "bubbles/core/bubble_look.h"

// The net effect of a run of XOR draws. A look drawn twice leaves the pixels as they were, and XOR draws
// give the same result in any order, so drawing once each look that was drawn an odd number of times
// leaves the window exactly as the whole run would. Only those looks are kept: a bubble moved a thousand
// times holds two entries, where it was and where it is.
class BubbleToggles {
  public:
    void Toggle(const BubbleLook& look);
    bool NothingToDraw() const { return used_ == 0; }
    void Clear();

    template <typename Draw> void ForEachOdd(Draw draw) const {
        for (const Slot& slot : slots_)
            if (slot.used) draw(slot.look);
    }

  private:
    struct Slot {
        BubbleLook look;
        bool used;
    };
    size_t Home(const BubbleLook& look) const;
    void Remove(size_t i);
    void Grow();

    std::vector<Slot> slots_; // open addressing with linear probing, a power of two long, at most half used
    size_t used_ = 0;
};
