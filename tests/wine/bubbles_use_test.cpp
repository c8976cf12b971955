#include "harness.h"

#include "bubbles/bubbles_window.h"
#include "common/ids.h"

#include <cstring>

namespace {

void Tick(HWND hwnd, int times) {
    for (int i = 0; i < times; ++i)
        SendMessageA(hwnd, WM_TIMER, 1, 0);
}

// The left button as GetKeyState sees it; Shift and Ctrl up.
void SetLeftButton(bool down) {
    BYTE keys[256] = {};
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class BubblesInUse : public AppTest {
  protected:
    // Bubbles clear of each other and of the edges, Gravity and Yeast off, freshly painted.
    static BubblesData& Spread(HWND hwnd, int n) {
        BubblesData& data = *GetBubblesData(hwnd);
        data = BubblesData{};
        for (int k = 1; k <= n; ++k)
            data.bubbles[k] = {50.0f * k, 40.0f + 15 * (k % 3), 20.0f, 20.0f, static_cast<int16_t>(k), -1, 0,
                               0};
        data.count = static_cast<int16_t>(n);
        data.designer = 1;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return data;
    }
};

TEST_F(BubblesInUse, AMinimizedWindowPausesAndIsRestoredToTheSamePicture) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Spread(w, 6);
    const std::vector<COLORREF> before = ClientPixels(w);
    data.gravityTime = data.yeastTime = 1; // long due: a tick would pulse and bud at once
    data.growTime = 1;
    data.bubbles[3].growing = 1;
    const BubblesData kept = data;
    SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PumpMessages();
    ASSERT_TRUE(IsIconic(w));
    Tick(w, 50);
    EXPECT_EQ(std::memcmp(&kept, &data, sizeof data), 0) << "no requeue, relaxation, pulse, bud or growth";
    data.gravityTime = data.yeastTime = data.growTime = 0;
    data.bubbles[3].growing = 0;
    SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpMessages();
    Tick(w, 10);
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(std::memcmp(&kept.bubbles[k], &data.bubbles[k], 12), 0) << k; // x, y, radius
    EXPECT_TRUE(ClientPixels(w) == before) << "the picture from before the minimize";
}

TEST_F(BubblesInUse, APopPressReleasedOutsideEndsAtTheFirstMessageThatFindsTheButtonUp) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Spread(w, 4);
    for (const bool bySetCursor : {false, true}) {
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_POP, 0);
        const int count = data.count;
        SetLeftButton(true);
        const Bubble& first = data.bubbles[1];
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
        ASSERT_EQ(data.count, count - 1);
        EXPECT_NE(GetCapture(), w);
        const auto askWithButton = [&](bool down) {
            SetLeftButton(down);
            if (bySetCursor)
                SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            else
                SendMessageA(w, WM_MOUSEMOVE, down ? MK_LBUTTON : 0, MAKELPARAM(300, 150));
        };
        askWithButton(true);
        EXPECT_EQ(data.pressActive, 1) << "the button is still down";
        askWithButton(false); // released outside: no WM_LBUTTONUP came
        EXPECT_EQ(data.pressActive, 0) << bySetCursor;
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MOVE, 0);
        EXPECT_EQ(data.mouseMode, 0);
    }
    // A captured Move drag is not ended by a move that reports no button.
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 40));
    ASSERT_EQ(GetCapture(), w);
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(160, 40));
    EXPECT_EQ(data.pressActive, 1);
    EXPECT_EQ(data.bubbles[1].x, 160.0f);
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(160, 40));
    SetLeftButton(false);
}

} // namespace
