#include "shell/placement.h"

#include "common/app_state.h"
#include "common/child_windows.h"
#include "shell/core/placement.h"

namespace {

void GetWindowRectInClient(HWND window, HWND client, RECT* out) {
    GetWindowRect(window, out);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(out), 2);
}

} // namespace

ChildPlacement PlaceNewChild() {
    RECT client;
    GetClientRect(hwndClient, &client);
    ChildPlacement place{0, 0, client.right, client.bottom, nullptr};

    HWND active = ActiveChild();
    if (!active) return place;
    RECT r;
    GetWindowRectInClient(active, hwndClient, &r);
    const Split split = SplitWindowRect({r.left, r.top, r.right, r.bottom});
    if (!split.made) return place;

    const SplitRect& kept = split.kept;
    MoveWindow(active, kept.left, kept.top, kept.right - kept.left, kept.bottom - kept.top, TRUE);
    const SplitRect& freed = split.freed;
    return {freed.left, freed.top, freed.right - freed.left, freed.bottom - freed.top, active};
}
