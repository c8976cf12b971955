#include "bubbles/bubbles_draw.h"

#include "bubbles/bubbles_window.h"
#include "bubbles/core/bubble_look.h"
#include "common/gdi.h"

BubbleWorkCounts bubbleWork;

void DrawBubble(HDC dc, const BubblesData& data, int k) {
    ++bubbleWork.drawn;
    const Bubble& b = data.bubbles[k];
    const BubbleBox box = BubbleBounds(b);
    RasterOpScope xorMode(dc, R2_XORPEN);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, kBubbleOutlineWidth, kBubbleOutlineColour));
    SelectionScope keepPen(dc, pen.get());
    GdiObject<HBRUSH> fill(data.designer ? CreateSolidBrush(kBubbleColours[b.colour]) : nullptr);
    SelectionScope keepBrush(dc, fill.get() ? static_cast<HGDIOBJ>(fill.get()) : GetStockObject(NULL_BRUSH));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
} // brush back and deleted, then the pen, then the raster operation

void PaintBubbles(HWND hwnd) {
    PaintDC paint(hwnd);
    const BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    for (int k = 1; k <= data->count; ++k)
        DrawBubble(paint.get(), *data, k);
}

void BubbleWindowSurface::DrawBubble(const BubblesData& data, int k) {
    ++bubbleWork.draws;
    if (!dc_) dc_.emplace(hwnd_);
    ::DrawBubble(dc_->get(), data, k);
}

BubbleClientSize BubbleWindowSurface::ClientSize() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return {rc.right, rc.bottom};
}

TickCountClock::TickCountClock() : start_(GetTickCount()) { QueryPerformanceCounter(&counterStart_); }

uint32_t TickCountClock::Now() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return start_ + static_cast<uint32_t>((now.QuadPart - counterStart_.QuadPart) * 1000 / frequency);
}
