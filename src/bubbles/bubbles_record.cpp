#include "bubbles/bubbles_record.h"

const char kBubblesDataProp[] = "BUBBLESDATA";

BubblesData* GetBubblesData(HWND hwnd) { return static_cast<BubblesData*>(GetPropA(hwnd, kBubblesDataProp)); }

void SetBubblesData(HWND hwnd, BubblesData* data) {
    if (data != nullptr) {
        SetPropA(hwnd, kBubblesDataProp, data);
    } else {
        RemovePropA(hwnd, kBubblesDataProp);
    }
}
