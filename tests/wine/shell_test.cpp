#include "bubbles/bubbles_data.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/lines_data.h"

#include <atomic>
#include <thread>

namespace {

using Texts = std::vector<std::string>;

Texts Bar() {
    Texts texts;
    char text[64];
    for (int i = 0; GetMenuStringA(hmenuFrame, i, text, sizeof text, MF_BYPOSITION) > 0; ++i)
        texts.push_back(text);
    return texts;
}

std::vector<HWND> Children() { // of the MDI client, top first
    std::vector<HWND> result;
    for (HWND w = GetWindow(hwndClient, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (!GetWindow(w, GW_OWNER)) result.push_back(w);
    return result;
}

RECT InClient(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, hwndClient, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Command(UINT id) {
    SendMessageA(hwndFrame, WM_COMMAND, id, 0);
    Pump();
}

using Shell = AppTest;

// Start-up runs the command line straight after showing the frame, before any message is pumped.
TEST_F(Shell, NoArgumentsSplitLinesAndBubblesWithFiveBubblesOverTheClient) {
    RunArgs({}, false);
    EXPECT_EQ(GetBubblesData(ActiveChild())->count, 5) << "counted before a tick can bud one";
    Pump();
    RECT client;
    GetClientRect(hwndFrame, &client);
    const std::vector<HWND> children = Children();
    ASSERT_EQ(children.size(), 2u);
    const RECT bubbles = InClient(children[0]);
    const RECT lines = InClient(children[1]);
    EXPECT_NE(GetLinesData(children[1]), nullptr);
    EXPECT_TRUE(lines.left == 0 && lines.right == bubbles.left && bubbles.right == client.right);
    EXPECT_EQ(Bar(), Texts({"&File", "&Bubbles", "&Window", "&Help"}));
}

TEST_F(Shell, TheBarShowsThePopupOfTheActiveChildRightAfterFile) {
    RunArgs({"-lines"});
    EXPECT_EQ(Bar(), Texts({"&File", "&Lines", "&Window", "&Help"}));
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(ActiveChild()), 0);
    RunArgs({"-bubbles"}); // a maximized child may put its window-menu item in front of File
    int file = 0;
    while (file < 9 && GetSubMenu(hmenuFrame, file) != hmenuFile)
        ++file;
    EXPECT_EQ(GetSubMenu(hmenuFrame, file + 1), hmenuBubbles);
    Command(IDM_WINDOW_CLOSE_ALL);
    EXPECT_EQ(Bar(), Texts({"&File", "&Window", "&Help"}));
}

TEST_F(Shell, TheFramesPopupsOfferWhatCanBeDoneCloseOnlyWithAChild) {
    const std::tuple<HMENU, UINT, UINT> items[] = {
        {hmenuFile, IDM_CLOSE, MF_GRAYED}, {hmenuFile, IDM_NEW_LINES, 0},
        {hmenuFile, IDM_NEW_BUBBLES, 0},   {hmenuFile, IDM_EXIT, 0},
        {hmenuHelp, IDM_ABOUT, 0},         {GetSubMenu(hmenuFrame, 1), IDM_WINDOW_TILE, 0}};
    for (const auto& [popup, item, state] : items)
        EXPECT_EQ(MenuState(popup, item), state) << item;
    RunArgs({"-lines"});
    EXPECT_EQ(MenuState(hmenuFile, IDM_CLOSE), 0u);
}

TEST_F(Shell, CommandsAndArgumentsReachTheActiveChildOfTheirMoment) {
    RunArgs({"-lines", "-bubbles", "-lines"});
    const std::vector<HWND> before = Children();
    RunArgs({"-next"});
    EXPECT_EQ(ActiveChild(), before[1]);
    Command(100);             // the window list numbers the children from 100 in creation order
    Command(IDM_LINES_ERASE); // not the frame's own: handed to the active child
    EXPECT_TRUE(ActiveChild() == before[2] && !GetLinesData(before[2])->fErase);
    Command(IDM_CLOSE);
    Command(IDM_WINDOW_TILE);
    EXPECT_EQ(Children().size(), 2u) << "Close takes only the active child";
    EXPECT_EQ(InClient(before[0]).top, InClient(before[1]).top) << "tiled side by side";
    Command(IDM_WINDOW_CLOSE_ALL);
    RunArgs({"/make", "-next", "-l", "-b"}); // flags before any window go nowhere
    EXPECT_EQ(Children().size(), 2u);
    ShowWindow(Children()[1], SW_MINIMIZE); // on Windows it gets an icon title, which Close All passes by
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(ActiveChild()), 0);
    EXPECT_TRUE(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0) && Children().empty())
        << "restored, closed";
}

// Another thread's pointers mean nothing: its flag's text, the records its windows of our class names carry.
TEST_F(Shell, AWindowOfAnotherThreadIsNoSourceAndItsFlagsAreDropped) {
    RunArgs({"-lines", "/boxes"});
    HWND lines = ActiveChild();
    LinesData linesBait{};
    BubblesData bubblesBait{};
    linesBait.style = kStylePlot;
    bubblesBait.defaultRadius = 77;
    const char* const kinds[] = {kLinesClass, kBubblesClass};
    std::atomic<HWND> foreign[2] = {nullptr, nullptr};
    std::atomic<LRESULT> fromThread{-1};
    std::thread other([&] {
        const HINSTANCE module = GetModuleHandleA("kernel32.dll");
        for (int i = 0; i < 2; ++i) {
            const WNDCLASSA wc{0, DefWindowProcA, 0, 0, module, nullptr, nullptr, nullptr, nullptr, kinds[i]};
            RegisterClassA(&wc);
            HWND f = CreateWindowExA(0, kinds[i], "", 0, 0, 0, 1, 1, nullptr, nullptr, module, nullptr);
            SetPropA(f, i ? kBubblesDataProp : kLinesDataProp,
                     i ? static_cast<void*>(&bubblesBait) : &linesBait);
            foreign[i] = f;
        }
        fromThread = SendMessageA(lines, UWM_FLAG, reinterpret_cast<WPARAM>("/plot"), 0);
        DestroyWindow(foreign[0]);
        DestroyWindow(foreign[1]);
    });
    while (!foreign[1])
        Sleep(1);
    for (int i = 0; i < 2; ++i) {
        MDICREATESTRUCTA mcs{
            kinds[i], "", hInst, 0, 0, 200, 150, 0, reinterpret_cast<LPARAM>(foreign[i].load())};
        SendMessageA(hwndClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
    }
    EXPECT_EQ(GetBubblesData(ActiveChild())->defaultRadius, 20.0f) << "the defaults";
    EXPECT_EQ(GetLinesData(Children()[1])->style, kStyleLines);
    while (fromThread == -1)
        Pump(); // a message sent from another thread is handled while this one looks for messages
    other.join();
    EXPECT_TRUE(fromThread == 0 && GetLinesData(lines)->style == kStyleBoxes);
}

} // namespace
