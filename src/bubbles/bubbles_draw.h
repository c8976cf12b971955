#pragma once
#include <windows.h>

#include <optional>

#include "bubbles/core/bubbles_data.h"
#include "bubbles/core/bubbles_draw.h"
#include "bubbles/core/bubbles_surface.h"

// WM_PAINT: every bubble once, with XOR, over the freshly erased update area.
void PaintBubbles(HDC dc, const BubblesData& data);

// A look drawn with XOR by one Ellipse call, filled with its colour or hollow, in the grey two-pixel
// outline: the picture that every other way of drawing a bubble must leave, bit for bit.
void DrawBubbleEllipse(HDC dc, const BubbleLook& look);

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
