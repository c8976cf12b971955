#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "lines/lines_data.h"

namespace {

using Texts = std::vector<std::string>;
const Texts kWithLines{"&File", "&Lines", "&Window", "&Help"};
const Texts kWithBubbles{"&File", "&Bubbles", "&Window", "&Help"};
const Texts kNoChild{"&File", "&Window", "&Help"};

// The bar's position of a popup; a maximized child puts its window-menu item in front of File.
int PositionOf(HMENU popup) {
    for (int i = 0; i < GetMenuItemCount(hmenuFrame); ++i)
        if (GetSubMenu(hmenuFrame, i) == popup) return i;
    return -1;
}

using Menus = AppTest;

TEST_F(Menus, BarShowsThePopupOfTheActiveChildsKindRightAfterFile) {
    RunArgs({"-lines"});
    EXPECT_EQ(MenuBarTexts(), kWithLines);
    EXPECT_EQ(hmenuInserted, hmenuLines);
    RunArgs({"-bubbles"});
    EXPECT_EQ(MenuBarTexts(), kWithBubbles);
    EXPECT_EQ(PositionOf(hmenuBubbles), 1);
    EXPECT_TRUE(IsMenu(hmenuLines)) << "taken out, not destroyed";
    RunArgs({"-next"});
    EXPECT_EQ(ClassName(ActiveChild()), "LinesWind");
    EXPECT_EQ(MenuBarTexts(), kWithLines);
}

TEST_F(Menus, SwitchingBetweenChildrenOfOneKindLeavesTheBarAloneAndUnredrawn) {
    RunArgs({"-lines", "-lines"});
    // DrawMenuBar makes the frame recompute its non-client area; counting that counts redraws of the bar.
    const Spy& frame = Watch(hwndFrame);
    RunArgs({"-next"});
    RunArgs({"-next"});
    EXPECT_EQ(frame.Count(WM_NCCALCSIZE), 0);
    EXPECT_EQ(MenuBarTexts(), kWithLines);
    RunArgs({"-bubbles"}); // a swap redraws
    EXPECT_GT(frame.Count(WM_NCCALCSIZE), 0);
}

TEST_F(Menus, MaximizedChildsPopupStillLandsRightAfterFile) {
    RunArgs({"-lines"});
    HWND lines = ActiveChild();
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(lines), 0);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(lines));
    RunArgs({"-bubbles"}); // a maximized window is split like any other
    ASSERT_GE(PositionOf(hmenuFile), 0);
    EXPECT_EQ(PositionOf(hmenuBubbles), PositionOf(hmenuFile) + 1);
    EXPECT_EQ(PositionOf(hmenuLines), -1);
    RunArgs({"-next"});
    EXPECT_EQ(PositionOf(hmenuLines), PositionOf(hmenuFile) + 1);
    EXPECT_EQ(PositionOf(hmenuBubbles), -1);
}

TEST_F(Menus, ClosingTheLastChildTakesItsPopupOutAtOnceAndABadChildMenuShowsNone) {
    RunArgs({"-bubbles", "-lines"});
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    PumpMessages();
    EXPECT_EQ(MenuBarTexts(), kWithBubbles);
    HWND bubbles = ActiveChild();
    SetPropA(bubbles, "CHILDMENU", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234)));
    PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    PumpMessages();
    EXPECT_EQ(MenuBarTexts(), kNoChild);
    SetPropA(bubbles, "CHILDMENU", hmenuBubbles);
    PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    PumpMessages();
    EXPECT_EQ(MenuBarTexts(), kWithBubbles);
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    // No message pumped: the destruction itself refreshes the bar.
    EXPECT_EQ(MenuBarTexts(), kNoChild);
    EXPECT_EQ(hmenuInserted, nullptr);
}

TEST_F(Menus, FileGraysCloseWithoutAChildAndTheChildEnablesIt) {
    EXPECT_TRUE(MenuState(hmenuFile, IDM_CLOSE) & MF_GRAYED);
    for (UINT id : {IDM_NEW_LINES, IDM_NEW_BUBBLES, IDM_EXIT})
        EXPECT_EQ(MenuState(hmenuFile, id), 0u) << id;
    EXPECT_EQ(MenuState(hmenuHelp, IDM_ABOUT), 0u);
    for (const char* kind : {"-lines", "-bubbles"}) {
        RunArgs({kind});
        EXPECT_EQ(MenuState(hmenuFile, IDM_CLOSE), 0u) << kind;
    }
}

TEST_F(Menus, AcceleratorsReachTheFrameAndTheActiveChildThroughTheLoop) {
    PressCtrl('L');
    PressCtrl('B');
    EXPECT_EQ(Children().size(), 2u);
    EXPECT_EQ(MenuBarTexts(), kWithBubbles);
    RunArgs({"-next"});
    HWND lines = ActiveChild();
    ASSERT_EQ(ClassName(lines), "LinesWind");
    const Spy& spy = Watch(lines);
    PressCtrl('M'); // a Bubbles item, not in the Lines window's bar: it still arrives, and does nothing
    EXPECT_EQ(spy.Count(WM_COMMAND, MAKEWPARAM(IDM_BUBBLES_MAKE, 1)), 1);
    PressCtrl('T'); // grayed while Repeat is off
    EXPECT_EQ(spy.Count(WM_COMMAND, MAKEWPARAM(IDM_LINES_STEP, 1)), 0);
    PressCtrl('R');
    ASSERT_TRUE(GetLinesData(lines)->fRepeat);
    PressCtrl('T');
    EXPECT_EQ(spy.Count(WM_COMMAND, MAKEWPARAM(IDM_LINES_STEP, 1)), 1);
    EXPECT_EQ(Children().size(), 2u);
}

} // namespace
