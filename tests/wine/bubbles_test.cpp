#include "bubbles/bubbles_data.h"
#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_pictures.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/app_state.h"
#include "common/gdi.h"
#include "common/ids.h"
#include "harness.h"

#include <algorithm>
#include <span>

namespace {

// Ctrl+key through the program's loop, so that its accelerators see it.
void PressCtrl(char key) {
    SetKeys(false, true);
    HWND target = GetFocus() ? GetFocus() : hwndFrame;
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    Pump();
    SetKeys(false, false);
}

Bubble At(float x, float y, float r, int colour) {
    return {x, y, r, r, static_cast<int16_t>(colour), -1, 0, 0};
}

void Repaint(HWND w) { RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

class Bubbles : public AppTest {
  protected:
    // A quiet window (no yeast, no gravity) holding these bubbles, drawn once by a fresh paint.
    BubblesData& Open(std::initializer_list<Bubble> bubbles) {
        w = NewChild(IDM_NEW_BUBBLES);
        BubblesData& d = *GetBubblesData(w);
        InitBubblesData(d, 0, nullptr);
        d.yeastTime = 0;
        for (const Bubble& b : bubbles)
            d.bubbles[++d.count] = b;
        Repaint(w);
        return d;
    }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(w, msg, wParam, lParam);
    }
    void Mouse(UINT msg, int x, int y, WPARAM keys = MK_LBUTTON) { Send(msg, keys, MAKELPARAM(x, y)); }
    void Ticks(int n) { // the window's own timer
        for (int i = 0; i < n; ++i)
            Send(WM_TIMER, kChildTimer);
    }
    // Every bubble XORed onto white, filled with its colour in Designer style, a grey two-pixel outline.
    Pixels Model() {
        const BubblesData& d = *GetBubblesData(w);
        const SIZE size = ClientSize(w);
        return Picture(size.cx, size.cy, [&](HDC dc) {
            SetROP2(dc, R2_XORPEN);
            GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, RGB(128, 128, 128)));
            SelectionScope keepPen(dc, pen.get());
            for (const Bubble& b : std::span(d.bubbles + 1, d.count)) {
                GdiObject<HBRUSH> fill(d.designer ? CreateSolidBrush(kBubbleColours[b.colour]) : nullptr);
                SelectionScope keepBrush(dc, fill.get() ? fill.get() : GetStockObject(NULL_BRUSH));
                Ellipse(dc, static_cast<int>(b.x - b.radius), static_cast<int>(b.y - b.radius),
                        static_cast<int>(b.x + b.radius), static_cast<int>(b.y + b.radius));
            }
        });
    }
    HWND w = nullptr;
};

TEST_F(Bubbles, TheMouseDragsTheBubbleItHoldsAndShiftPopsIt) {
    BubblesData& d = Open({At(100, 100, 20, 0), At(300, 120, 20, 5), At(400, 300, 20, 6)});
    Mouse(WM_LBUTTONDOWN, 305, 120);
    Mouse(WM_MOUSEMOVE, 205, 170);
    EXPECT_EQ(std::pair(d.held, d.bubbles[2].x), (std::pair<int16_t, float>(2, 200))) << "grabbed off-centre";
    Mouse(WM_MOUSEMOVE, -25, 170); // captured: left of the window is negative
    EXPECT_EQ(d.bubbles[2].x, -30.0f);
    Mouse(WM_LBUTTONUP, -25, 170, 0);
    Ticks(3);
    EXPECT_EQ(std::pair(GetCapture(), d.bubbles[2].x), (std::pair<HWND, float>(nullptr, 20)))
        << "back inside";
    SetKeys(true, false);
    Send(WM_KEYDOWN, VK_SHIFT, 1);
    Mouse(WM_LBUTTONDOWN, 400, 290, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(std::pair(d.count, GetCapture()), (std::pair<int16_t, HWND>(2, nullptr))) << "popped at once";
    Mouse(WM_LBUTTONUP, 400, 290, MK_SHIFT);
    EXPECT_TRUE(Capture(w) == Model());
}

TEST_F(Bubbles, TheChosenModeShowsInTheMenuAndTheCursorUntilAKeyChangesIt) {
    const BubblesData& d = Open({});
    for (int mode : {1, 2, 0}) {
        Send(WM_COMMAND, IDM_BUBBLES_MOVE + mode);
        EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_MOVE + mode), UINT{MFT_RADIOCHECK | MF_CHECKED});
        Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const char* name = mode == 0 ? IDC_ARROW : MAKEINTRESOURCEA(mode == 1 ? IDCUR_POP : IDCUR_GROW);
        EXPECT_EQ(GetCursor(), LoadCursorA(mode == 0 ? nullptr : hInst, name)) << mode;
    }
    Send(WM_KEYDOWN, VK_SHIFT, 2); // a repeat leaves the menu's mode
    EXPECT_EQ(d.modeFromMenu, 1);
    Send(WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_EQ(d.modeFromMenu, 0);
}

TEST_F(Bubbles, TheMenuAndTheFlagsFollowTheRecord) {
    Open({});
    const UINT items[] = {IDM_BUBBLES_MAKE, IDM_BUBBLES_ERASE_ALL, IDM_BUBBLES_GRAVITY, IDM_BUBBLES_DESIGNER,
                          IDM_BUBBLES_YEAST};
    const UINT fresh[] = {0, MF_GRAYED, 0, MF_CHECKED, 0};
    const UINT flipped[] = {0, 0, MF_CHECKED, 0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(MenuState(hmenuBubbles, items[i]), fresh[i]) << items[i];
    const std::pair<const char*, LRESULT> flags[] = {{"/MAKE", 1},  {"/d", 1}, {"/GRAV", 1},  {"/y", 1},
                                                     {"/yeast", 1}, {"-m", 0}, {"/makes", 0}, {nullptr, 0}};
    for (const auto& [flag, known] : flags)
        EXPECT_EQ(Send(UWM_FLAG, reinterpret_cast<WPARAM>(flag)), known) << flag;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(MenuState(hmenuBubbles, items[i]), flipped[i]) << items[i];
}

TEST_F(Bubbles, MakeIsOfferedUpTo199BubblesAndEraseAllLeavesWhite) {
    BubblesData& d = Open({});
    d.defaultRadius = 3; // small enough that 199 bubbles come to rest
    while (d.count < 198)
        Send(WM_COMMAND, IDM_BUBBLES_MAKE);
    PressCtrl('M'); // the accelerator asks the menu first
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_MAKE), UINT{MF_GRAYED});
    PressCtrl('M');
    Send(WM_COMMAND, IDM_BUBBLES_MAKE);
    EXPECT_EQ(d.count, 199);
    Send(WM_COMMAND, IDM_BUBBLES_ERASE_ALL);
    Pump();
    EXPECT_TRUE(d.count == 0 && Capture(w) == Model());
}

// The window shows what the looks' Ellipses show while the kept pictures pass both bounds.
TEST_F(Bubbles, KeptPicturesStayWithinTheirBoundsDroppingTheLeastRecentlyUsed) {
    Open({});
    // 600 sizes and fills, then 20 pictures of about 505 x 515 pixels. No box is narrower than 10: Wine's
    // Ellipse, the model, may scatter stray pixels across the window for the smallest ones.
    std::vector<BubbleLook> looks;
    for (int i = 0; i < 600; ++i)
        looks.push_back(
            {{i % 30 * 20, i / 30 * 20, i % 30 * 20 + 10 + i % 37, i / 30 * 20 + 10 + i / 37}, i % 18 - 1});
    looks.insert(looks.begin() + 511, looks.front()); // the first is used again just before the bound
    const size_t small = looks.size();
    for (int i = 0; i < 20; ++i)
        looks.push_back({{i * 9, i * 7, i * 9 + 493 + i, i * 7 + 511}, i % 18 - 1});
    for (const BubbleLook& look : looks)
        DrawBubbleEllipse(WindowDC(w).get(), look);
    const Pixels model = Capture(w);
    Repaint(w);
    BubblePictures pictures(DrawBubbleEllipse);
    size_t mostKept = 0;
    long long mostPixels = 0;
    for (size_t i = 0; i < looks.size(); ++i) {
        ASSERT_TRUE(pictures.Draw(WindowDC(w).get(), looks[i]));
        mostKept = std::max(mostKept, pictures.Count());
        mostPixels = std::max(mostPixels, pictures.Pixels());
        if (i + 1 == small) {
            EXPECT_TRUE(pictures.Keeps(looks[0]) && !pictures.Keeps(looks[1])) << "the first was used again";
        }
    }
    EXPECT_TRUE(Capture(w) == model);
    EXPECT_EQ(mostKept, kMostKeptPictures);
    EXPECT_TRUE(mostPixels <= kMostKeptPixels && mostPixels > kMostKeptPixels - 516 * 515) << mostPixels;
    EXPECT_TRUE(!pictures.Keeps(looks[small]) && pictures.Keeps(looks.back())) << "the first large went";
}

} // namespace
