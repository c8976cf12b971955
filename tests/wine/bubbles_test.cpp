#include "bubbles/bubbles_record.h"
#include "bubbles/core/bubble_look.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"

namespace {

Bubble At(float x, float y, float radius, int colour) {
    return Bubble{x, y, radius, radius, static_cast<int16_t>(colour), -1, 0, 0};
}

std::vector<int> Queue(const BubblesData& d) {
    std::vector<int> order;
    for (int k = d.queueHead; k > 0 && order.size() < 300; k = d.bubbles[k].next)
        order.push_back(k);
    return order;
}

HCURSOR ModeCursor(int mode) {
    if (mode == 0) return LoadCursorA(nullptr, IDC_ARROW);
    return LoadCursorA(hInst, MAKEINTRESOURCEA(mode == 1 ? IDCUR_POP : IDCUR_GROW));
}

class Bubbles : public AppTest {
  protected:
    // A quiet window (no yeast, no gravity) holding these bubbles, drawn once by a fresh paint.
    BubblesData& Open(std::initializer_list<Bubble> bubbles) {
        w = NewChild(IDM_NEW_BUBBLES);
        BubblesData& d = *GetBubblesData(w);
        d.yeastTime = d.gravityTime = 0;
        d.count = 0;
        for (const Bubble& b : bubbles)
            d.bubbles[++d.count] = b;
        d.queueHead = d.queueTail = 0;
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return d;
    }
    void Mouse(UINT msg, int x, int y, WPARAM keys = MK_LBUTTON) {
        SendMessageA(w, msg, keys, MAKELPARAM(x, y));
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i)
            SendMessageA(w, WM_TIMER, 1, 0);
    }
    void Key(UINT msg, WPARAM key, LPARAM repeat = 1) { SendMessageA(w, msg, key, repeat); }
    UINT State(UINT command) { return MenuState(hmenuBubbles, command); }

    // The model: every bubble XORed onto white, filled with its colour in Designer style, with a grey
    // two-pixel outline, its box truncated toward zero.
    Pixels Model() {
        const BubblesData& d = *GetBubblesData(w);
        RECT rc{};
        GetClientRect(w, &rc);
        return Picture(rc.right, rc.bottom, [&](HDC dc) {
            SetROP2(dc, R2_XORPEN);
            HPEN pen = CreatePen(PS_SOLID, 2, RGB(128, 128, 128));
            HGDIOBJ oldPen = SelectObject(dc, pen);
            for (int k = 1; k <= d.count; ++k) {
                const Bubble& b = d.bubbles[k];
                HBRUSH fill = d.designer ? CreateSolidBrush(kBubbleColours[b.colour]) : nullptr;
                HGDIOBJ oldBrush = SelectObject(dc, fill ? fill : GetStockObject(NULL_BRUSH));
                Ellipse(dc, static_cast<int>(b.x - b.radius), static_cast<int>(b.y - b.radius),
                        static_cast<int>(b.x + b.radius), static_cast<int>(b.y + b.radius));
                DeleteObject(SelectObject(dc, oldBrush));
            }
            DeleteObject(SelectObject(dc, oldPen));
        });
    }
    HWND w = nullptr;
};

TEST_F(Bubbles, ThePictureIsEveryBubbleXoredOnWhiteThroughPaintsDesignerAndMotion) {
    // All colours and several radii, overlapping, and one across the corner at fractional coordinates.
    BubblesData& d = Open({At(-5.5f, 7.5f, 20, 3)});
    for (int c = 0; c < 17; ++c)
        d.bubbles[++d.count] = At(40.0f + 33 * c, 60.0f + 9 * (c % 5), 1.0f + 3 * c, c);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Differing(Capture(w), Model()), 0u);
    const RECT part{0, 0, 150, 300}; // bubbles half inside the update are drawn once, clipped
    RedrawWindow(w, &part, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Differing(Capture(w), Model()), 0u);
    for (int designer : {0, 1}) {
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
        Pump();
        EXPECT_EQ(d.designer, designer);
        EXPECT_EQ(Differing(Capture(w), Model()), 0u) << designer;
    }
    SendMessageA(w, WM_SIZE, SIZE_RESTORED, 0); // every bubble queued: the overlaps are pushed apart
    Tick(30);
    EXPECT_EQ(d.queueHead, 0);
    EXPECT_EQ(d.bubbles[1].x, 20.0f) << "back inside the left edge";
    EXPECT_EQ(Differing(Capture(w), Model()), 0u);
}

TEST_F(Bubbles, TheMouseMovesGrowsAndPopsBubblesThroughTheRealMessages) {
    BubblesData& d = Open({At(100, 100, 20, 0), At(300, 120, 20, 5), At(400, 300, 20, 6)});
    Mouse(WM_LBUTTONDOWN, 200, 250); // empty space: captured, nothing held
    EXPECT_EQ(GetCapture(), w);
    Mouse(WM_LBUTTONUP, 200, 250, 0);
    Mouse(WM_LBUTTONDOWN, 305, 120);
    EXPECT_EQ(d.held, 2);
    Mouse(WM_MOUSEMOVE, 205, 170);
    EXPECT_EQ(d.bubbles[2].x, 200.0f) << "the grab offset is kept";
    EXPECT_EQ(d.bubbles[2].y, 170.0f);
    Tick(3);                       // the held bubble stays where the mouse put it
    Mouse(WM_MOUSEMOVE, -25, 170); // captured: coordinates left of the window are negative
    EXPECT_EQ(d.bubbles[2].x, -30.0f);
    Mouse(WM_LBUTTONUP, -25, 170, 0);
    EXPECT_TRUE(GetCapture() == nullptr && d.held == 0 && d.pressActive == 0);
    Tick(3);
    EXPECT_EQ(d.bubbles[2].x, 20.0f) << "released outside, it comes back";

    SetKeys(false, true);
    Key(WM_KEYDOWN, VK_CONTROL);
    Mouse(WM_LBUTTONDOWN, 105, 100, MK_LBUTTON | MK_CONTROL);
    SetKeys(false, false);
    Key(WM_KEYUP, VK_CONTROL, 1 | (3u << 30));
    EXPECT_EQ(d.mouseMode, 2) << "the press holds the mode";
    Mouse(WM_MOUSEMOVE, 100, 130);
    EXPECT_TRUE(d.bubbles[1].radius == 30.0f && d.bubbles[1].targetRadius == 30.0f &&
                d.defaultRadius == 30.0f);
    Mouse(WM_LBUTTONUP, 100, 130, 0);

    SetKeys(true, false);
    Key(WM_KEYDOWN, VK_SHIFT);
    Mouse(WM_LBUTTONDOWN, 400, 290, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(d.count, 2) << "popped at once";
    EXPECT_EQ(Queue(d), (std::vector<int>{2, 1}));
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_LBUTTONUP, 400, 290, MK_SHIFT);
    EXPECT_EQ(Differing(Capture(w), Model()), 0u);

    // A mode from the menu shows its radio mark and cursor until Shift or Ctrl (not a repeat) changes.
    for (int mode : {1, 2, 0}) {
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MOVE + mode, 0);
        for (int item = 0; item <= 2; ++item)
            EXPECT_EQ(State(IDM_BUBBLES_MOVE + item) & MF_CHECKED, item == mode ? UINT{MF_CHECKED} : 0u);
        SetCursor(nullptr);
        SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), ModeCursor(mode)) << mode;
    }
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_POP, 0);
    Key(WM_KEYDOWN, VK_SHIFT, 2);
    EXPECT_EQ(d.modeFromMenu, 1);
    SetKeys(false, false);
    Key(WM_KEYUP, VK_SHIFT);
    EXPECT_TRUE(d.modeFromMenu == 0 && d.mouseMode == 0);

    // Losing the capture or the activation ends a drag.
    HWND other = NewChild(IDM_NEW_LINES);
    for (HWND activate : {w, other}) {
        SendMessageA(hwndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w), 0);
        Mouse(WM_LBUTTONDOWN, 20, 170);
        ASSERT_EQ(d.held, 2);
        if (activate == w) ReleaseCapture();
        SendMessageA(hwndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(activate), 0);
        EXPECT_TRUE(d.held == 0 && d.pressActive == 0);
    }
}

TEST_F(Bubbles, TheMenuAndTheFlagsFollowTheRecordUpToTheLastBubble) {
    BubblesData& d = Open({});
    const struct {
        UINT command, state;
    } fresh[] = {{IDM_BUBBLES_MAKE, 0},
                 {IDM_BUBBLES_ERASE_ALL, MF_GRAYED},
                 {IDM_BUBBLES_GRAVITY, 0},
                 {IDM_BUBBLES_DESIGNER, MF_CHECKED},
                 {IDM_BUBBLES_YEAST, 0}};
    for (const auto& c : fresh)
        EXPECT_EQ(State(c.command), c.state) << c.command;
    EXPECT_FALSE(MenuState(hmenuFile, IDM_CLOSE) & MF_GRAYED);
    const struct {
        const char* flag;
        LRESULT known;
    } flags[] = {{"/MAKE", 1}, {"/m", 1},     {"/", 1},     {"/d", 1},   {"/GRAV", 1},
                 {"/y", 1},    {"/makes", 0}, {"-make", 0}, {nullptr, 0}};
    for (const auto& f : flags)
        EXPECT_EQ(SendMessageA(w, UWM_FLAG, reinterpret_cast<WPARAM>(f.flag), 0), f.known) << f.flag;
    EXPECT_EQ(d.count, 3);
    EXPECT_EQ(State(IDM_BUBBLES_GRAVITY), UINT{MF_CHECKED});
    EXPECT_EQ(State(IDM_BUBBLES_YEAST), UINT{MF_CHECKED});
    EXPECT_EQ(State(IDM_BUBBLES_DESIGNER), 0u);
    while (d.count < 198)
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(State(IDM_BUBBLES_MAKE), 0u);
    PressCtrl('M'); // the accelerator asks the menu first
    EXPECT_EQ(d.count, 199);
    EXPECT_EQ(State(IDM_BUBBLES_MAKE), UINT{MF_GRAYED});
    PressCtrl('M');
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(d.count, 199);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_ERASE_ALL, 0);
    Pump();
    EXPECT_EQ(d.count, 0);
    EXPECT_EQ(Differing(Capture(w), Model()), 0u);
}

TEST_F(Bubbles, ANewWindowTakesTheSettingsOfABubblesSourceAndRunsOnItsOwnTimer) {
    NewChild(IDM_NEW_LINES);
    const BubblesData& defaults = *GetBubblesData(NewChild(IDM_NEW_BUBBLES)); // split off a Lines window
    EXPECT_TRUE(defaults.defaultRadius == 20.0f && defaults.designer == 1 && defaults.yeastTime != 0);
    SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
    BubblesData& from = Open({At(100, 100, 20, 0), At(100, 100, 20, 5), At(300, 100, 20, 6)});
    SendMessageA(w, WM_TIMER, 2, 0); // not its timer
    EXPECT_EQ(from.queueHead, 0);
    RECT rc{};
    GetClientRect(w, &rc);
    SetWindowPos(w, nullptr, 0, 0, rc.right - 10, rc.bottom, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Queue(from), (std::vector<int>{3, 2, 1})) << "resized: every bubble queued, highest first";

    from.defaultRadius = 35;
    from.gravityTime = GetTickCount() + 100000; // no pulse comes before the copy is compared
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_POP, 0);
    HWND source = w;
    const BubblesData& d = *GetBubblesData(NewChild(IDM_NEW_BUBBLES));
    EXPECT_TRUE(d.defaultRadius == 35.0f && d.gravityTime == from.gravityTime && d.designer == 0);
    EXPECT_TRUE(d.yeastTime == 0 && d.count == 0 && d.mouseMode == 0);

    from.gravityTime = 0;
    SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Active()), 0);
    for (int i = 0; i < 100 && from.queueHead != 0; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
    }
    EXPECT_EQ(from.bubbles[1].x - from.bubbles[2].x, 40.0f) << "coinciding centres part along x";
    from.gravityTime = GetTickCount() - 100; // overdue
    SendMessageA(source, WM_TIMER, 1, 0);
    EXPECT_EQ(from.bubbles[3].y, 105.0f);
    EXPECT_GT(static_cast<int32_t>(from.gravityTime - GetTickCount()), 0);
}

} // namespace
