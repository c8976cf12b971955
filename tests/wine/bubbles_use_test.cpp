#include "harness.h"

#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_record.h"
#include "common/ids.h"

#include <cstring>

namespace {

void Repaint(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// n ringed bubbles clear of each other and of the edges, Gravity and Yeast off, freshly painted.
BubblesData& Spread(HWND hwnd, int n) {
    BubblesData& data = *GetBubblesData(hwnd);
    data = BubblesData{};
    data.count = static_cast<int16_t>(n);
    for (int k = 1; k <= n; ++k)
        data.bubbles[k] = {50.0f * k, 40.0f + 15 * (k % 3), 20, 20, static_cast<int16_t>(k % 17), -1, 0, 0};
    Repaint(hwnd);
    return data;
}

TEST_F(AppTest, AMinimizedBubblesWindowPausesAndIsRestoredToTheSamePicture) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Spread(w, 6);
    const std::vector<COLORREF> before = Capture(w);
    data.gravityTime = data.yeastTime = 1; // long due
    const BubblesData kept = data;
    SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int i = 0; i < 50; ++i)
        SendMessageA(w, WM_TIMER, 1, 0);
    EXPECT_EQ(std::memcmp(&kept, &data, sizeof data), 0) << "no requeue, relaxation, pulse or bud";
    data.gravityTime = data.yeastTime = 0;
    SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump();
    EXPECT_TRUE(Capture(w) == before);
}

TEST_F(AppTest, APopPressReleasedOutsideBubblesEndsAtTheFirstMessageThatFindsTheButtonUp) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Spread(w, 2);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_POP, 0);
    BYTE keys[256] = {}; // as GetKeyState sees them
    for (const UINT msg : {WM_MOUSEMOVE, WM_SETCURSOR}) {
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(data.bubbles[1].x, data.bubbles[1].y));
        EXPECT_TRUE(data.pressActive && GetCapture() != w);
        for (const BYTE down : {0x80, 0}) { // released outside the window: no WM_LBUTTONUP
            keys[VK_LBUTTON] = down;
            SetKeyboardState(keys);
            const WPARAM wParam = msg == WM_SETCURSOR ? reinterpret_cast<WPARAM>(w) : down ? MK_LBUTTON : 0;
            SendMessageA(w, msg, wParam, msg == WM_SETCURSOR ? MAKELPARAM(HTCLIENT, WM_MOUSEMOVE) : 0);
            EXPECT_EQ(data.pressActive, down ? 1 : 0) << msg;
        }
    }
}

// XOR draws as plain Ellipses, then through the window's surface (kept pictures, net change per message):
// every colour, both styles, radii 0 to beyond the window, across the edges, overlaps, draws that cancel.
TEST_F(AppTest, BubblesDrawnFromKeptPicturesAndNetChangesMatchTheirEllipsesBitForBit) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Spread(w, 120);
    const float radii[] = {0, 0.5f, 1, 1.5f, 2, 3, 7.25f, 20, 20.5f, 64, 150, 300, 2000};
    for (int k = 1; k <= 120; ++k) {
        data.bubbles[k].x = (k * 37 % 480) - 40 + (k % 4) * 0.25f;
        data.bubbles[k].y = (k * 53 % 360) - 40.5f;
        data.bubbles[k].radius = radii[k % 13];
    }
    std::vector<COLORREF> pictures[2];
    for (int way = 0; way < 2; ++way) {
        data.count = 0;
        Repaint(w);
        {
            BubbleWindowSurface surface(w);
            for (int i = 0; i < 400; ++i) {
                data.designer = (i / 17) % 2;
                const int k = 1 + i * 7 % 120;
                way == 0 ? DrawBubbleEllipse(WindowDC(w).get(), BubbleLookOf(data, k))
                         : surface.DrawBubble(data, k);
            }
        } // the surface draws its net change as it goes
        pictures[way] = Capture(w);
    }
    EXPECT_TRUE(pictures[0] != std::vector<COLORREF>(pictures[0].size(), RGB(255, 255, 255)));
    EXPECT_TRUE(pictures[0] == pictures[1]);
}

} // namespace
