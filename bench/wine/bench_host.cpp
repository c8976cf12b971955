// Derodazo's own start-up and message loop, with a stopwatch around it for scripts/bench.sh: the same
// windows, the same command line, plus a count of the timer ticks each child handles and how long its
// handler runs. After a warm-up it prints "begin", measures for a while, prints "end" and one line per
// child, then closes the frame as a user would and exits with the loop's code.
//   bench_host.exe <seconds warm-up> <seconds measured> [Derodazo's arguments...]
// Or, for each seed, a Bubbles window of a width x height client area gets 199 bubbles made at random
// (seeded as the core's BM_SettlePile seeds them, Yeast and Gravity off) and is timed until it is at rest:
//   bench_host.exe settle <width> <height> <seeds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_work.h"
#include "bubbles/bubbles_data.h"
#include "common/app_state.h"
#include "common/core/random.h"
#include "common/ids.h"
#include "shell/command_line.h"
#include "shell/startup.h"

namespace {

struct TickStats {
    long long ticks = 0;
    double totalMs = 0;
    double maxMs = 0;
    long long over16 = 0; // handlers that ran past the 16 ms budget by more than 1 ms
    BubbleWorkCounts work;
};

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const std::map<HWND, TickStats>& stats, double seconds) {
    std::printf("end %.3f\n", seconds);
    for (HWND w = GetWindow(hwndClient, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER)) continue;
        char cls[64] = "", title[64] = "";
        GetClassNameA(w, cls, sizeof cls);
        GetWindowTextA(w, title, sizeof title);
        RECT rc{};
        GetClientRect(w, &rc);
        const auto it = stats.find(w);
        const TickStats s = it == stats.end() ? TickStats{} : it->second;
        std::printf("window %s %s %ldx%ld ticks %lld rate %.2f mean_ms %.3f max_ms %.3f over_budget %lld "
                    "steps/s %.0f draws/s %.0f drawn/s %.0f\n",
                    cls, title[0] ? title : "-", rc.right, rc.bottom, s.ticks, s.ticks / seconds,
                    s.ticks ? s.totalMs / s.ticks : 0.0, s.maxMs, s.over16, s.work.steps / seconds,
                    s.work.draws / seconds, s.work.drawn / seconds);
    }
    std::fflush(stdout);
}

double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](FILETIME t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// One pile per seed, timed from the last make until the queue is empty.
int Settle(int width, int height, int seeds) {
    for (int seed = 1; seed <= seeds; ++seed) {
        SendMessageA(hwndFrame, WM_COMMAND, IDM_NEW_BUBBLES, 0);
        HWND child = reinterpret_cast<HWND>(SendMessageA(hwndClient, WM_MDIGETACTIVE, 0, 0));
        ShowWindow(child, SW_RESTORE);
        RECT outer{}, inner{};
        GetWindowRect(child, &outer);
        GetClientRect(child, &inner);
        MoveWindow(child, 0, 0, width + outer.right - outer.left - inner.right,
                   height + outer.bottom - outer.top - inner.bottom, TRUE);
        BubblesData* data = GetBubblesData(child);
        data->yeastTime = data->gravityTime = 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        SeedRandom(static_cast<uint32_t>(seed));
        for (int i = 0; i < 199; ++i)
            SendMessageA(child, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
        const BubbleWorkCounts before = bubbleWork;
        const double wall = NowMs(), cpu = CpuMs();
        long long ticks = 0;
        while (data->queueHead > 0 && NowMs() - wall < 600000 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ticks += msg.message == WM_TIMER && msg.hwnd == child;
            DispatchMessageA(&msg);
        }
        GetClientRect(child, &inner);
        std::printf("settle seed %d client %ldx%ld wall_ms %.1f cpu_ms %.1f ticks %lld steps %lld draws %lld "
                    "drawn %lld\n",
                    seed, inner.right, inner.bottom, NowMs() - wall, CpuMs() - cpu, ticks,
                    bubbleWork.steps - before.steps, bubbleWork.draws - before.draws,
                    bubbleWork.drawn - before.drawn);
        std::fflush(stdout);
        SendMessageA(hwndClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
    }
    DestroyWindow(hwndFrame);
    return 0;
}

void CALLBACK CloseLater(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

} // namespace

int main(int argc, char** argv) {
    const bool settle = argc == 5 && std::strcmp(argv[1], "settle") == 0;
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_host <warm-up s> <measured s> [arguments...]\n");
        return 2;
    }
    const double warmUpMs = std::atof(argv[1]) * 1000.0;
    const double measureMs = std::atof(argv[2]) * 1000.0;
    hInst = GetModuleHandleA(nullptr);
    if (!RegisterAppClasses()) return 1;
    HACCEL accelerators = LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!CreateFrameWindow(SW_SHOWNORMAL) || !hwndClient) return 2;
    if (settle) return Settle(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    // argv[2] stands where the program's own path would: ProcessCommandLine skips it.
    ProcessCommandLine(argc - 2, argv + 2);

    std::map<HWND, TickStats> stats;
    const double start = NowMs();
    double begin = 0;
    bool measuring = false;
    bool closing = false;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        const double now = NowMs();
        if (!measuring && !closing && now - start >= warmUpMs) {
            measuring = true;
            begin = now;
            std::printf("begin\n");
            std::fflush(stdout);
        }
        if (measuring && now - begin >= measureMs) {
            measuring = false;
            closing = true;
            Report(stats, (now - begin) / 1000.0);
            // The script reads the CPU counters at about this moment: stay up a little longer.
            SetTimer(hwndFrame, 0x7E57, 2000, CloseLater);
        }
        if (TranslateAppMessage(msg, accelerators)) continue;
        TranslateMessage(&msg);
        if (msg.message != WM_TIMER || !measuring) {
            DispatchMessageA(&msg);
            continue;
        }
        const double before = NowMs();
        const BubbleWorkCounts work = bubbleWork;
        DispatchMessageA(&msg);
        const double took = NowMs() - before;
        TickStats& s = stats[msg.hwnd];
        s.work.steps += bubbleWork.steps - work.steps;
        s.work.draws += bubbleWork.draws - work.draws;
        s.work.drawn += bubbleWork.drawn - work.drawn;
        ++s.ticks;
        s.totalMs += took;
        if (took > s.maxMs) s.maxMs = took;
        if (took > 17.0) ++s.over16;
    }
    return static_cast<int>(msg.wParam);
}
