#include "saver/saver_show.h"

#include "bubbles/bubbles_clock.h"
#include "bubbles/bubbles_draw.h"
#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_mouse.h"
#include "bubbles/core/bubbles_settings.h"
#include "common/child_windows.h"
#include "common/core/random.h"
#include "common/gdi.h"
#include "lines/core/lines_figure.h"
#include "lines/core/lines_run.h"
#include "lines/lines_draw.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);

// The DPI of the window's monitor where the system can tell (Windows 10 1607 on), else the system's.
int MonitorDpi(HWND hwnd) {
    const FARPROC proc = GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    // Through void(*)(), the one function pointer type that may stand for any other without a warning.
    const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<void (*)()>(proc));
    if (const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(hwnd) : 0) return static_cast<int>(dpi);
    return GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY);
}

int NextStyle(int style) { return style + 1 < kSaverCycleStyles ? style + 1 : 0; }

void StartLines(HWND hwnd, SaverData& data) {
    data.lines.fErase = 1;
    data.lines.fRepeat = 0;
    data.lines.style = static_cast<int16_t>(
        data.settings.style == kSaverCycleStyles ? static_cast<int>(kStyleLines) : data.settings.style);
    const SIZE client = ClientSize(hwnd);
    LinesNewFigure(data.lines, client.cx, client.cy);
}

void LinesTick(HWND hwnd, SaverData& data) {
    LinesData& lines = data.lines;
    if (CountLinesTick(lines)) LinesStep(WindowDC(hwnd).get(), lines, ClientSize(hwnd));
    // With Repeat off the step counter only returns to 0 when a new figure begins.
    if (data.settings.style == kSaverCycleStyles && lines.iDraw == 0 && data.lastDraw != 0)
        lines.style = static_cast<int16_t>(NextStyle(lines.style));
    data.lastDraw = lines.iDraw;
}

void StartBubbles(HWND hwnd, SaverData& data) {
    const uint32_t now = GetTickCount();
    BubblesData& bubbles = data.bubbles;
    InitBubblesData(bubbles, now, nullptr);
    bubbles.gravityTime = data.settings.gravity ? ArmTick(now) : 0;
    bubbles.yeastTime = data.settings.yeast ? ArmTick(now) : 0;
    bubbles.defaultRadius = ShowBubbleRadius(MonitorDpi(hwnd), !data.fullScreen, ClientSize(hwnd).cy,
                                             GetSystemMetrics(SM_CYSCREEN));
    data.bubbleDue = now;
}

void BubblesTick(HWND hwnd, SaverData& data) {
    BubblesData& bubbles = data.bubbles;
    BubbleWindowSurface surface(hwnd);
    TickCountClock clock;
    BubblesTimerTick(bubbles, surface, clock);
    switch (NextBubbleShowStep(bubbles.count, data.settings.bubbleCount, GetTickCount(), data.bubbleDue)) {
    case BubbleShowStep::kMake: MakeBubble(bubbles, surface); break;
    case BubbleShowStep::kPop:
        bubbles.held = static_cast<int16_t>(1 + RandomBelow(bubbles.count));
        PopHeldBubble(bubbles, surface);
        break;
    case BubbleShowStep::kNothing: break;
    }
}

} // namespace

void StartSaverShow(HWND hwnd, SaverData& data) {
    if (data.settings.show == kShowBubbles) {
        StartBubbles(hwnd, data);
    } else {
        StartLines(hwnd, data);
    }
    SetTimer(hwnd, kChildTimer, kChildTimerMs, nullptr);
}

void StopSaverShow(HWND hwnd) { KillTimer(hwnd, kChildTimer); }

void SaverShowTick(HWND hwnd, SaverData& data) {
    if (data.settings.show == kShowBubbles) {
        BubblesTick(hwnd, data);
    } else {
        LinesTick(hwnd, data);
    }
}

void PaintSaverShow(HDC dc, SaverData& data, SIZE client) {
    if (data.settings.show == kShowBubbles) {
        PaintBubbles(dc, data.bubbles);
    } else {
        LinesStep(dc, data.lines, client);
    }
}
