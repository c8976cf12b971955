// Drawing far past the GDI handle table (16 384 objects): one DC, pen or brush kept per draw would exhaust
// it.
#include "bubbles/bubbles_record.h"
#include "common/ids.h"
#include "harness.h"
#include "lines/lines_data.h"

TEST_F(AppTest, FiftyThousandLinesStepsAndBubbleDragsKeepEveryHandle) {
    for (const char* style : {"/lines", "/boxes", "/ovals", "/lissajous", "/plot"}) {
        RunArgs({"-lines", style, "/erase"});
        for (int steps = 0; steps < 10000;)
            steps += (SendMessageA(Active(), WM_TIMER, 1, 0), GetLinesData(Active())->tickCount == 0);
    }
    HWND w = NewChild(IDM_NEW_BUBBLES);
    BubblesData& d = *GetBubblesData(w);
    d.count = 1;
    d.bubbles[1] = Bubble{50, 50, 4, 4, 7, -1, 0, 0};
    for (int i = 0; i < 50000; ++i) { // a press, a drag step and a release, in both looks
        d.designer = i & 1;
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
        SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50 + i % 2, 50));
        SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    }
    HDC dc = GetDC(w);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    ASSERT_TRUE(dc && pen) << "a fresh DC and pen can still be had";
    DeleteObject(pen);
    ReleaseDC(w, dc);
}
