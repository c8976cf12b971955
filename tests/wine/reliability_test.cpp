// Drawing far past the GDI handle table: Wine's holds 16 384 objects, so one DC, pen or brush kept per
// draw would exhaust it long before these counts.
#include "bubbles/bubbles_draw.h"
#include "bubbles/bubbles_record.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/lines_data.h"

namespace {

using Soak = AppTest;

TEST_F(Soak, FiftyThousandLinesStepsAndBubbleDrawsKeepEveryHandle) {
    for (const char* style : {"/lines", "/boxes", "/ovals", "/lissajous", "/plot"}) {
        RunArgs({"-lines", style, "/erase"});
        const LinesData& d = *GetLinesData(Active());
        for (int steps = 0; steps < 10000;)
            if (SendMessageA(Active(), WM_TIMER, 1, 0), d.tickCount == 0) ++steps;
    }
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& d = *GetBubblesData(w);
    d.count = 1;
    d.bubbles[1] = Bubble{50, 50, 4, 4, 7, -1, 0, 0};
    for (int i = 0; i < 50000; ++i) {
        d.designer = i & 1;
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50)); // a press, a drag step and a release
        SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50 + i % 2, 50));
        SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    }
    HDC dc = GetDC(w); // a fresh DC and pen still work
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    ASSERT_TRUE(dc && pen);
    HGDIOBJ old = SelectObject(dc, pen);
    SetROP2(dc, R2_COPYPEN);
    MoveToEx(dc, 2, 2, nullptr);
    LineTo(dc, 12, 2);
    EXPECT_EQ(GetPixel(dc, 6, 2), RGB(255, 0, 0));
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(w, dc);
}

} // namespace
