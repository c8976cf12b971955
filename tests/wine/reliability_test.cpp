// Drawing far past the GDI handle table (16 384 objects): a DC or pen kept per step would exhaust it.
#include "harness.h"
#include "lines/lines_data.h"

TEST_F(AppTest, FiftyThousandLinesStepsKeepEveryHandle) {
    for (const char* style : {"/lines", "/boxes", "/ovals", "/lissajous", "/plot"}) {
        RunArgs({"-lines", style, "/erase"});
        for (int steps = 0; steps < 10000;)
            steps += (SendMessageA(Active(), WM_TIMER, 1, 0), GetLinesData(Active())->tickCount == 0);
    }
    HDC dc = GetDC(Active());
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    EXPECT_TRUE(dc && pen) << "a fresh DC and pen can still be had";
    DeleteObject(pen);
    ReleaseDC(Active(), dc);
}
