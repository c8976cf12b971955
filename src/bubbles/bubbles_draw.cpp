#include "bubbles/bubbles_draw.h"

#include <memory>
#include <vector>

#include "bubbles/bubbles_pictures.h"
#include "bubbles/bubbles_work.h"
#include "common/child_windows.h"
#include "common/gdi.h"

namespace {

void XorEllipse(HDC dc, const BubbleLook& look);

// One pen and a brush per colour rather than a pair per bubble drawn, and the kept pictures: made by the
// first draw and kept for the run, as the cursors are.
struct BubbleInk {
    GdiObject<HPEN> pen{CreatePen(PS_SOLID, kBubbleOutlineWidth, kBubbleOutlineColour)};
    std::vector<GdiObject<HBRUSH>> brushes;
    BubblePictures pictures{XorEllipse};
    BubbleInk() {
        for (const uint32_t colour : kBubbleColours)
            brushes.emplace_back(CreateSolidBrush(colour));
    }
};

std::unique_ptr<BubbleInk> ink;

BubbleInk& Ink() {
    if (!ink) ink = std::make_unique<BubbleInk>();
    return *ink;
}

void XorEllipse(HDC dc, const BubbleLook& look) {
    BubbleInk& i = Ink();
    RasterOpScope xorMode(dc, R2_XORPEN);
    SelectionScope keepPen(dc, i.pen.get());
    SelectionScope keepBrush(dc, look.fill < 0 ? GetStockObject(NULL_BRUSH) : i.brushes[look.fill].get());
    Ellipse(dc, look.box.left, look.box.top, look.box.right, look.box.bottom);
}

// Through a kept picture where one serves: the same pixels as DrawBubbleEllipse.
void DrawBubbleLook(HDC dc, const BubbleLook& look) {
    if (GetObjectType(dc) == OBJ_DC && Ink().pictures.Draw(dc, look)) {
        ++bubbleWork.drawn;
        return;
    }
    DrawBubbleEllipse(dc, look);
}

} // namespace

void DrawBubbleEllipse(HDC dc, const BubbleLook& look) {
    ++bubbleWork.drawn;
    XorEllipse(dc, look);
}

void PaintBubbles(HDC dc, const BubblesData& data) {
    for (int k = 1; k <= data.count; ++k)
        DrawBubbleLook(dc, BubbleLookOf(data, k));
}

void BubbleWindowSurface::DrawBubble(const BubblesData& data, int k) {
    ++bubbleWork.draws;
    ToggleLook(toggles_, BubbleLookOf(data, k));
}

BubbleClientSize BubbleWindowSurface::ClientSize() {
    if (!size_) {
        const SIZE client = ::ClientSize(hwnd_);
        size_ = BubbleClientSize{client.cx, client.cy};
    }
    return *size_;
}

void BubbleWindowSurface::Flush() {
    if (toggles_.empty()) return;
    WindowDC dc(hwnd_);
    for (const BubbleLook& look : toggles_)
        DrawBubbleLook(dc.get(), look);
    toggles_.clear();
}
