#include "lines/lines_data.h"

const char kLinesDataProp[] = "LINESDATA";

LinesData* GetLinesData(HWND hwnd) { return static_cast<LinesData*>(GetPropA(hwnd, kLinesDataProp)); }

void SetLinesData(HWND hwnd, LinesData* data) {
    if (data != nullptr) {
        SetPropA(hwnd, kLinesDataProp, data);
    } else {
        RemovePropA(hwnd, kLinesDataProp);
    }
}
