#include "shell/menus.h"

#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/ids.h"

namespace {

HMENU WantedPopup(HWND child) {
    if (!child) return nullptr;
    HMENU popup = GetChildMenu(child);
    return (popup && IsMenu(popup)) ? popup : nullptr;
}

// File is not always first: a maximized child puts its window-menu item at the front of the bar.
int PositionAfterFile() {
    const int count = GetMenuItemCount(hmenuFrame);
    for (int position = 0; position < count; ++position) {
        if (GetSubMenu(hmenuFrame, position) == hmenuFile) return position + 1;
    }
    return count;
}

const char* PopupTitle(HMENU popup) { return popup == hmenuLines ? szLinesPopupTitle : szBubblesPopupTitle; }

void GrayAllMenuItems(HMENU popup) {
    const int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        EnableMenuItem(popup, position, MF_BYPOSITION | MF_GRAYED);
    }
}

} // namespace

void RefreshChildMenu(HWND frame) {
    HMENU wanted = WantedPopup(ActiveChild());
    if (wanted == hmenuInserted) return;
    const int position = PositionAfterFile();
    bool changed = false;
    if (hmenuInserted) {
        RemoveMenu(hmenuFrame, position, MF_BYPOSITION);
        changed = true;
    }
    hmenuInserted = wanted;
    if (wanted) {
        InsertMenuA(hmenuFrame, position, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(wanted),
                    PopupTitle(wanted));
        changed = true;
    }
    if (changed) DrawMenuBar(frame);
}

void FrameOnInitMenuPopup(HWND frame, WPARAM wParam, LPARAM lParam) {
    HWND child = ActiveChild();
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    if (popup == hmenuFile) {
        GrayAllMenuItems(popup);
        EnableCommand(popup, IDM_EXIT);
        EnableCommand(popup, IDM_NEW_LINES);
        EnableCommand(popup, IDM_NEW_BUBBLES);
    } else if (popup == hmenuLines || popup == hmenuBubbles) {
        GrayAllMenuItems(popup);
    } else if (popup == hmenuHelp) {
        GrayAllMenuItems(popup);
        EnableCommand(popup, IDM_ABOUT);
    }
    if (IsWindow(child)) SendMessageA(child, WM_INITMENUPOPUP, wParam, lParam);
    DefFrameProcA(frame, hwndClient, WM_INITMENUPOPUP, wParam, lParam);
}
