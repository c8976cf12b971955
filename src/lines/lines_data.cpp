#include "lines/lines_data.h"

const char kLinesDataProp[] = "LINESDATA";

LinesData* GetLinesData(HWND hwnd) { return static_cast<LinesData*>(GetPropA(hwnd, kLinesDataProp)); }

void AttachLinesData(HWND hwnd, LinesData* data) { SetPropA(hwnd, kLinesDataProp, data); }

LinesData* DetachLinesData(HWND hwnd) { return static_cast<LinesData*>(RemovePropA(hwnd, kLinesDataProp)); }
