#pragma once
#include <cstdint>

struct BubblesData;

struct BubbleClientSize {
    int width;
    int height;
};

// Where the bubbles are drawn. Drawing is an XOR toggle: drawing bubble k twice at the same
// geometry and style leaves the surface as it was.
class BubbleSurface {
  public:
    virtual void DrawBubble(const BubblesData& data, int k) = 0;
    virtual BubbleClientSize ClientSize() = 0;

  protected:
    ~BubbleSurface() = default;
};

// The millisecond tick counter; read again wherever the time budget or a due time needs it.
class BubbleClock {
  public:
    virtual uint32_t Now() = 0;

  protected:
    ~BubbleClock() = default;
};
