#include "bubbles/bubbles_mouse.h"

#include "bubbles/bubbles_data.h"
#include "bubbles/bubbles_draw.h"
#include "bubbles/core/bubbles_mouse.h"
#include "common/app_state.h"
#include "common/ids.h"

namespace {

HCURSOR modeCursors[3] = {nullptr, nullptr, nullptr}; // Move, Pop, Grow

// Client coordinates may be negative or past the edges while the mouse is captured.
float MouseX(LPARAM lParam) { return static_cast<float>(static_cast<short>(LOWORD(lParam))); }
float MouseY(LPARAM lParam) { return static_cast<float>(static_cast<short>(HIWORD(lParam))); }

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The key messages carry no position; only a pointer resting on our client area gets a new cursor.
bool MouseOverClient(HWND hwnd) {
    const DWORD pos = GetMessagePos();
    const POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    if (WindowFromPoint(pt) != hwnd) return false;
    return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTCLIENT;
}

// A Pop press takes no capture, so its release outside the window never reaches us: the first message
// that finds the button up ends it. A captured press ends by its release or the loss of the capture.
void EndReleasedPress(HWND hwnd, BubblesData& data, bool buttonDown) {
    if (data.pressActive && !buttonDown && GetCapture() != hwnd) EndDrag(data);
}

// Takes the mode from Shift and Ctrl unless a press or the menu holds it; shows its cursor if asked.
void UpdateMouseMode(BubblesData& data, bool setCursor) {
    UpdateMouseModeFromKeys(data, KeyDown(VK_SHIFT), KeyDown(VK_CONTROL));
    if (setCursor && data.mouseMode >= 0 && data.mouseMode <= kModeGrow)
        SetCursor(modeCursors[data.mouseMode]);
}

} // namespace

void LoadBubbleCursors() {
    if (modeCursors[0] != nullptr) return;
    modeCursors[kModeMove] = LoadCursorA(nullptr, IDC_ARROW);
    modeCursors[kModePop] = LoadCursorA(hInst, MAKEINTRESOURCEA(IDCUR_POP));
    modeCursors[kModeGrow] = LoadCursorA(hInst, MAKEINTRESOURCEA(IDCUR_GROW));
}

LRESULT BubblesOnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    BubblesData* data = GetBubblesData(hwnd);
    const bool ours = reinterpret_cast<HWND>(wParam) == hwnd;
    if (ours && data != nullptr) EndReleasedPress(hwnd, *data, KeyDown(VK_LBUTTON));
    if (!ours || LOWORD(lParam) != HTCLIENT) return DefMDIChildProcA(hwnd, WM_SETCURSOR, wParam, lParam);
    if (data != nullptr) UpdateMouseMode(*data, true);
    return TRUE;
}

void BubblesOnKey(HWND hwnd, WPARAM key, LPARAM lParam) {
    if (LOWORD(lParam) != 1 || (key != VK_SHIFT && key != VK_CONTROL)) return;
    BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    data->modeFromMenu = 0;
    UpdateMouseMode(*data, MouseOverClient(hwnd));
}

void BubblesOnLButtonDown(HWND hwnd, LPARAM lParam) {
    BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    BubbleWindowSurface surface(hwnd);
    if (PressBubbles(*data, surface, MouseX(lParam), MouseY(lParam))) SetCapture(hwnd);
}

void BubblesOnMouseMove(HWND hwnd, WPARAM keys, LPARAM lParam) {
    BubblesData* data = GetBubblesData(hwnd);
    if (data == nullptr) return;
    EndReleasedPress(hwnd, *data, (keys & MK_LBUTTON) != 0);
    if (data->held == 0) return;
    BubbleWindowSurface surface(hwnd);
    DragHeldBubble(*data, surface, MouseX(lParam), MouseY(lParam));
}

void BubblesOnLButtonUp(HWND hwnd) {
    // Releasing the capture ends the drag through WM_CAPTURECHANGED as well; ending it twice is harmless.
    if (GetCapture() == hwnd) ReleaseCapture();
    BubblesEndDrag(hwnd);
}

void BubblesEndDrag(HWND hwnd) {
    BubblesData* data = GetBubblesData(hwnd);
    if (data != nullptr) EndDrag(*data);
}
