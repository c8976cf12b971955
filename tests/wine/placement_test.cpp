#include "harness.h"

#include "common/app_state.h"
#include "shell/placement.h"

#include <algorithm>
#include <tuple>

namespace {

using Box = std::tuple<int, int, int, int>;
struct Created {
    Box rect;    // as handed to WM_MDICREATE
    HWND source; // the creation record's lParam
};
std::vector<Created> created;

// The creation record of an MDI child arrives as its CREATESTRUCT's parameter.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (cs->dwExStyle & WS_EX_MDICHILD) {
            const auto* m = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
            created.push_back({{m->x, m->y, m->x + m->cx, m->y + m->cy}, reinterpret_cast<HWND>(m->lParam)});
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Box InClient(HWND w) {
    RECT r;
    GetWindowRectInClient(w, hwndClient, &r);
    return {r.left, r.top, r.right, r.bottom};
}

class Placement : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        created.clear();
        hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
        // A client of exactly 800 by 600, so the halves are known numbers.
        RECT client, frame;
        GetClientRect(hwndClient, &client);
        GetWindowRect(hwndFrame, &frame);
        MoveWindow(hwndFrame, 0, 0, frame.right - frame.left + 800 - client.right,
                   frame.bottom - frame.top + 600 - client.bottom, TRUE);
        PumpMessages();
        GetClientRect(hwndClient, &client);
        ASSERT_EQ(Box(0, 0, client.right, client.bottom), Box(0, 0, 800, 600));
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook);
        AppTest::TearDown();
    }
    HHOOK hook = nullptr;
};

TEST_F(Placement, EachNewWindowHalvesTheNewestAndLearnsItsSource) {
    RunArgs({"-lines", "-bubbles", "-lines", "-bubbles"});
    ASSERT_EQ(created.size(), 4u);
    const Box asked[] = {{0, 0, 800, 600}, {400, 0, 800, 600}, {400, 300, 800, 600}, {600, 300, 800, 600}};
    // The windows end up side by side, none overlapping.
    const Box final[] = {{0, 0, 400, 600}, {400, 0, 800, 300}, {400, 300, 600, 600}, {600, 300, 800, 600}};
    std::vector<HWND> windows = Children(); // newest first
    std::reverse(windows.begin(), windows.end());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(created[i].rect, asked[i]) << i;
        EXPECT_EQ(created[i].source, i == 0 ? nullptr : windows[i - 1]) << i;
        EXPECT_EQ(InClient(windows[i]), final[i]) << i;
    }
}

TEST_F(Placement, AHalfBelowFortyPixelsCoversTheWholeClientWithNoSource) {
    RunArgs({"-lines"});
    HWND small = ActiveChild();
    // The platform keeps a captioned window at least ~116 wide, so make it too flat instead.
    MoveWindow(small, 10, 10, 200, 39, TRUE);
    ASSERT_EQ(InClient(small), Box(10, 10, 210, 49));
    created.clear();
    RunArgs({"-bubbles"});
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].rect, Box(0, 0, 800, 600));
    EXPECT_EQ(created[0].source, nullptr);
    EXPECT_EQ(InClient(small), Box(10, 10, 210, 49));
    // The whole-client window is now the active one and the next to be halved.
    created.clear();
    RunArgs({"-lines"});
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].rect, Box(400, 0, 800, 600));
}

} // namespace
