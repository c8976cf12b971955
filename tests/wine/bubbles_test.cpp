#include "harness.h"

#include "bubbles/bubbles_window.h"
#include "bubbles/core/bubble_look.h"
#include "common/app_state.h"
#include "common/ids.h"

#include <cmath>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(127, 127, 127);

Bubble At(float x, float y, float radius, int colour) {
    Bubble b{};
    b.x = x;
    b.y = y;
    b.radius = radius;
    b.targetRadius = radius;
    b.colour = static_cast<int16_t>(colour);
    b.next = -1;
    return b;
}

// What a colour index shows when XORed onto white.
COLORREF Seen(int colour) { return kBubbleColours[colour] ^ 0xFFFFFFu; }

COLORREF Pixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

std::vector<int> QueueOrder(const BubblesData& data) {
    std::vector<int> order;
    for (int k = data.queueHead; k > 0 && order.size() < 300; k = data.bubbles[k].next)
        order.push_back(k);
    return order;
}

void SetKeys(bool shift, bool ctrl) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
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

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class Bubbles : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // Keep the real pointer off the frame: a synthesized mouse move would join a drag.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        SetKeys(false, false);
    }
    void TearDown() override {
        SetKeys(false, false);
        AppTest::TearDown();
    }

    HWND NewBubbles() {
        SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_BUBBLES, 0);
        PumpMessages();
        return ActiveChild();
    }

    // A quiet window: no yeast or gravity, and the given bubbles drawn once by a fresh paint.
    static BubblesData& Place(HWND hwnd, std::initializer_list<Bubble> bubbles) {
        BubblesData& data = *GetBubblesData(hwnd);
        data.yeastTime = 0;
        data.gravityTime = 0;
        data.count = 0;
        for (const Bubble& b : bubbles)
            data.bubbles[++data.count] = b;
        data.queueHead = data.queueTail = 0;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return data;
    }

    static void Tick(HWND hwnd, int times = 1) {
        for (int i = 0; i < times; ++i)
            SendMessageA(hwnd, WM_TIMER, 1, 0);
    }

    static UINT MenuState(UINT command) {
        SendMessageA(hwndFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hmenuBubbles), 1);
        return GetMenuState(hmenuBubbles, command, MF_BYCOMMAND);
    }
};

TEST_F(Bubbles, DesignerBubblesShowTheirColourXoredOnWhite) {
    HWND w = NewBubbles();
    Place(w, {At(60, 60, 20, 0), At(160, 60, 20, 1), At(260, 60, 20, 5), At(360, 60, 20, 12)});
    EXPECT_EQ(Pixel(w, 60, 60), kBlack);
    EXPECT_EQ(Pixel(w, 160, 60), kWhite) << "colour 1 leaves only its outline";
    EXPECT_EQ(GreyNear(w, 140, 60), 2);
    EXPECT_EQ(Pixel(w, 260, 60), Seen(5));
    EXPECT_EQ(Pixel(w, 360, 60), Seen(12));
    EXPECT_EQ(Pixel(w, 60, 60 - 25), kWhite);
}

TEST_F(Bubbles, RingsAreTwoPixelGreyOutlinesWithTheBackgroundShowingThrough) {
    HWND w = NewBubbles();
    GetBubblesData(w)->designer = 0;
    Place(w, {At(100, 100, 30, 0)});
    EXPECT_EQ(Pixel(w, 100, 100), kWhite);
    int grey = 0;
    for (int x = 60; x < 100; ++x)
        grey += Pixel(w, x, 100) == kGrey;
    EXPECT_EQ(grey, 2);
}

TEST_F(Bubbles, ABubbleAcrossTheTopLeftCornerIsClippedNotShifted) {
    HWND w = NewBubbles();
    Place(w, {At(5.5f, 5.5f, 20, 0)}); // box from -14 (truncated from -14.5) to 25
    EXPECT_EQ(Pixel(w, 0, 0), kBlack);
    EXPECT_EQ(Pixel(w, 5, 5), kBlack);
    EXPECT_EQ(Pixel(w, 30, 5), kWhite);
}

TEST_F(Bubbles, OverlapShowsXoredColoursUntilTheBubblesArePushedApart) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(200, 200, 30, 5), At(230, 200, 30, 6)});
    EXPECT_EQ(Pixel(w, 215, 200), kWhite ^ kBubbleColours[5] ^ kBubbleColours[6]);
    SendMessageA(w, WM_SIZE, SIZE_RESTORED, 0); // queues both
    Tick(w, 5);
    EXPECT_EQ(data.queueHead, 0);
    const Bubble& a = data.bubbles[1];
    const Bubble& b = data.bubbles[2];
    EXPECT_EQ(std::fabs(a.x - b.x), 60.0f);
    EXPECT_EQ(a.y, 200.0f);
    EXPECT_EQ(b.y, 200.0f);
    EXPECT_EQ(Pixel(w, int(a.x), int(a.y)), Seen(5));
    EXPECT_EQ(Pixel(w, int(b.x), int(b.y)), Seen(6));
    EXPECT_EQ(Pixel(w, int((a.x + b.x) / 2), 185), kWhite) << "where they overlapped";
}

TEST_F(Bubbles, RepaintingACoveredPartDoesNotDoubleTheBubbles) {
    HWND w = NewBubbles();
    Place(w, {At(100, 100, 40, 0), At(250, 100, 40, 7)});
    RECT rc{};
    GetWindowRect(w, &rc);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, rc.left, rc.top, 200,
                                 250, nullptr, nullptr, hInst, nullptr);
    PumpMessages();
    DestroyWindow(cover);
    PumpMessages();
    UpdateWindow(w);
    EXPECT_EQ(Pixel(w, 100, 100), kBlack);
    EXPECT_EQ(Pixel(w, 250, 100), Seen(7));
    // A partial update: one bubble half inside the invalid area.
    const RECT half{0, 0, 100, 300};
    RedrawWindow(w, &half, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(Pixel(w, 90, 100), kBlack);
    EXPECT_EQ(Pixel(w, 110, 100), kBlack);
}

TEST_F(Bubbles, DesignerTogglesRepaintEveryBubbleInTheNewStyle) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 30, 0), At(200, 100, 30, 5)});
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
    PumpMessages();
    EXPECT_EQ(data.designer, 0);
    EXPECT_EQ(Pixel(w, 100, 100), kWhite);
    EXPECT_EQ(Pixel(w, 200, 100), kWhite);
    EXPECT_EQ(GreyNear(w, 70, 100), 2);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
    PumpMessages();
    EXPECT_EQ(Pixel(w, 100, 100), kBlack);
    EXPECT_EQ(Pixel(w, 200, 100), Seen(5));
}

TEST_F(Bubbles, EraseAllEmptiesTheWindowAndItsPicture) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 30, 0)});
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_ERASE_ALL, 0);
    PumpMessages();
    EXPECT_EQ(data.count, 0);
    EXPECT_EQ(Pixel(w, 100, 100), kWhite);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_ERASE_ALL) & MF_GRAYED);
}

TEST_F(Bubbles, AMoveDragCarriesTheBubbleAndTheReleaseFreesTheMouse) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(300, 300, 20, 5)});
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(105, 100));
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(data.held, 1);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, Point(205, 150));
    EXPECT_EQ(data.bubbles[1].x, 200.0f);
    EXPECT_EQ(data.bubbles[1].y, 150.0f);
    EXPECT_EQ(Pixel(w, 100, 100), kWhite);
    EXPECT_EQ(Pixel(w, 200, 150), kBlack);
    Tick(w, 3); // processing the held bubble leaves it where the mouse put it
    EXPECT_EQ(data.bubbles[1].x, 200.0f);
    SendMessageA(w, WM_LBUTTONUP, 0, Point(205, 150));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
}

TEST_F(Bubbles, ABubbleDroppedOutsideComesBackInside) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 20, 0)});
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(100, 100));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, Point(-30, 100)); // captured: negative coordinates arrive
    EXPECT_EQ(data.bubbles[1].x, -30.0f);
    SendMessageA(w, WM_LBUTTONUP, 0, Point(-30, 100));
    Tick(w, 3);
    EXPECT_EQ(data.bubbles[1].x, 20.0f);
    EXPECT_EQ(Pixel(w, 20, 100), kBlack);
}

TEST_F(Bubbles, APressOnEmptySpaceCapturesTheMouseAndMovesNothing) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 20, 0)});
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(300, 300));
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(data.pressActive, 0);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 100));
    EXPECT_EQ(data.bubbles[1].x, 100.0f);
    SendMessageA(w, WM_LBUTTONUP, 0, Point(100, 100));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Bubbles, CtrlDragGrowsTheBubbleAndKeepsGrowingAfterCtrlIsReleased) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(200, 200, 20, 0)});
    SetKeys(false, true);
    SendMessageA(w, WM_KEYDOWN, VK_CONTROL, 1);
    EXPECT_EQ(data.mouseMode, 2);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, Point(210, 200));
    EXPECT_EQ(GetCapture(), w);
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, Point(240, 200));
    EXPECT_EQ(data.bubbles[1].radius, 40.0f);
    SetKeys(false, false);
    SendMessageA(w, WM_KEYUP, VK_CONTROL, 1 | (3u << 30));
    EXPECT_EQ(data.mouseMode, 2) << "the press holds the mode";
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, Point(200, 250));
    EXPECT_EQ(data.bubbles[1].radius, 50.0f);
    EXPECT_EQ(data.bubbles[1].targetRadius, 50.0f);
    EXPECT_EQ(data.defaultRadius, 50.0f);
    EXPECT_EQ(Pixel(w, 200, 245), kBlack);
    SendMessageA(w, WM_LBUTTONUP, 0, Point(200, 250));
    SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(data.mouseMode, 0);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(data.bubbles[2].radius, 50.0f) << "new bubbles take the last grown radius";
}

TEST_F(Bubbles, ShiftClickPopsTheBubbleAtOnceAndRequeuesTheRest) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(200, 100, 20, 5), At(300, 100, 20, 6)});
    SetKeys(true, false);
    SendMessageA(w, WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_EQ(data.mouseMode, 1);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, Point(50, 300)); // empty space: nothing
    EXPECT_EQ(data.count, 3);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, Point(200, 110));
    EXPECT_EQ(data.count, 2);
    EXPECT_EQ(data.bubbles[2].colour, 6);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{2, 1}));
    EXPECT_EQ(Pixel(w, 200, 100), kWhite);
    EXPECT_EQ(Pixel(w, 300, 100), Seen(6));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(w, WM_LBUTTONUP, MK_SHIFT, Point(200, 110));
    EXPECT_EQ(data.pressActive, 0);
}

TEST_F(Bubbles, AModeFromTheMenuShowsItsRadioMarkAndCursorUntilAKeyChanges) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {});
    struct Case {
        UINT command;
        int mode;
    };
    for (const Case c : {Case{IDM_BUBBLES_POP, 1}, Case{IDM_BUBBLES_GROW, 2}, Case{IDM_BUBBLES_MOVE, 0}}) {
        SendMessageA(w, WM_COMMAND, c.command, 0);
        for (UINT command = IDM_BUBBLES_MOVE; command <= IDM_BUBBLES_GROW; ++command) {
            const UINT state = MenuState(command);
            EXPECT_EQ((state & MF_CHECKED) != 0, command == c.command) << command;
            EXPECT_FALSE(state & MF_GRAYED);
        }
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(hmenuBubbles, c.command, FALSE, &info);
        EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
        SetCursor(nullptr);
        SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), ModeCursor(c.mode));
    }
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_POP, 0);
    SendMessageA(w, WM_KEYDOWN, VK_SHIFT, 1 | (1u << 16) /* held and repeating: ignored */ | 2);
    EXPECT_EQ(data.modeFromMenu, 1);
    SetKeys(false, false);
    SendMessageA(w, WM_KEYUP, VK_CONTROL, 1);
    EXPECT_EQ(data.modeFromMenu, 0);
    EXPECT_EQ(data.mouseMode, 0);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_MOVE) & MF_CHECKED);
}

TEST_F(Bubbles, KeysChangeTheCursorOnlyWhileThePointerRestsOnTheClientArea) {
    HWND w = NewBubbles();
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

TEST_F(Bubbles, SwitchingToAnotherWindowDuringADragEndsIt) {
    HWND first = NewBubbles();
    HWND second = NewBubbles();
    ASSERT_NE(first, second);
    BubblesData& data = Place(second, {At(100, 100, 20, 0)});
    SendMessageA(second, WM_LBUTTONDOWN, MK_LBUTTON, Point(100, 100));
    ASSERT_EQ(data.held, 1);
    SendMessageA(hwndClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    PumpMessages();
    EXPECT_EQ(ActiveChild(), first);
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
    SendMessageA(second, WM_MOUSEMOVE, MK_LBUTTON, Point(200, 200));
    EXPECT_EQ(data.bubbles[1].x, 100.0f);
    if (GetCapture() == second) ReleaseCapture();
}

TEST_F(Bubbles, LosingTheCaptureEndsTheDrag) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 20, 0)});
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, Point(100, 100));
    ASSERT_EQ(GetCapture(), w);
    ReleaseCapture();
    EXPECT_EQ(data.held, 0);
    EXPECT_EQ(data.pressActive, 0);
    EXPECT_EQ(QueueOrder(data), (std::vector<int>{1}));
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
    for (const Case c :
         {Case{"/makes", 0}, Case{"-make", 0}, Case{"/GRAV", 1}, Case{"/y", 1}, Case{"/g", 1}}) {
        EXPECT_EQ(SendMessageA(w, UWM_FLAG, reinterpret_cast<WPARAM>(c.flag), 0), c.result) << c.flag;
    }
    EXPECT_EQ(data.count, 3);
    EXPECT_EQ(data.gravityTime, 0u) << "switched on and off again";
    EXPECT_EQ(data.yeastTime, 0u);
}

TEST_F(Bubbles, MenuShowsTheSettingsAndGraysWhatCannotBeDone) {
    HWND w = NewBubbles();
    BubblesData& data = *GetBubblesData(w);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_ERASE_ALL) & MF_GRAYED);
    EXPECT_FALSE(MenuState(IDM_BUBBLES_MAKE) & MF_GRAYED);
    EXPECT_FALSE(MenuState(IDM_BUBBLES_GRAVITY) & MF_CHECKED);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_DESIGNER) & MF_CHECKED);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_YEAST) & MF_CHECKED);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_GRAVITY, 0);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_YEAST, 0);
    EXPECT_NE(data.gravityTime, 0u);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_GRAVITY) & MF_CHECKED);
    EXPECT_FALSE(MenuState(IDM_BUBBLES_YEAST) & MF_CHECKED);
    SendMessageA(hwndFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hmenuFile), 0);
    EXPECT_FALSE(GetMenuState(hmenuFile, IDM_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Bubbles, TheHundredAndNinetyNinthBubbleIsTheLast) {
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {});
    for (int k = 0; k < 198; ++k)
        SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    data.yeastTime = 0;
    EXPECT_FALSE(MenuState(IDM_BUBBLES_MAKE) & MF_GRAYED);
    // Ctrl+M through the program's own loop: the accelerator asks the menu first.
    SetKeys(false, true);
    PostMessageA(w, WM_KEYDOWN, 'M', 1);
    PumpMessages();
    EXPECT_EQ(data.count, 199);
    EXPECT_TRUE(MenuState(IDM_BUBBLES_MAKE) & MF_GRAYED);
    PostMessageA(w, WM_KEYDOWN, 'M', 1);
    PumpMessages();
    SetKeys(false, false);
    SendMessageA(w, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(SendMessageA(w, UWM_FLAG, reinterpret_cast<WPARAM>("/make"), 0), 1);
    EXPECT_EQ(data.count, 199);
}

TEST_F(Bubbles, AWindowSplitOffABubblesWindowTakesItsSettings) {
    HWND source = NewBubbles();
    BubblesData& from = Place(source, {At(100, 100, 20, 0)});
    from.defaultRadius = 35;
    SendMessageA(source, WM_COMMAND, IDM_BUBBLES_GRAVITY, 0);
    from.gravityTime = GetTickCount() + 100000; // no pulse moves it on before the copy is compared
    SendMessageA(source, WM_COMMAND, IDM_BUBBLES_DESIGNER, 0);
    SendMessageA(source, WM_COMMAND, IDM_BUBBLES_POP, 0);
    HWND split = NewBubbles();
    const BubblesData& data = *GetBubblesData(split);
    EXPECT_EQ(data.defaultRadius, 35.0f);
    EXPECT_EQ(data.gravityTime, from.gravityTime);
    EXPECT_NE(data.gravityTime, 0u);
    EXPECT_EQ(data.designer, 0);
    EXPECT_EQ(data.yeastTime, 0u);
    EXPECT_EQ(data.count, 0);
    EXPECT_EQ(data.mouseMode, 0);
    EXPECT_EQ(data.modeFromMenu, 0);
    SendMessageA(split, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
    EXPECT_EQ(data.bubbles[1].radius, 35.0f);
    EXPECT_EQ(from.count, 1) << "the windows keep separate bubbles";
}

TEST_F(Bubbles, AWindowSplitOffALinesWindowStartsWithTheDefaults) {
    RunArgs({"-lines", "-bubbles"});
    const BubblesData& data = *GetBubblesData(ActiveChild());
    EXPECT_EQ(data.defaultRadius, 20.0f);
    EXPECT_EQ(data.gravityTime, 0u);
    EXPECT_EQ(data.designer, 1);
    EXPECT_NE(data.yeastTime, 0u);
}

TEST_F(Bubbles, ResizingQueuesEveryBubbleHighestFirstAndForeignTimersAreIgnored) {
    HWND w = NewBubbles();
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
    HWND w = NewBubbles();
    BubblesData& data = Place(w, {At(100, 100, 20, 0), At(200, 150, 20, 5)});
    data.gravityTime = GetTickCount() - 100; // overdue
    Tick(w);
    EXPECT_EQ(data.bubbles[1].y, 105.0f);
    EXPECT_EQ(data.bubbles[2].y, 155.0f);
    EXPECT_EQ(Pixel(w, 100, 122), kBlack);
    EXPECT_TRUE(static_cast<int32_t>(data.gravityTime - GetTickCount()) > 0);
}

TEST_F(Bubbles, ClosingOneWindowLeavesTheOtherRunning) {
    HWND first = NewBubbles();
    HWND second = NewBubbles();
    BubblesData& data = Place(first, {At(100, 100, 20, 0), At(100, 100, 20, 5)});
    SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
    PumpMessages();
    ASSERT_FALSE(IsWindow(second));
    ASSERT_TRUE(IsWindow(first));
    SendMessageA(first, WM_SIZE, SIZE_RESTORED, 0); // queue both; the window's own timer settles them
    const DWORD deadline = GetTickCount() + 5000;
    while (data.queueHead != 0 && static_cast<int32_t>(GetTickCount() - deadline) < 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    EXPECT_EQ(data.queueHead, 0);
    EXPECT_EQ(std::fabs(data.bubbles[1].x - data.bubbles[2].x), 40.0f);
}

} // namespace
