#include "bubbles/bubbles_record.h"

const char kBubblesDataProp[] = "BUBBLESDATA";

BubblesData* GetBubblesData(HWND hwnd) { return static_cast<BubblesData*>(GetPropA(hwnd, kBubblesDataProp)); }
