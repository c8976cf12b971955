#include "bubbles/bubbles_data.h"

const char kBubblesDataProp[] = "BUBBLESDATA";

BubblesData* GetBubblesData(HWND hwnd) { return static_cast<BubblesData*>(GetPropA(hwnd, kBubblesDataProp)); }

void AttachBubblesData(HWND hwnd, BubblesData* data) { SetPropA(hwnd, kBubblesDataProp, data); }

BubblesData* DetachBubblesData(HWND hwnd) {
    return static_cast<BubblesData*>(RemovePropA(hwnd, kBubblesDataProp));
}
