#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_data.h"
#include "bubbles/core/bubbles_draw.h"
#include "common/app_state.h"
#include "common/gdi.h"
#include "common/ids.h"
#include "harness.h"

#include <cstring>

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

class Bubbles : public AppTest {
  protected:
    // A quiet window (no yeast, no gravity) holding these bubbles, drawn once by a fresh paint.
    BubblesData& Open(std::initializer_list<Bubble> bubbles) {
        w = NewChild(IDM_NEW_BUBBLES);
        BubblesData& d = *GetBubblesData(w);
        d.yeastTime = d.gravityTime = 0;
        d.count = d.queueHead = d.queueTail = 0;
        for (const Bubble& b : bubbles)
            d.bubbles[++d.count] = b;
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return d;
    }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(w, msg, wParam, lParam);
    }
    void Mouse(UINT msg, int x, int y, WPARAM keys = MK_LBUTTON) { Send(msg, keys, MAKELPARAM(x, y)); }
    void Ticks(int n) { // the window's own timer
        for (int i = 0; i < n; ++i)
            Send(WM_TIMER, 1);
    }
    // Every bubble XORed onto white, filled with its colour in Designer style, a grey two-pixel outline.
    Pixels Model() {
        const BubblesData& d = *GetBubblesData(w);
        RECT rc{};
        GetClientRect(w, &rc);
        return Picture(rc.right, rc.bottom, [&](HDC dc) {
            SetROP2(dc, R2_XORPEN);
            HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, 2, RGB(128, 128, 128)));
            for (const Bubble* b = d.bubbles + 1; b <= d.bubbles + d.count; ++b) {
                HBRUSH fill = d.designer ? CreateSolidBrush(kBubbleColours[b->colour]) : nullptr;
                HGDIOBJ oldBrush = SelectObject(dc, fill ? fill : GetStockObject(NULL_BRUSH));
                Ellipse(dc, static_cast<int>(b->x - b->radius), static_cast<int>(b->y - b->radius),
                        static_cast<int>(b->x + b->radius), static_cast<int>(b->y + b->radius));
                DeleteObject(SelectObject(dc, oldBrush));
            }
            DeleteObject(SelectObject(dc, oldPen));
        });
    }
    HWND w = nullptr;
};

TEST_F(Bubbles, ThePictureIsEveryBubbleXoredOnWhiteThroughPaintsDesignerAndMotion) {
    BubblesData& d = Open({At(-5.5f, 7.5f, 20, 3)}); // across the corner, at fractional coordinates
    for (int c = 0; c < 17; ++c)                     // every colour, several radii, overlapping
        d.bubbles[++d.count] = At(40.0f + 33 * c, 60.0f + 9 * (c % 5), 1.0f + 3 * c, c);
    const RECT part{0, 0, 150, 300}; // bubbles half inside the update are drawn once, clipped
    for (const RECT* update : {static_cast<const RECT*>(nullptr), &part}) {
        RedrawWindow(w, update, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(Capture(w) == Model());
    }
    for (int designer : {0, 1}) {
        Send(WM_COMMAND, IDM_BUBBLES_DESIGNER), Pump();
        EXPECT_TRUE(Capture(w) == Model()) << designer;
    }
    Send(WM_SIZE, SIZE_RESTORED);
    EXPECT_EQ(d.queueHead, 18) << "every bubble queued, highest first";
    Ticks(30);
    EXPECT_TRUE(d.queueHead == 0 && d.bubbles[1].x == 20.0f) << "back inside the left edge";
    EXPECT_TRUE(Capture(w) == Model());
}

TEST_F(Bubbles, TheMouseMovesAndPopsBubblesAndTheModeShowsInMenuAndCursor) {
    BubblesData& d = Open({At(100, 100, 20, 0), At(300, 120, 20, 5), At(400, 300, 20, 6)});
    Mouse(WM_LBUTTONDOWN, 305, 120);
    Mouse(WM_MOUSEMOVE, 205, 170);
    EXPECT_TRUE(d.held == 2 && d.bubbles[2].x == 200.0f && d.bubbles[2].y == 170.0f) << "grabbed off-centre";
    Mouse(WM_MOUSEMOVE, -25, 170); // captured: left of the window is negative
    EXPECT_EQ(d.bubbles[2].x, -30.0f);
    Mouse(WM_LBUTTONUP, -25, 170, 0);
    Ticks(3);
    EXPECT_TRUE(GetCapture() == nullptr && d.pressActive == 0 && d.bubbles[2].x == 20.0f) << "back inside";
    SetKeys(true, false);
    Send(WM_KEYDOWN, VK_SHIFT, 1);
    Mouse(WM_LBUTTONDOWN, 400, 290, MK_LBUTTON | MK_SHIFT);
    EXPECT_TRUE(d.count == 2 && d.queueHead == 2 && GetCapture() == nullptr) << "popped at once, all queued";
    Mouse(WM_LBUTTONUP, 400, 290, MK_SHIFT);
    EXPECT_TRUE(Capture(w) == Model());
    for (int mode : {1, 2, 0}) {
        Send(WM_COMMAND, IDM_BUBBLES_MOVE + mode);
        EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_MOVE + mode), UINT{MFT_RADIOCHECK | MF_CHECKED});
        Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const char* name = mode == 0 ? IDC_ARROW : MAKEINTRESOURCEA(mode == 1 ? IDCUR_POP : IDCUR_GROW);
        EXPECT_EQ(GetCursor(), LoadCursorA(mode == 0 ? nullptr : hInst, name)) << mode;
    }
    Send(WM_KEYDOWN, VK_SHIFT, 2); // a repeat leaves the menu's mode
    EXPECT_EQ(d.modeFromMenu, 1);
    HWND other = NewChild(IDM_NEW_LINES); // losing the capture or the activation ends a press
    for (HWND activate : {w, other}) {
        SendMessageA(hwndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w), 0);
        Mouse(WM_LBUTTONDOWN, 20, 170);
        ASSERT_EQ(d.held, 2);
        if (activate == w) ReleaseCapture();
        SendMessageA(hwndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(activate), 0);
        EXPECT_TRUE(d.held == 0 && d.pressActive == 0);
    }
}

TEST_F(Bubbles, MenuFlagsAndNewWindowsFollowTheRecordUpToTheLastBubble) {
    BubblesData& d = Open({});
    const UINT items[] = {IDM_BUBBLES_MAKE, IDM_BUBBLES_ERASE_ALL, IDM_BUBBLES_GRAVITY, IDM_BUBBLES_DESIGNER,
                          IDM_BUBBLES_YEAST};
    const UINT fresh[] = {0, MF_GRAYED, 0, MF_CHECKED, 0}, flipped[] = {0, 0, MF_CHECKED, 0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(MenuState(hmenuBubbles, items[i]), fresh[i]) << items[i];
    const std::pair<const char*, LRESULT> flags[] = {{"/MAKE", 1}, {"/", 1},      {"/d", 1},
                                                     {"/GRAV", 1}, {"/y", 1},     {"/yeast", 1},
                                                     {"-m", 0},    {"/makes", 0}, {nullptr, 0}};
    for (const auto& [flag, known] : flags)
        EXPECT_EQ(Send(UWM_FLAG, reinterpret_cast<WPARAM>(flag)), known) << flag;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(MenuState(hmenuBubbles, items[i]), flipped[i]) << items[i];
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
    d.defaultRadius = 35;
    d.gravityTime = GetTickCount() + 100000; // no pulse before the copy is compared
    const BubblesData& split = *GetBubblesData(NewChild(IDM_NEW_BUBBLES));
    EXPECT_TRUE(split.defaultRadius == 35.0f && split.gravityTime == d.gravityTime && split.designer == 0);
    EXPECT_TRUE(split.yeastTime == 0 && split.count == 0);
}

TEST_F(Bubbles, AMinimizedWindowPausesAndIsRestoredToTheSamePicture) {
    BubblesData& d = Open({At(50, 40, 20, 1), At(100, 55, 20, 2), At(150, 70, 20, 3), At(200, 40, 20, 4)});
    const Pixels before = Capture(w);
    d.gravityTime = d.yeastTime = 1; // long due
    const BubblesData kept = d;
    Send(WM_SYSCOMMAND, SC_MINIMIZE);
    Ticks(50);
    EXPECT_EQ(std::memcmp(&kept, &d, sizeof d), 0) << "no requeue, relaxation, pulse or bud";
    d.gravityTime = d.yeastTime = 0;
    Send(WM_SYSCOMMAND, SC_RESTORE);
    Pump();
    EXPECT_TRUE(Capture(w) == before);
}

TEST_F(Bubbles, APopPressReleasedOutsideEndsAtTheFirstMessageThatFindsTheButtonUp) {
    BubblesData& d = Open({});
    Send(WM_COMMAND, IDM_BUBBLES_POP);
    BYTE keys[256] = {}; // as GetKeyState sees them
    for (const UINT msg : {WM_MOUSEMOVE, WM_SETCURSOR}) {
        d.bubbles[d.count = 1] = At(50, 40, 20, 1);
        Mouse(WM_LBUTTONDOWN, 50, 40);
        for (const BYTE down : {0x80, 0}) { // released outside the window: no WM_LBUTTONUP
            keys[VK_LBUTTON] = down;
            SetKeyboardState(keys);
            const bool cursor = msg == WM_SETCURSOR;
            Send(msg, cursor ? reinterpret_cast<WPARAM>(w) : down ? MK_LBUTTON : 0, cursor ? HTCLIENT : 0);
            EXPECT_TRUE(d.pressActive == (down ? 1 : 0) && GetCapture() != w) << msg;
        }
    }
}

// XOR draws as plain Ellipses, then through the window's surface (kept pictures, net change per message):
// every colour, both styles, radii 0 to beyond the window, across the edges, overlaps, draws that cancel.
TEST_F(Bubbles, KeptPicturesAndNetChangesMatchTheEllipsesBitForBit) {
    BubblesData& d = Open({});
    const float radii[] = {0, 0.5f, 1, 1.5f, 2, 3, 7.25f, 20, 20.5f, 64, 150, 300, 2000};
    for (int k = 1; k <= 120; ++k)
        d.bubbles[k] =
            At((k * 37 % 480) - 40 + (k % 4) * 0.25f, (k * 53 % 360) - 40.5f, radii[k % 13], k % 17);
    Pixels pictures[2];
    for (int way = 0; way < 2; ++way) {
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        {
            BubbleWindowSurface surface(w);
            for (int i = 0; i < 400; ++i) {
                d.designer = (i / 17) % 2;
                const int k = 1 + i * 7 % 120;
                way == 0 ? DrawBubbleEllipse(WindowDC(w).get(), BubbleLookOf(d, k))
                         : surface.DrawBubble(d, k);
            }
        } // the surface draws its net change as it goes
        pictures[way] = Capture(w);
    }
    EXPECT_TRUE(pictures[0] != Pixels(pictures[0].size(), 0xFFFFFF) && pictures[0] == pictures[1]);
}

} // namespace
