// Long runs and hostile input: drawing far past the GDI handle table, command lines no user types.
#include <windows.h>

#include <psapi.h>

#include <string>
#include <vector>

#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_record.h"
#include "bubbles/bubbles_window.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/lines_data.h"
#include "shell/startup.h"

namespace {

// Wine's handle table holds 16 384 GDI objects (Windows allows 10 000 a process): one object leaked per
// draw would exhaust it long before these counts.
constexpr int kLinesStepsPerRun = 10000; // 5 styles x 2 = 100 000 steps
constexpr int kBubbleDrawsPerLook = 50000;

SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// A fresh pen still draws: the handle table has room and the DC is sound.
void ExpectPenStillDraws(HWND hwnd) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    ASSERT_NE(pen, nullptr);
    HDC dc = GetDC(hwnd);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ old = SelectObject(dc, pen);
    SetROP2(dc, R2_COPYPEN);
    MoveToEx(dc, 2, 2, nullptr);
    LineTo(dc, 12, 2);
    EXPECT_EQ(GetPixel(dc, 6, 2), RGB(255, 0, 0));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    EXPECT_TRUE(DeleteObject(pen));
}

// Timer ticks until the window has taken this many steps; a tick that completes a step leaves the count at 0.
void RunLinesSteps(HWND hwnd, int steps) {
    LinesData* data = GetLinesData(hwnd);
    ASSERT_NE(data, nullptr);
    for (int done = 0; done < steps;) {
        SendMessageA(hwnd, WM_TIMER, 1, 0);
        if (data->tickCount == 0) ++done;
    }
}

using ReliabilityTest = AppTest;

TEST_F(ReliabilityTest, HundredThousandLinesStepsInEveryStyleLeakNothing) {
    const char* const styles[] = {"/lines", "/boxes", "/ovals", "/lissajous", "/plot"};
    SIZE_T settled = 0;
    for (bool erase : {false, true}) {
        for (const char* style : styles) {
            RunArgs({"-lines", style});
            HWND lines = ActiveChild();
            if (erase) SendMessageA(lines, WM_COMMAND, IDM_LINES_ERASE, 0);
            RunLinesSteps(lines, kLinesStepsPerRun);
            PumpMessages();
            // The first run sets up what stays (caches, the sine table); later runs must add nothing.
            if (settled == 0) settled = WorkingSet();
            SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(lines), 0);
        }
    }
    RunArgs({"-lines"});
    ExpectPenStillDraws(ActiveChild());
    EXPECT_LT(WorkingSet(), settled + 2 * 1024 * 1024) << "from " << settled;
}

TEST_F(ReliabilityTest, HundredThousandBubbleDrawsLeakNothing) {
    RunArgs({"-bubbles", "/make", "/make"});
    HWND bubbles = ActiveChild();
    BubblesData* data = GetBubblesData(bubbles);
    ASSERT_NE(data, nullptr);
    // Small bubbles: Wine rasterises ellipses slowly, and the pen and brush per draw are what may leak.
    data->bubbles[1].radius = 4.0f;
    data->bubbles[2].radius = 4.0f;
    SIZE_T settled = 0;
    for (int designer : {1, 0}) {
        data->designer = designer;
        HDC dc = GetDC(bubbles);
        for (int i = 0; i < kBubbleDrawsPerLook; ++i)
            DrawBubble(dc, *data, 1 + i % 2);
        ReleaseDC(bubbles, dc);
        if (settled == 0) settled = WorkingSet();
    }
    ExpectPenStillDraws(bubbles);
    EXPECT_LT(WorkingSet(), settled + 2 * 1024 * 1024) << "from " << settled;
}

// The command line alone, without running the timers: a packed window of 199 bubbles would keep every
// tick busy for its whole budget and the queue never empty.
void RunArgv(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>("Derodazo.exe")};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    ProcessCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST_F(ReliabilityTest, ThousandArgumentsAreEachHandledInOrder) {
    // 499 Make Bubble flags reach a window that holds 199, 499 others are dropped, then a Lines window.
    std::vector<std::string> args{"-bubbles"};
    for (int i = 0; i < 499; ++i) {
        args.push_back(i % 2 ? "/MAKE" : "/m");
        args.push_back(i % 2 ? "/unknown" : "-\xE9");
    }
    args.push_back("-lines");
    ASSERT_EQ(args.size(), 1000u);
    RunArgv(args);
    const std::vector<HWND> children = Children();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(ClassName(ActiveChild()), "LinesWind");
    HWND bubbles = ClassName(children[0]) == "BubblesWind" ? children[0] : children[1];
    EXPECT_EQ(GetBubblesData(bubbles)->count, 199);
    SendMessageA(bubbles, WM_COMMAND, IDM_BUBBLES_ERASE_ALL, 0);
}

TEST_F(ReliabilityTest, ThousandNextArgumentsCycleTheActiveWindow) {
    RunArgs({"-lines", "-bubbles", "-lines"});
    HWND last = ActiveChild();
    RunArgv(std::vector<std::string>(999, "-next")); // three windows: 999 is a whole number of rounds
    EXPECT_EQ(ActiveChild(), last);
    EXPECT_EQ(Children().size(), 3u);
}

TEST_F(ReliabilityTest, HugeAndNonAsciiArgumentsAreDropped) {
    RunArgs({"-bubbles"});
    HWND bubbles = ActiveChild();
    const std::string huge(32768, 'm');
    RunArgv({"/" + huge, "-" + huge, "-lines" + huge, "/make" + huge, std::string(32768, '\xFF'), "\xC3\xA9",
             "/m\xE1ke", "-l\xCDnes", "\x80\x81\x82"});
    EXPECT_EQ(Children().size(), 1u);
    EXPECT_EQ(ActiveChild(), bubbles);
    EXPECT_EQ(GetBubblesData(bubbles)->count, 0);
}

TEST(BubblesClock, StartsAtTheTickCountAndResolvesSingleMilliseconds) {
    TickCountClock clock;
    const uint32_t first = clock.Now();
    EXPECT_LT(first - GetTickCount() + 100u, 200u); // within 100 ms of the tick count, either side
    // GetTickCount moves in 15 or 16 ms steps; the budget needs the single milliseconds in between.
    uint32_t smallest = 1000;
    uint32_t last = first;
    for (int changes = 0; changes < 20;) {
        const uint32_t now = clock.Now();
        if (now == last) continue;
        if (now - last < smallest) smallest = now - last;
        last = now;
        ++changes;
    }
    EXPECT_EQ(smallest, 1u);
}

} // namespace
