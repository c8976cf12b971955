#include "harness.h"

#include "bubbles/bubbles_record.h"
#include "bubbles/bubbles_window.h"
#include "bubbles/core/bubble_look.h"
#include "common/app_state.h"
#include "common/ids.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(127, 127, 127);

Bubble At(float x, float y, float radius, int colour) {
    Bubble b{x, y, radius, radius, static_cast<int16_t>(colour), -1, 0, 0};
    return b;
}

// What a colour index shows when XORed onto white.
COLORREF Seen(int colour) { return kBubbleColours[colour] ^ 0xFFFFFFu; }

std::vector<int> QueueOrder(const BubblesData& data) {
    std::vector<int> order;
    for (int k = data.queueHead; k > 0 && order.size() < 300; k = data.bubbles[k].next)
        order.push_back(k);
    return order;
}

HCURSOR ModeCursor(int mode) {
    if (mode == 0) return LoadCursorA(nullptr, IDC_ARROW);
    return LoadCursorA(hInst, MAKEINTRESOURCEA(mode == 1 ? IDCUR_POP : IDCUR_GROW));
}

// The outline is two pixels wide and lies across the edge of the bounding box.
int GreyNear(HWND hwnd, int edgeX, int y) {
    int grey = 0;
    for (int x = edgeX - 3; x <= edgeX + 3; ++x)
        grey += Pixel(hwnd, x, y) == kGrey;
    return grey;
}

void Mouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(hwnd, msg, keys, MAKELPARAM(x, y));
}
void AskCursor(HWND hwnd) {
    SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}
void Tick(HWND hwnd, int times = 1) {
    for (int i = 0; i < times; ++i)
        SendMessageA(hwnd, WM_TIMER, 1, 0);
}

class Bubbles : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // Keep the real pointer off the frame: a synthesized mouse move would join a drag.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    // A quiet window: no yeast or gravity, and the given bubbles drawn once by a fresh paint.
    static BubblesData& Place(HWND hwnd, std::initializer_list<Bubble> bubbles) {
        BubblesData& data = *GetBubblesData(hwnd);
        data.yeastTime = data.gravityTime = 0;
        data.count = 0;
        for (const Bubble& b : bubbles)
            data.bubbles[++data.count] = b;
        data.queueHead = data.queueTail = 0;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return data;
    }
};

TEST_F(Bubbles, DesignerShowsColoursXoredOnWhiteAndRingsShowTheBackground) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    // The last one lies across the corner: its box from -14 (truncated from -14.5) to 25 is clipped, not
    // shifted. Colours 12 and 6 overlap between 365 and 380.
    Place(w, {At(60, 60, 20, 0), At(160, 60, 20, 1), At(260, 60, 20, 5), At(360, 60, 20, 12),
              At(385, 60, 20, 6), At(5.5f, 5.5f, 20, 0)});
    for (int round = 0; round < 2; ++round) { // the toggle there and back repaints every bubble
        EXPECT_EQ(Pixel(w, 60, 60), kBlack);
        EXPECT_EQ(Pixel(w, 160, 60), kWhite) << "colour 1 leaves only its outline";
        EXPECT_EQ(GreyNear(w, 140, 60), 2);
        EXPECT_EQ(Pixel(w, 260, 60), Seen(5));
        EXPECT_EQ(Pixel(w, 345, 60), Seen(12));
        EXPECT_EQ(Pixel(w, 372, 60), kWhite ^ kBubbleColours[12] ^ kBubbleColours[6]);
        EXPECT_EQ(Pixel(w, 60, 60 - 25), kWhite);
        EXPECT_EQ(Pixel(w, 0, 0), kBlack);
        EXPECT_EQ(Pixel(w, 30, 5), kWhite);

        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
        PumpMessages();
        for (int x : {60, 260, 345, 372})
            EXPECT_EQ(Pixel(w, x, 60), kWhite) << x;
        EXPECT_EQ(GreyNear(w, 240, 60), 2) << "two-pixel grey ring";
        EXPECT_EQ(GreyNear(w, 280, 60), 2);
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
        PumpMessages();
    }
}

TEST_F(Bubbles, APartialRepaintDrawsEachBubbleOnceClippedToTheUpdate) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    Place(w, {At(100, 100, 40, 0), At(250, 100, 40, 7)});
    const RECT half{0, 0, 100, 300}; // one bubble half inside the invalid area
    RedrawWindow(w, &half, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Pixel(w, 90, 100), kBlack);
    EXPECT_EQ(Pixel(w, 110, 100), kBlack);
    EXPECT_EQ(Pixel(w, 250, 100), Seen(7));
}

TEST_F(Bubbles, AMoveDragCarriesTheBubbleAnywhereAndTheReleaseLetsTheEdgesBringItBack) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(300, 300, 20, 5)});
    Mouse(w, WM_LBUTTONDOWN, 300, 200, MK_LBUTTON); // empty space: captured, nothing held
    EXPECT_EQ(GetCapture(), w);
    Mouse(w, WM_MOUSEMOVE, 100, 100, MK_LBUTTON);
    EXPECT_EQ(data.bubbles[1].x, 100.0f);
    Mouse(w, WM_LBUTTONUP, 100, 100);
    EXPECT_EQ(GetCapture(), nullptr);

    Mouse(w, WM_LBUTTONDOWN, 105, 100, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(data.held, 1);
    Mouse(w, WM_MOUSEMOVE, 205, 150, MK_LBUTTON);
    EXPECT_EQ(data.bubbles[1].x, 200.0f);
    EXPECT_EQ(data.bubbles[1].y, 150.0f);
    EXPECT_EQ(Pixel(w, 100, 100), kWhite);
    EXPECT_EQ(Pixel(w, 200, 150), kBlack);
    Tick(w, 3); // processing the held bubble leaves it where the mouse put it
    EXPECT_EQ(data.bubbles[1].x, 200.0f);
    Mouse(w, WM_MOUSEMOVE, -25, 150, MK_LBUTTON); // captured: negative coordinates arrive
    EXPECT_EQ(data.bubbles[1].x, -30.0f);
    Mouse(w, WM_LBUTTONUP, -25, 150);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
    Tick(w, 3);
    EXPECT_EQ(data.bubbles[1].x, 20.0f);
    EXPECT_EQ(Pixel(w, 20, 150), kBlack);
}

TEST_F(Bubbles, CtrlDragGrowsTheBubbleAndKeepsGrowingAfterCtrlIsReleased) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {At(200, 200, 20, 0)});
    SetKeys(false, true);
    SendMessageA(w, WM_KEYDOWN, VK_CONTROL, 1);
    EXPECT_EQ(data.mouseMode, 2);
    Mouse(w, WM_LBUTTONDOWN, 210, 200, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(GetCapture(), w);
    Mouse(w, WM_MOUSEMOVE, 240, 200, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(data.bubbles[1].radius, 40.0f);
    SetKeys(false, false);
    SendMessageA(w, WM_KEYUP, VK_CONTROL, 1 | (3u << 30));
    EXPECT_EQ(data.mouseMode, 2) << "the press holds the mode";
    Mouse(w, WM_MOUSEMOVE, 200, 250, MK_LBUTTON);
    EXPECT_EQ(data.bubbles[1].radius, 50.0f);
    EXPECT_EQ(Pixel(w, 200, 245), kBlack);
    Mouse(w, WM_LBUTTONUP, 200, 250);
    AskCursor(w);
    EXPECT_EQ(data.mouseMode, 0);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(data.bubbles[2].radius, 50.0f) << "new bubbles take the last grown radius";
}

TEST_F(Bubbles, ShiftClickPopsTheBubbleAtOnceAndRequeuesTheRest) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(200, 100, 20, 5), At(300, 100, 20, 6)});
    SetKeys(true, false);
    SendMessageA(w, WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_EQ(data.mouseMode, 1);
    Mouse(w, WM_LBUTTONDOWN, 50, 300, MK_LBUTTON | MK_SHIFT); // empty space: nothing
    EXPECT_EQ(data.count, 3);
    Mouse(w, WM_LBUTTONDOWN, 200, 110, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(data.count, 2);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{2, 1}));
    EXPECT_EQ(Pixel(w, 200, 100), kWhite);
    EXPECT_EQ(Pixel(w, 300, 100), Seen(6));
    EXPECT_EQ(GetCapture(), nullptr) << "popping never captures";
    Mouse(w, WM_LBUTTONUP, 200, 110, MK_SHIFT);
    EXPECT_EQ(data.pressActive, 0);
}

TEST_F(Bubbles, AModeFromTheMenuShowsItsRadioMarkAndCursorUntilAKeyChanges) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {});
    for (int mode : {1, 2, 0}) {
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MOVE + mode, 0);
        for (int item = 0; item <= 2; ++item) {
            const UINT state = MenuState(hmenuBubbles, IDM_BUBBLES_MOVE + item);
            EXPECT_EQ(state & ~UINT{MFT_RADIOCHECK}, item == mode ? UINT{MF_CHECKED} : 0u)
                << mode << " " << item;
            EXPECT_TRUE(item != mode || (state & MFT_RADIOCHECK)) << mode;
        }
        SetCursor(nullptr);
        AskCursor(w);
        EXPECT_EQ(GetCursor(), ModeCursor(mode));
    }
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_POP, 0);
    SendMessageA(w, WM_KEYDOWN, VK_SHIFT, 1 | (1u << 16) /* held and repeating: ignored */ | 2);
    EXPECT_EQ(data.modeFromMenu, 1);
    SendMessageA(w, WM_KEYUP, VK_CONTROL, 1);
    EXPECT_EQ(data.modeFromMenu, 0);
    EXPECT_EQ(data.mouseMode, 0);
    EXPECT_TRUE(MenuState(hmenuBubbles, IDM_BUBBLES_MOVE) & MF_CHECKED);
}

TEST_F(Bubbles, KeysChangeTheCursorOnlyWhileThePointerRestsOnTheClientArea) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {});
    SetKeys(true, false);
    SetCursor(ModeCursor(0));
    PostMessageA(w, WM_KEYDOWN, VK_SHIFT, 1); // the pointer is in the screen's far corner
    PumpMessages();
    EXPECT_EQ(data.mouseMode, 1);
    EXPECT_EQ(GetCursor(), ModeCursor(0));

    RECT rc{};
    GetClientRect(w, &rc);
    POINT centre{rc.right / 2, rc.bottom / 2};
    ClientToScreen(w, &centre);
    SetCursorPos(centre.x, centre.y);
    PumpMessages();
    SetKeys(false, true);
    SetCursor(ModeCursor(0));
    PostMessageA(w, WM_KEYUP, VK_SHIFT, 1 | (3u << 30));
    PumpMessages();
    EXPECT_EQ(data.mouseMode, 2);
    EXPECT_EQ(GetCursor(), ModeCursor(2));
}

TEST_F(Bubbles, LosingTheCaptureOrTheActivationEndsTheDrag) {
    HWND first = NewChild(IDM_NEW_BUBBLES);
    HWND second = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(second, {At(100, 100, 20, 0)});
    Mouse(second, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    ASSERT_EQ(GetCapture(), second);
    ReleaseCapture();
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1}));

    Mouse(second, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    ASSERT_EQ(data.held, 1);
    SendMessageA(hwndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    PumpMessages();
    EXPECT_EQ(ActiveChild(), first);
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
    Mouse(second, WM_MOUSEMOVE, 200, 200, MK_LBUTTON);
    EXPECT_EQ(data.bubbles[1].x, 100.0f);
    if (GetCapture() == second) ReleaseCapture();
}

TEST_F(Bubbles, SlashFlagsNameTheirCommands) {
    RunArgs({"-bubbles", "/MAKE", "/m", "/", "/d"});
    HWND w = ActiveChild();
    BubblesData& data = *GetBubblesData(w);
    EXPECT_EQ(data.count, 3);
    EXPECT_EQ(data.designer, 0);
    struct Case {
        const char* flag;
        LRESULT result;
    };
    for (const Case c : {Case{"/makes", 0}, Case{"-make", 0}, Case{nullptr, 0}, Case{"/GRAV", 1},
                         Case{"/y", 1}, Case{"/g", 1}})
        EXPECT_EQ(SendFlag(w, c.flag), c.result) << c.flag;
    EXPECT_EQ(data.count, 3);
    EXPECT_EQ(data.gravityTime, 0u) << "switched on and off again";
    EXPECT_EQ(data.yeastTime, 0u);
}

TEST_F(Bubbles, MenuShowsTheSettingsAndGraysWhatCannotBeDoneUpToTheLastBubble) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = *GetBubblesData(w);
    EXPECT_TRUE(MenuState(hmenuBubbles, IDM_BUBBLES_ERASE_ALL) & MF_GRAYED);
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_MAKE), 0u);
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_GRAVITY), 0u);
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_DESIGNER), UINT{MF_CHECKED});
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_YEAST), UINT{MF_CHECKED});
    EXPECT_FALSE(MenuState(hmenuFile, IDM_CLOSE) & MF_GRAYED);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_GRAVITY, 0);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_YEAST, 0);
    EXPECT_NE(data.gravityTime, 0u);
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_GRAVITY), UINT{MF_CHECKED});
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_YEAST), 0u);

    Place(w, {});
    for (int k = 0; k < 198; ++k)
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_ERASE_ALL), 0u);
    EXPECT_EQ(MenuState(hmenuBubbles, IDM_BUBBLES_MAKE), 0u);
    PressCtrl('M'); // the accelerator asks the menu first
    EXPECT_EQ(data.count, 199);
    EXPECT_TRUE(MenuState(hmenuBubbles, IDM_BUBBLES_MAKE) & MF_GRAYED);
    PressCtrl('M');
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(SendFlag(w, "/make"), 1);
    EXPECT_EQ(data.count, 199);

    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_ERASE_ALL, 0);
    PumpMessages();
    EXPECT_EQ(data.count, 0);
    const std::vector<COLORREF> picture = ClientPixels(w);
    EXPECT_TRUE(std::all_of(picture.begin(), picture.end(), [](COLORREF c) { return c == kWhite; }));
    EXPECT_TRUE(MenuState(hmenuBubbles, IDM_BUBBLES_ERASE_ALL) & MF_GRAYED);
}

TEST_F(Bubbles, ANewWindowTakesTheSettingsOfABubblesSourceOnly) {
    RunArgs({"-lines", "-bubbles"});
    HWND source = ActiveChild();
    BubblesData& from = *GetBubblesData(source);
    EXPECT_EQ(from.defaultRadius, 20.0f) << "split off a Lines window: the defaults";
    EXPECT_EQ(from.designer, 1);

    Place(source, {At(100, 100, 20, 0)});
    from.defaultRadius = 35;
    SendMessageA(source, WM_COMMAND, IDM_BUBBLES_GRAVITY, 0);
    from.gravityTime = GetTickCount() + 100000; // no pulse moves it on before the copy is compared
    SendMessageA(source, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
    SendMessageA(source, WM_COMMAND, IDM_BUBBLES_POP, 0);
    HWND split = NewChild(IDM_NEW_BUBBLES);
    const BubblesData& data = *GetBubblesData(split);
    EXPECT_EQ(data.defaultRadius, 35.0f);
    EXPECT_EQ(data.gravityTime, from.gravityTime);
    EXPECT_EQ(data.designer, 0);
    EXPECT_EQ(data.yeastTime, 0u);
    EXPECT_EQ(data.count, 0);
    SendMessageA(split, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(data.bubbles[1].radius, 35.0f);
    EXPECT_EQ(from.count, 1) << "the windows keep separate bubbles";
}

TEST_F(Bubbles, ResizingQueuesEveryBubbleHighestFirstAndForeignTimersAreIgnored) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(200, 100, 20, 5), At(300, 100, 20, 6)});
    SendMessageA(w, WM_TIMER, 2, 0);
    EXPECT_EQ(data.queueHead, 0);
    RECT rc{};
    GetWindowRect(w, &rc);
    MapWindowPoints(nullptr, hwndClient, reinterpret_cast<POINT*>(&rc), 2);
    MoveWindow(w, rc.left, rc.top, rc.right - rc.left - 10, rc.bottom - rc.top, TRUE);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{3, 2, 1}));
    SendMessageA(w, WM_TIMER, 2, 0);
    EXPECT_EQ(QueueOrder(data).size(), 3u);
    Tick(w);
    EXPECT_EQ(data.queueHead, 0);
}

TEST_F(Bubbles, AGravityPulseDropsEveryBubbleFivePixels) {
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(200, 150, 20, 5)});
    data.gravityTime = GetTickCount() - 100; // overdue
    Tick(w);
    EXPECT_EQ(data.bubbles[1].y, 105.0f);
    EXPECT_EQ(data.bubbles[2].y, 155.0f);
    EXPECT_EQ(Pixel(w, 100, 122), kBlack);
    EXPECT_TRUE(static_cast<int32_t>(data.gravityTime - GetTickCount()) > 0);
}

TEST_F(Bubbles, ClosingOneWindowLeavesTheOtherRunningOnItsOwnTimer) {
    HWND first = NewChild(IDM_NEW_BUBBLES);
    HWND second = NewChild(IDM_NEW_BUBBLES);
    BubblesData& data = Place(first, {At(100, 100, 20, 0), At(100, 100, 20, 5)});
    SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
    PumpMessages();
    ASSERT_TRUE(IsWindow(first));
    SendMessageA(first, WM_SIZE, SIZE_RESTORED, 0); // queue both; only the window's own timer settles them
    for (int i = 0; i < 100 && data.queueHead != 0; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(std::fabs(data.bubbles[1].x - data.bubbles[2].x), 40.0f);
}

} // namespace
