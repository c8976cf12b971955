#include "harness.h"

#include "bubbles/bubbles_record.h"
#include "bubbles/bubbles_window.h"
#include "common/app_state.h"
#include "common/ids.h"

namespace {

using Texts = std::vector<std::string>;
using Shell = AppTest;

TEST_F(Shell, StartsEmptyAndNewCommandsMakeChildrenOfTheirClassAndCloseTakesOnlyTheActiveOne) {
    EXPECT_EQ(WindowText(hwndFrame), "Derodazo");
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Window", "&Help"}))
        << "the child popups wait outside the bar";
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0); // nothing to close
    EXPECT_TRUE(IsWindow(hwndFrame));
    HWND lines = NewChild(IDM_NEW_LINES);
    HWND bubbles = NewChild(IDM_NEW_BUBBLES);
    EXPECT_EQ(ClassName(bubbles), "BubblesWind");
    EXPECT_EQ(WindowText(bubbles), "BubblesWind");
    EXPECT_EQ(GetPropA(bubbles, "CHILDMENU"), hmenuBubbles);
    EXPECT_EQ(ClassName(lines), "LinesWind");
    EXPECT_EQ(GetPropA(lines, "CHILDMENU"), hmenuLines);
    EXPECT_EQ(Children(), (std::vector<HWND>{bubbles, lines}));
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    PumpMessages();
    EXPECT_EQ(Children(), std::vector<HWND>{lines});
}

TEST_F(Shell, CloseAllRestoresAMaximizedChildBeforeClosingItAndExitEndsTheLoopWithZero) {
    RunArgs({"-lines", "-bubbles"});
    HWND active = ActiveChild();
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(active), 0);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(active));
    SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
    PumpMessages();
    EXPECT_TRUE(Children().empty());
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Window", "&Help"}));

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
    Spy& spy = Watch(refusing);
    spy.refuseClose = true;
    SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwndFrame));
    EXPECT_EQ(Children(), std::vector<HWND>{refusing});
    EXPECT_EQ(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0), 0);
    spy.refuseClose = false;
    EXPECT_NE(SendMessageA(hwndFrame, WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_TRUE(Children().empty());
}

TEST_F(Shell, CommandsTheFrameDoesNotOwnReachTheActiveChildWithTheirNotificationCode) {
    RunArgs({"-lines", "-bubbles"});
    const Spy& spy = Watch(ActiveChild());
    SendMessageA(hwndFrame, WM_COMMAND, MAKEWPARAM(IDM_LINES_ERASE, 1), 0);
    SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_LINES, 0); // the frame's own: not passed on
    EXPECT_EQ(spy.Count(WM_COMMAND), 1);
    EXPECT_EQ(spy.Count(WM_COMMAND, MAKEWPARAM(IDM_LINES_ERASE, 1)), 1);
}

TEST_F(Shell, ChoosingAChildFromTheWindowListActivatesIt) {
    RunArgs({"-lines", "-bubbles"});
    HWND lines = Children().back();
    ASSERT_NE(ActiveChild(), lines);
    SendMessageA(hwndFrame, WM_COMMAND, 100, 0); // the client numbers its list from 100 in creation order
    PumpMessages();
    EXPECT_EQ(ActiveChild(), lines);
}

TEST_F(Shell, CommandLineArgumentsActOnTheActiveChildOfTheirMoment) {
    const struct {
        const char* name;
        std::initializer_list<const char*> args;
        Texts classes; // z-order, active first
    } cases[] = {
        {"-LINES and -l both make Lines", {"-LINES", "-l"}, {"LinesWind", "LinesWind"}},
        {"lone hyphen and empty argument make Lines", {"-", ""}, {"LinesWind", "LinesWind"}},
        {"-linesx goes to the child and is dropped", {"-lines", "-linesx"}, {"LinesWind"}},
        {"slash flag before any window is dropped", {"/make", "-bubbles"}, {"BubblesWind"}},
        {"-next alone makes nothing", {"-next"}, {}},
        {"-next activates the next child", {"-lines", "-b", "-n"}, {"LinesWind", "BubblesWind"}},
    };
    for (const auto& c : cases) {
        SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
        PumpMessages();
        RunArgs(c.args);
        Texts classes;
        for (HWND w : Children())
            classes.push_back(ClassName(w));
        EXPECT_EQ(classes, c.classes) << c.name;
        if (!c.classes.empty()) {
            EXPECT_EQ(ActiveChild(), Children()[0]) << c.name;
        }
    }
    SendMessageA(hwndFrame, WM_COMMAND, IDM_WINDOW_CLOSE_ALL, 0);
    RunArgs({}); // no arguments: a Lines window, then a Bubbles window with five bubbles
    ASSERT_EQ(Children().size(), 2u);
    EXPECT_EQ(ClassName(Children()[1]), "LinesWind");
    EXPECT_EQ(GetBubblesData(ActiveChild())->count, 5);
}

} // namespace
