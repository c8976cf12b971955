#include "lines/lines_data.h"

const char kLinesDataProp[] = "LINESDATA";

LinesData* GetLinesData(HWND hwnd) { return static_cast<LinesData*>(GetPropA(hwnd, kLinesDataProp)); }
