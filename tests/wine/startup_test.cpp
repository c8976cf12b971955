#include "harness.h"

#include "common/app_state.h"
#include "shell/startup.h"

namespace {

// Start-up runs the command line straight after showing the frame, before any message is pumped.
TEST(Startup, FirstWindowsFillTheClientBeforeAnyMessageIsPumped) {
    hInst = GetModuleHandleA(nullptr);
    RegisterAppClasses();
    ASSERT_NE(CreateFrameWindow(SW_SHOWNORMAL), nullptr);
    char program[] = "Derodazo.exe";
    char* argv[] = {program};
    ProcessCommandLine(1, argv);

    RECT frameClient;
    GetClientRect(hwndFrame, &frameClient);
    RECT covered{};
    for (HWND child : Children()) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hwndClient, reinterpret_cast<POINT*>(&r), 2);
        UnionRect(&covered, &covered, &r);
    }
    EXPECT_EQ(Children().size(), 2u);
    EXPECT_EQ(covered.right, frameClient.right);
    EXPECT_EQ(covered.bottom, frameClient.bottom);

    SendMessageA(hwndFrame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpMessages());
    hwndFrame = hwndClient = nullptr;
}

// Stands in for a nested modal loop that takes the WM_QUIT the frame's destruction posts.
void CALLBACK DestroyFrameAndSwallowQuit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DestroyWindow(hwndFrame);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(Startup, LoopEndsWithZeroWhenTheFrameIsGoneEvenIfItsQuitWasSwallowed) {
    hInst = GetModuleHandleA(nullptr);
    RegisterAppClasses();
    ASSERT_NE(CreateFrameWindow(SW_SHOWNORMAL), nullptr);
    SetTimer(nullptr, 0, 1, DestroyFrameAndSwallowQuit);
    EXPECT_EQ(RunMessageLoop(nullptr), 0);
    EXPECT_FALSE(IsWindow(hwndFrame));
    hwndFrame = hwndClient = nullptr;
}

} // namespace
