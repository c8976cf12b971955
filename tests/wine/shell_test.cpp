#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"

#include <map>

namespace {

using Texts = std::vector<std::string>;

// Records what reaches a subclassed child and can make it refuse to close.
struct Spy {
    WNDPROC original = nullptr;
    std::vector<WPARAM> commands;
    bool refuseClose = false;
};
std::map<HWND, Spy> spies;

LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Spy& spy = spies[hwnd];
    if (msg == WM_COMMAND) spy.commands.push_back(wParam);
    if (msg == WM_QUERYENDSESSION && spy.refuseClose) return 0;
    return CallWindowProcA(spy.original, hwnd, msg, wParam, lParam);
}

Spy& Watch(HWND child) {
    Spy& spy = spies[child];
    spy.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
    return spy;
}

class Shell : public AppTest {
  protected:
    void TearDown() override {
        for (auto& [hwnd, spy] : spies) spy.refuseClose = false;
        AppTest::TearDown();
        spies.clear();
    }
};

TEST_F(Shell, FrameStartsWithFileWindowHelpAndKeepsTheDetachedPopups) {
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Window", "&Help"}));
    EXPECT_STREQ(szLinesPopupTitle, "&Lines");
    EXPECT_STREQ(szBubblesPopupTitle, "&Bubbles");
    EXPECT_TRUE(IsMenu(hmenuLines));
    EXPECT_TRUE(IsMenu(hmenuBubbles));
    EXPECT_EQ(GetMenuItemID(hmenuLines, 0), static_cast<UINT>(IDM_LINES_ERASE));
    EXPECT_EQ(GetMenuItemID(hmenuBubbles, 0), static_cast<UINT>(IDM_BUBBLES_MAKE));
    EXPECT_EQ(GetSubMenu(hmenuFrame, 0), hmenuFile);
    EXPECT_EQ(GetSubMenu(hmenuFrame, 2), hmenuHelp);
    EXPECT_EQ(WindowText(hwndFrame), "Derodazo");
    EXPECT_TRUE(Children().empty());
}

TEST_F(Shell, NewCommandsMakeChildrenOfTheirClassTitledByClass) {
    SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_BUBBLES, 0);
    HWND bubbles = ActiveChild();
    ASSERT_NE(bubbles, nullptr);
    EXPECT_EQ(ClassName(bubbles), "BubblesWind");
    EXPECT_EQ(WindowText(bubbles), "BubblesWind");
    EXPECT_EQ(GetPropA(bubbles, "CHILDMENU"), hmenuBubbles);

    SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_LINES, 0);
    HWND lines = ActiveChild();
    EXPECT_NE(lines, bubbles);
    EXPECT_EQ(ClassName(lines), "LinesWind");
    EXPECT_EQ(GetPropA(lines, "CHILDMENU"), hmenuLines);
    EXPECT_EQ(Children().size(), 2u);
}

TEST_F(Shell, CloseTakesOnlyTheActiveChildAndDoesNothingWithoutOne) {
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    EXPECT_TRUE(IsWindow(hwndFrame));
    RunArgs({"-lines", "-bubbles"});
    HWND bubbles = ActiveChild();
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(bubbles));
    ASSERT_EQ(Children().size(), 1u);
    EXPECT_EQ(ClassName(Children()[0]), "LinesWind");
}

TEST_F(Shell, CloseAllRestoresAMaximizedChildBeforeClosingIt) {
    RunArgs({"-lines", "-bubbles"});
    HWND active = ActiveChild();
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active), 0);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(active));
    SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
    PumpMessages();
    EXPECT_TRUE(Children().empty());
    EXPECT_TRUE(IsWindow(hwndFrame));
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Window", "&Help"}));
}

TEST_F(Shell, ExitClosesEveryChildThenEndsTheLoopWithZero) {
    RunArgs({"-lines", "-bubbles", "-lines"});
    SendMessageA(hwndFrame, WM_COMMAND, IDM_EXIT, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(IsWindow(hwndFrame));
}

TEST_F(Shell, AChildThatRefusesKeepsTheFrameOpenAndTheSessionAlive) {
    RunArgs({"-lines", "-bubbles"});
    HWND refusing = ActiveChild();
    Watch(refusing).refuseClose = true;
    SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwndFrame));
    EXPECT_EQ(Children(), std::vector<HWND>{refusing});
    EXPECT_EQ(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0), 0);
    spies[refusing].refuseClose = false;
    EXPECT_NE(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_TRUE(Children().empty());
}

TEST_F(Shell, CommandsTheFrameDoesNotOwnReachTheActiveChildWithTheirNotificationCode) {
    RunArgs({"-lines", "-bubbles"});
    HWND bubbles = ActiveChild();
    Spy& spy = Watch(bubbles);
    SendMessageA(hwndFrame, WM_COMMAND, MAKEWPARAM(IDM_LINES_ERASE, 1), 0);
    SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_LINES, 0); // the frame's own: not passed on
    EXPECT_EQ(spy.commands, std::vector<WPARAM>{MAKEWPARAM(IDM_LINES_ERASE, 1)});
}

TEST_F(Shell, ChoosingAChildFromTheWindowListActivatesIt) {
    RunArgs({"-lines", "-bubbles"});
    HWND lines = Children().back();
    ASSERT_NE(ActiveChild(), lines);
    // The client numbers its list from 100 in creation order.
    SendMessageA(hwndFrame, WM_COMMAND, 100, 0);
    PumpMessages();
    EXPECT_EQ(ActiveChild(), lines);
}

struct ArgsCase {
    const char* name;
    std::initializer_list<const char*> args;
    Texts classes; // z-order, active first
};

TEST_F(Shell, CommandLineArgumentsActOnTheActiveChildOfTheirMoment) {
    const ArgsCase cases[] = {
        {"-LINES and -l both make Lines", {"-LINES", "-l"}, {"LinesWind", "LinesWind"}},
        {"lone hyphen and empty argument make Lines", {"-", ""}, {"LinesWind", "LinesWind"}},
        {"-linesx goes to the child and is dropped", {"-lines", "-linesx"}, {"LinesWind"}},
        {"slash flag before any window is dropped", {"/make", "-bubbles"}, {"BubblesWind"}},
        {"-next alone makes nothing", {"-next"}, {}},
        {"-next activates the next child", {"-lines", "-b", "-n"}, {"LinesWind", "BubblesWind"}},
    };
    for (const ArgsCase& c : cases) {
        SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
        PumpMessages();
        RunArgs(c.args);
        Texts classes;
        for (HWND w : Children()) classes.push_back(ClassName(w));
        EXPECT_EQ(classes, c.classes) << c.name;
        if (!c.classes.empty()) {
            EXPECT_EQ(ActiveChild(), Children()[0]) << c.name;
        }
    }
}

} // namespace
