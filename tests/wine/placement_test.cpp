#include "harness.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "shell/placement.h"

#include <algorithm>

namespace {

struct Created {
    RECT rect;   // as handed to WM_MDICREATE
    HWND source; // the creation record's lParam
};
std::vector<Created> created;

// The creation record of an MDI child arrives as its CREATESTRUCT's parameter.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (cs->dwExStyle & WS_EX_MDICHILD) {
            const auto* mcs = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
            created.push_back({{mcs->x, mcs->y, mcs->x + mcs->cx, mcs->y + mcs->cy},
                               reinterpret_cast<HWND>(mcs->lParam)});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class Placement : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        created.clear();
        hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
        // A client of exactly 800 by 600, so the halves are known numbers.
        RECT client;
        GetClientRect(hwndClient, &client);
        RECT frame;
        GetWindowRect(hwndFrame, &frame);
        MoveWindow(hwndFrame, 0, 0, frame.right - frame.left + 800 - client.right,
                   frame.bottom - frame.top + 600 - client.bottom, TRUE);
        PumpMessages();
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        AppTest::TearDown();
    }
    RECT InClient(HWND w) {
        RECT r;
        GetWindowRectInClient(w, hwndClient, &r);
        return r;
    }
    HHOOK hook = nullptr;
};

TEST_F(Placement, EachNewWindowHalvesTheNewestAndLearnsItsSource) {
    RECT client;
    GetClientRect(hwndClient, &client);
    ASSERT_EQ(client.right, 800);
    ASSERT_EQ(client.bottom, 600);

    RunArgs({"-lines", "-bubbles", "-lines", "-bubbles"});
    ASSERT_EQ(created.size(), 4u);
    const RECT expected[] = {{0, 0, 800, 600}, {400, 0, 800, 600}, {400, 300, 800, 600}, {600, 300, 800, 600}};
    std::vector<HWND> windows = Children(); // newest first
    std::reverse(windows.begin(), windows.end());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(SameRect(created[i].rect, expected[i])) << i;
        EXPECT_EQ(created[i].source, i == 0 ? nullptr : windows[i - 1]) << i;
    }
    // The windows end up side by side, none overlapping.
    const RECT finalRects[] = {{0, 0, 400, 600}, {400, 0, 800, 300}, {400, 300, 600, 600}, {600, 300, 800, 600}};
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(SameRect(InClient(windows[i]), finalRects[i])) << i;
}

TEST_F(Placement, AHalfBelowFortyPixelsCoversTheWholeClientWithNoSource) {
    RunArgs({"-lines"});
    HWND small = ActiveChild();
    // The platform keeps a captioned window at least ~116 wide, so make it too flat instead.
    MoveWindow(small, 10, 10, 200, 39, TRUE);
    {
        RECT r = InClient(small);
        ASSERT_TRUE(SameRect(r, RECT{10, 10, 210, 49})) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    created.clear();
    RunArgs({"-bubbles"});
    ASSERT_EQ(created.size(), 1u);
    EXPECT_TRUE(SameRect(created[0].rect, RECT{0, 0, 800, 600}));
    EXPECT_EQ(created[0].source, nullptr);
    EXPECT_TRUE(SameRect(InClient(small), RECT{10, 10, 210, 49}));
    // The whole-client window is now the active one and the next to be halved.
    created.clear();
    RunArgs({"-lines"});
    ASSERT_EQ(created.size(), 1u);
    EXPECT_TRUE(SameRect(created[0].rect, RECT{400, 0, 800, 600}));
}

} // namespace
