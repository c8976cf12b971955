#include "bubbles/bubbles_record.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/lines_data.h"
#include "shell/startup.h"

#include <algorithm>
#include <tuple>

namespace {

using Texts = std::vector<std::string>;
using Box = std::tuple<int, int, int, int>;
const Texts kNoChild{"&File", "&Window", "&Help"};
const Texts kWithLines{"&File", "&Lines", "&Window", "&Help"};
const Texts kWithBubbles{"&File", "&Bubbles", "&Window", "&Help"};

Box InClient(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, hwndClient, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void CloseAll() {
    SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
    Pump();
}

using Shell = AppTest;

// Start-up runs the command line straight after showing the frame, before any message is pumped.
TEST_F(Shell, StartUpFillsTheClientWithALinesAndABubblesWindowWithFiveBubbles) {
    RunArgs({});
    RECT client, covered{};
    GetClientRect(hwndFrame, &client);
    for (HWND child : Children()) {
        const auto [l, t, r, b] = InClient(child);
        const RECT box{l, t, r, b};
        UnionRect(&covered, &covered, &box);
    }
    EXPECT_TRUE(covered.right == client.right && covered.bottom == client.bottom);
    ASSERT_EQ(Children().size(), 2u);
    EXPECT_EQ(GetBubblesData(Active())->count, 5);
    EXPECT_NE(GetLinesData(Children()[1]), nullptr);
    EXPECT_EQ(MenuBar(), kWithBubbles);
}

// Stands in for a nested modal loop that takes the WM_QUIT the frame's destruction posts.
void CALLBACK DestroyFrameAndSwallowQuit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DestroyWindow(hwndFrame);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(Shell, TheLoopEndsWithZeroOnExitOrWhenTheFrameIsGoneEvenIfItsQuitWasSwallowed) {
    SetTimer(nullptr, 0, 1, DestroyFrameAndSwallowQuit);
    EXPECT_EQ(RunMessageLoop(nullptr), 0);
    ASSERT_NE(CreateFrameWindow(SW_SHOWNORMAL), nullptr);
    RunArgs({"-lines", "-bubbles"});
    SendMessageA(hwndFrame, WM_COMMAND, IDM_EXIT, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(msg.wParam == 0 && !IsWindow(hwndFrame));
}

TEST_F(Shell, TheBarShowsThePopupOfTheActiveChildRightAfterFileAndGraysWhatCannotBeDone) {
    const HMENU windowPopup = GetSubMenu(hmenuFrame, 1);
    EXPECT_EQ(MenuBar(), kNoChild);
    const struct {
        HMENU popup;
        UINT command, state;
    } items[] = {{hmenuFile, IDM_CLOSE, MF_GRAYED}, {hmenuFile, IDM_NEW_LINES, 0},
                 {hmenuFile, IDM_NEW_BUBBLES, 0},   {hmenuFile, IDM_EXIT, 0},
                 {hmenuHelp, IDM_ABOUT, 0},         {windowPopup, IDM_WINDOW_TILE, 0}};
    for (const auto& item : items)
        EXPECT_EQ(MenuState(item.popup, item.command), item.state) << item.command;
    RunArgs({"-lines"});
    EXPECT_EQ(MenuBar(), kWithLines);
    EXPECT_EQ(MenuState(hmenuFile, IDM_CLOSE), 0u);
    RunArgs({"-bubbles"});
    EXPECT_EQ(MenuBar(), kWithBubbles);
    CloseAll();
    RunArgs({"-lines", "-lines"});
    const Spy& frame = Watch(hwndFrame);
    RunArgs({"-next"}); // to the other Lines window: the bar stays and is not drawn again
    EXPECT_EQ(std::count(frame.seen.begin(), frame.seen.end(), UINT{WM_NCCALCSIZE}), 0);
    EXPECT_EQ(MenuBar(), kWithLines);
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Active()), 0);
    Pump();
    EXPECT_TRUE(IsZoomed(Active()));
    RunArgs({"-bubbles"}); // a maximized child may put its window-menu item in front of File
    int file = 0;
    while (file < 9 && GetSubMenu(hmenuFrame, file) != hmenuFile)
        ++file;
    EXPECT_EQ(GetSubMenu(hmenuFrame, file + 1), hmenuBubbles);
    CloseAll();
    EXPECT_EQ(MenuBar(), kNoChild);
    SetPropA(NewChild(IDM_NEW_LINES), "CHILDMENU", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234)));
    SendMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    EXPECT_EQ(MenuBar(), kNoChild) << "a child menu that is no menu shows none";
}

TEST_F(Shell, CommandsAndArgumentsReachTheWindowsOfTheirMoment) {
    RunArgs({"-lines", "-bubbles", "-lines"});
    const std::vector<HWND> before = Children();
    RunArgs({"-next"});
    EXPECT_EQ(Active(), before[1]);
    SendMessageA(hwndFrame, WM_COMMAND, 100,
                 0); // the window list numbers children from 100 in creation order
    Pump();
    EXPECT_EQ(Active(), before[2]);
    const Spy& spy = Watch(Active());
    SendMessageA(hwndFrame, WM_COMMAND, MAKEWPARAM(IDM_LINES_ERASE, 1), 0);
    SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_LINES, 0); // the frame's own: not passed on
    EXPECT_EQ(std::count(spy.seen.begin(), spy.seen.end(), UINT{WM_COMMAND}), 1);
    EXPECT_FALSE(GetLinesData(before[2])->fErase);
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    Pump();
    EXPECT_EQ(Children().size(), 3u) << "Close takes only the active child";
    CloseAll();
    RunArgs({"-l", "-b"});
    SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_TILE, 0);
    EXPECT_TRUE(std::get<1>(InClient(Children()[0])) == std::get<1>(InClient(Children()[1])) &&
                std::get<0>(InClient(Children()[0])) != std::get<0>(InClient(Children()[1])))
        << "tiled side by side";
    const struct {
        std::initializer_list<const char*> args;
        size_t children;
    } lines[] = {{{"-next"}, 0},
                 {{"-LINES", "-l"}, 2},
                 {{"-", ""}, 2},
                 {{"-lines", "-linesx"}, 1},
                 {{"/make", "-bubbles"}, 1}};
    for (const auto& c : lines) {
        CloseAll();
        RunArgs(c.args);
        EXPECT_EQ(Children().size(), c.children) << *c.args.begin();
    }
    Spy& refusing = Watch(Active());
    refusing.refuseClose = true;
    SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwndFrame) && Children().size() == 1);
    EXPECT_EQ(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0), 0);
    refusing.refuseClose = false;
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Active()), 0);
    EXPECT_NE(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_TRUE(Children().empty());
}

TEST_F(Shell, EachNewWindowHalvesTheActiveOneUnlessAHalfWouldBeBelowFortyPixels) {
    RECT client, frame;
    GetClientRect(hwndClient, &client);
    GetWindowRect(hwndFrame, &frame);
    MoveWindow(hwndFrame, 0, 0, frame.right - frame.left + 800 - client.right,
               frame.bottom - frame.top + 600 - client.bottom, TRUE);
    Pump();
    RunArgs({"-lines", "-bubbles", "-lines", "-bubbles"});
    std::vector<HWND> windows = Children();
    std::reverse(windows.begin(), windows.end());
    const Box placed[] = {{0, 0, 400, 600}, {400, 0, 800, 300}, {400, 300, 600, 600}, {600, 300, 800, 600}};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(InClient(windows[i]), placed[i]) << i;
    MoveWindow(windows[3], 10, 10, 200, 39, TRUE); // too flat to halve
    RunArgs({"-lines"});
    EXPECT_EQ(InClient(Active()), Box(0, 0, 800, 600));
    EXPECT_EQ(InClient(windows[3]), Box(10, 10, 210, 49));
}

} // namespace
