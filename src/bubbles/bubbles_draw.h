#pragma once
#include <windows.h>

#include <optional>

#include "bubbles/core/bubbles_draw.h"
#include "bubbles/core/bubbles_surface.h"
#include "bubbles/core/bubbles_data.h"
#include "common/gdi.h"

// What the Bubbles windows of the process have done, read by the benchmarks: relaxation steps, bubble
// draws asked for by the motion and the mouse, and bubble pictures actually put on a device context.
struct BubbleWorkCounts {
    long long steps = 0;
    long long draws = 0;
    long long drawn = 0;
};
extern BubbleWorkCounts bubbleWork;

// Draws bubble k with XOR, so that the same call erases it again: filled with its colour in
// Designer style, else a grey ring.
void DrawBubble(HDC dc, const BubblesData& data, int k);

// The same XOR drawing of a look. DrawBubbleLook takes a ready-made picture of it where one can be kept,
// which leaves every pixel as the Ellipse call of DrawBubbleEllipse would.
void DrawBubbleLook(HDC dc, const BubbleLook& look);
void DrawBubbleEllipse(HDC dc, const BubbleLook& look);

// WM_PAINT: every bubble once over the freshly erased update area.
void PaintBubbles(HWND hwnd);

// The window as the core sees it, for the length of one message. Nobody sees the window before the message
// is handled, so the draws are only noted and their net change is drawn at the end (Flush, or when the
// surface goes): a bubble moved ten times in a tick is erased and drawn once. A DC is taken only if
// something is left to draw.
class BubbleWindowSurface : public BubbleSurface {
  public:
    explicit BubbleWindowSurface(HWND hwnd) : hwnd_(hwnd) {}
    ~BubbleWindowSurface() { Flush(); }
    BubbleWindowSurface(const BubbleWindowSurface&) = delete;
    BubbleWindowSurface& operator=(const BubbleWindowSurface&) = delete;
    void DrawBubble(const BubblesData& data, int k) override;
    BubbleClientSize ClientSize() override;
    void Flush();

  private:
    HWND hwnd_;
    std::optional<BubbleClientSize> size_; // nothing in a message changes it
    BubbleLooks toggles_;
};

// GetTickCount moves in steps of 15 or 16 ms, too coarse to end a 16 ms budget on time: a tick could run
// for nearly twice as long. This clock starts at GetTickCount, which the record's due times are kept in,
// and then follows the performance counter. Made afresh for each tick.
class TickCountClock : public BubbleClock {
  public:
    TickCountClock();
    uint32_t Now() override;

  private:
    uint32_t start_;
    LARGE_INTEGER counterStart_;
};
