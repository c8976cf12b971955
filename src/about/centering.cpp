#include "about/centering.h"

#include "about/core/centering.h"

namespace {

// Moves the window so that its window rectangle is centred in rect, in screen coordinates.
void CenterWindowInRect(HWND hwnd, const RECT* rect) {
    RECT own{};
    if (!GetWindowRect(hwnd, &own)) return;
    CenterPoint corner = CenteredTopLeft({rect->left, rect->top, rect->right, rect->bottom},
                                         own.right - own.left, own.bottom - own.top);
    SetWindowPos(hwnd, nullptr, corner.x, corner.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void CenterWindowOnWindow(HWND hwnd, HWND other) {
    RECT rect{};
    // Without another window there is nothing to centre on: the window stays where it is.
    if (other && GetWindowRect(other, &rect)) CenterWindowInRect(hwnd, &rect);
}

} // namespace

void CenterWindowOnParent(HWND hwnd) { CenterWindowOnWindow(hwnd, GetParent(hwnd)); }
