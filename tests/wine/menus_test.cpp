#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "lines/lines_data.h"

namespace {

using Texts = std::vector<std::string>;

WNDPROC frameProc = nullptr;
int frameRecalcs = 0;
int childCommands = 0;
UINT countedCommand = IDM_BUBBLES_MAKE;
WNDPROC childProc = nullptr;

// DrawMenuBar makes the frame recompute its non-client area; counting that counts redraws of the bar.
LRESULT CALLBACK CountingFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCALCSIZE) ++frameRecalcs;
    return CallWindowProcA(frameProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CountingChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == countedCommand) ++childCommands;
    return CallWindowProcA(childProc, hwnd, msg, wParam, lParam);
}

class Menus : public AppTest {
  protected:
    void TearDown() override {
        ReleaseCtrl();
        AppTest::TearDown();
    }

    // The bar's popup handles in order; the platform's own items of a maximized child count as none.
    std::vector<HMENU> BarPopups() {
        std::vector<HMENU> popups;
        for (int i = 0; i < GetMenuItemCount(hmenuFrame); ++i) popups.push_back(GetSubMenu(hmenuFrame, i));
        return popups;
    }

    int PositionOf(HMENU popup) {
        std::vector<HMENU> popups = BarPopups();
        for (size_t i = 0; i < popups.size(); ++i) {
            if (popups[i] == popup) return static_cast<int>(i);
        }
        return -1;
    }

    UINT StateOf(HMENU popup, UINT id) {
        SendMessageA(hwndFrame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return GetMenuState(popup, id, MF_BYCOMMAND);
    }

    void CountCommandsOf(HWND child, UINT command) {
        countedCommand = command;
        childCommands = 0;
        childProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingChildProc)));
    }
    void StopCounting(HWND child) { SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(childProc)); }

    void HoldCtrl(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void ReleaseCtrl() { HoldCtrl(false); }

    // A real key press through the program's own loop: TranslateMDISysAccel, then the accelerators.
    void PressCtrl(char key) {
        HoldCtrl(true);
        HWND target = GetFocus() ? GetFocus() : hwndFrame;
        PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        PumpMessages();
        PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
        PumpMessages();
        ReleaseCtrl();
    }
};

TEST_F(Menus, BarShowsThePopupOfTheActiveChildsKindRightAfterFile) {
    RunArgs({"-lines"});
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Lines", "&Window", "&Help"}));
    EXPECT_EQ(hmenuInserted, hmenuLines);

    RunArgs({"-bubbles"});
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Bubbles", "&Window", "&Help"}));
    EXPECT_EQ(PositionOf(hmenuBubbles), 1);
    EXPECT_EQ(PositionOf(hmenuLines), -1);
    EXPECT_TRUE(IsMenu(hmenuLines));

    RunArgs({"-next"});
    EXPECT_EQ(ClassName(ActiveChild()), "LinesWind");
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Lines", "&Window", "&Help"}));
}

TEST_F(Menus, SwitchingBetweenChildrenOfOneKindLeavesTheBarAloneAndUnredrawn) {
    RunArgs({"-lines", "-lines"});
    frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwndFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingFrameProc)));
    frameRecalcs = 0;
    RunArgs({"-next"});
    RunArgs({"-next"});
    EXPECT_EQ(frameRecalcs, 0);
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Lines", "&Window", "&Help"}));

    RunArgs({"-bubbles"}); // a swap redraws
    EXPECT_GT(frameRecalcs, 0);
    SetWindowLongPtrA(hwndFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc));
}

TEST_F(Menus, MaximizedChildsPopupStillLandsRightAfterFile) {
    RunArgs({"-lines"});
    HWND lines = ActiveChild();
    SendMessageA(hwndClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(lines), 0);
    PumpMessages();
    ASSERT_TRUE(IsZoomed(lines));
    RunArgs({"-bubbles"}); // too small to split a maximized window? it is split like any other
    PumpMessages();
    const int file = PositionOf(hmenuFile);
    ASSERT_GE(file, 0);
    EXPECT_EQ(PositionOf(hmenuBubbles), file + 1);
    EXPECT_EQ(PositionOf(hmenuLines), -1);
    RunArgs({"-next"});
    EXPECT_EQ(PositionOf(hmenuLines), PositionOf(hmenuFile) + 1);
    EXPECT_EQ(PositionOf(hmenuBubbles), -1);
}

TEST_F(Menus, ClosingTheLastChildTakesItsPopupOutAtOnce) {
    RunArgs({"-bubbles", "-lines"});
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    PumpMessages();
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Bubbles", "&Window", "&Help"}));
    SendMessageA(hwndFrame, WM_COMMAND, IDM_CLOSE, 0);
    // No message pumped: the destruction itself refreshes the bar.
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Window", "&Help"}));
    EXPECT_EQ(hmenuInserted, nullptr);
}

TEST_F(Menus, ChildMenuThatIsNoMenuShowsNoPopup) {
    RunArgs({"-lines"});
    HWND lines = ActiveChild();
    SetPropA(lines, "CHILDMENU", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234)));
    PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    PumpMessages();
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Window", "&Help"}));
    SetPropA(lines, "CHILDMENU", hmenuLines);
    PostMessageA(hwndFrame, UWM_REFRESH_MENUS, 0, 0);
    PumpMessages();
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Lines", "&Window", "&Help"}));
}

TEST_F(Menus, FileGraysCloseWithoutAChildAndTheChildEnablesIt) {
    EXPECT_TRUE(StateOf(hmenuFile, IDM_CLOSE) & MF_GRAYED);
    for (UINT id : {IDM_NEW_LINES, IDM_NEW_BUBBLES, IDM_EXIT}) EXPECT_FALSE(StateOf(hmenuFile, id) & MF_GRAYED) << id;
    EXPECT_FALSE(StateOf(hmenuHelp, IDM_ABOUT) & MF_GRAYED);

    for (const char* kind : {"-lines", "-bubbles"}) {
        RunArgs({kind});
        EXPECT_FALSE(StateOf(hmenuFile, IDM_CLOSE) & MF_GRAYED) << kind;
    }
}

TEST_F(Menus, AcceleratorsMakeWindowsThroughTheMessageLoop) {
    PressCtrl('L');
    ASSERT_EQ(Children().size(), 1u);
    EXPECT_EQ(ClassName(ActiveChild()), "LinesWind");
    PressCtrl('B');
    EXPECT_EQ(Children().size(), 2u);
    EXPECT_EQ(ClassName(ActiveChild()), "BubblesWind");
    EXPECT_EQ(MenuBarTexts(), (Texts{"&File", "&Bubbles", "&Window", "&Help"}));
}

TEST_F(Menus, CtrlMWhileALinesWindowIsActiveReachesItUngated) {
    RunArgs({"-lines"});
    HWND lines = ActiveChild();
    CountCommandsOf(lines, IDM_BUBBLES_MAKE);
    PressCtrl('M');
    EXPECT_EQ(childCommands, 1);
    EXPECT_TRUE(IsWindow(lines));
    EXPECT_EQ(Children().size(), 1u);
    StopCounting(lines);
}

TEST_F(Menus, CtrlTDoesNothingWhileRepeatIsOffAndStepsOnceItIsOn) {
    RunArgs({"-lines"});
    HWND lines = ActiveChild();
    CountCommandsOf(lines, IDM_LINES_STEP);
    PressCtrl('T');
    EXPECT_EQ(childCommands, 0);
    PressCtrl('R');
    ASSERT_TRUE(GetLinesData(lines)->fRepeat);
    PressCtrl('T');
    EXPECT_EQ(childCommands, 1);
    StopCounting(lines);
}

} // namespace
