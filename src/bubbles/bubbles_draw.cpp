#include "bubbles/bubbles_draw.h"

#include <list>
#include <unordered_map>
#include <vector>

#include "bubbles/bubbles_record.h"
#include "common/gdi.h"

BubbleWorkCounts bubbleWork;

namespace {

// One pen and one brush per colour for the whole run, rather than a pair per bubble drawn.
HGDIOBJ OutlinePen() {
    static const GdiObject<HPEN> pen(CreatePen(PS_SOLID, kBubbleOutlineWidth, kBubbleOutlineColour));
    return pen.get();
}

HGDIOBJ FillBrush(int fill) {
    static const std::vector<GdiObject<HBRUSH>> brushes = [] {
        std::vector<GdiObject<HBRUSH>> made;
        for (const uint32_t colour : kBubbleColours)
            made.emplace_back(CreateSolidBrush(colour));
        return made;
    }();
    return fill < 0 ? GetStockObject(NULL_BRUSH) : brushes[fill].get();
}

void XorEllipse(HDC dc, const BubbleLook& look) {
    RasterOpScope xorMode(dc, R2_XORPEN);
    SelectionScope keepPen(dc, OutlinePen());
    SelectionScope keepBrush(dc, FillBrush(look.fill));
    Ellipse(dc, look.box.left, look.box.top, look.box.right, look.box.bottom);
}

// The two-pixel pen reaches past the box; a picture keeps a border for it.
constexpr int kMargin = kBubbleOutlineWidth;
// Bigger boxes are drawn with Ellipse: such bubbles are few, and their pictures costly to keep.
constexpr long long kLargestKeptSide = 512;
constexpr size_t kMostKeptPictures = 512; // a bitmap and a DC each
constexpr long long kMostKeptPixels = 4 << 20;

struct Shape {
    int width;
    int height;
    int fill;
    bool operator==(const Shape& other) const {
        return width == other.width && height == other.height && fill == other.fill;
    }
};

struct ShapeHash {
    size_t operator()(const Shape& s) const { return (s.width * 1031u + s.height) * 37u + s.fill; }
};

// Ready-made pictures of looks, one per box size and fill. An Ellipse drawn with XOR onto black leaves
// exactly the bits it flips, so blitting the picture with SRCINVERT flips the very same bits. Kept for the
// run; the least recently used go first. Made compatible with the screen, so they suit window DCs only.
class BubblePictures {
  public:
    // False when the look has no picture; nothing is drawn then.
    bool Draw(HDC target, const BubbleLook& look) {
        const long long width = static_cast<long long>(look.box.right) - look.box.left;
        const long long height = static_cast<long long>(look.box.bottom) - look.box.top;
        if (width <= 0 || height <= 0 || width > kLargestKeptSide || height > kLargestKeptSide) return false;
        const Shape shape{static_cast<int>(width), static_cast<int>(height), look.fill};
        HDC picture = Find(shape);
        return picture != nullptr &&
               BitBlt(target, look.box.left - kMargin, look.box.top - kMargin, shape.width + 2 * kMargin,
                      shape.height + 2 * kMargin, picture, 0, 0, SRCINVERT) != FALSE;
    }

  private:
    // Each picture stays selected into a DC of its own: selecting a bitmap costs Wine more than the blit.
    struct Picture {
        Picture(const Shape& s, HBITMAP b) : shape(s), bitmap(b) { SelectObject(dc.get(), bitmap.get()); }
        Shape shape;
        GdiObject<HBITMAP> bitmap;
        MemoryDC dc; // deleted first, which lets go of the bitmap
    };

    static long long Pixels(const Shape& s) {
        return static_cast<long long>(s.width + 2 * kMargin) * (s.height + 2 * kMargin);
    }

    HDC Find(const Shape& shape) {
        const auto found = index_.find(shape);
        if (found == index_.end()) return Make(shape);
        pictures_.splice(pictures_.begin(), pictures_, found->second);
        return pictures_.front().dc.get();
    }

    HDC Make(const Shape& shape) {
        while (!pictures_.empty() &&
               (pictures_.size() >= kMostKeptPictures || pixels_ + Pixels(shape) > kMostKeptPixels)) {
            pixels_ -= Pixels(pictures_.back().shape);
            index_.erase(pictures_.back().shape);
            pictures_.pop_back();
        }
        const int width = shape.width + 2 * kMargin;
        const int height = shape.height + 2 * kMargin;
        HBITMAP bitmap = CreateCompatibleBitmap(WindowDC(nullptr).get(), width, height);
        if (bitmap == nullptr) return nullptr;
        const Picture& picture = pictures_.emplace_front(shape, bitmap);
        if (picture.dc.get() == nullptr) {
            pictures_.pop_front();
            return nullptr;
        }
        PatBlt(picture.dc.get(), 0, 0, width, height, BLACKNESS);
        XorEllipse(picture.dc.get(),
                   {{kMargin, kMargin, kMargin + shape.width, kMargin + shape.height}, shape.fill});
        index_[shape] = pictures_.begin();
        pixels_ += Pixels(shape);
        return picture.dc.get();
    }

    std::list<Picture> pictures_; // the most recently used first
    std::unordered_map<Shape, std::list<Picture>::iterator, ShapeHash> index_;
    long long pixels_ = 0;
};

} // namespace

void DrawBubbleEllipse(HDC dc, const BubbleLook& look) {
    ++bubbleWork.drawn;
    XorEllipse(dc, look);
}

void DrawBubbleLook(HDC dc, const BubbleLook& look) {
    static BubblePictures pictures;
    if (GetObjectType(dc) == OBJ_DC && pictures.Draw(dc, look)) {
        ++bubbleWork.drawn;
        return;
    }
    DrawBubbleEllipse(dc, look);
}

void DrawBubble(HDC dc, const BubblesData& data, int k) { DrawBubbleLook(dc, BubbleLookOf(data, k)); }

void PaintBubbles(HWND hwnd) {
    PaintDC paint(hwnd);
    const BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    for (int k = 1; k <= data->count; ++k)
        DrawBubble(paint.get(), *data, k);
}

void BubbleWindowSurface::DrawBubble(const BubblesData& data, int k) {
    ++bubbleWork.draws;
    ToggleLook(toggles_, BubbleLookOf(data, k));
}

BubbleClientSize BubbleWindowSurface::ClientSize() {
    if (!size_) {
        RECT rc{};
        GetClientRect(hwnd_, &rc);
        size_ = BubbleClientSize{rc.right, rc.bottom};
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
