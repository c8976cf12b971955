#include "common/child_windows.h"

#include <cstring>

#include "common/app_state.h"

namespace {
constexpr char kChildMenuProp[] = "CHILDMENU";
} // namespace

HWND ActiveChild() { return reinterpret_cast<HWND>(SendMessageA(hwndClient, WM_MDIGETACTIVE, 0, 0)); }

HWND SourceWindowOfClass(const CREATESTRUCTA* cs, const char* className) {
    const auto* mdi = static_cast<const MDICREATESTRUCTA*>(cs->lpCreateParams);
    const HWND source = mdi != nullptr ? reinterpret_cast<HWND>(mdi->lParam) : nullptr;
    if (!IsWindow(source) || GetWindowThreadProcessId(source, nullptr) != GetCurrentThreadId())
        return nullptr;
    char name[64] = "";
    GetClassNameA(source, name, sizeof name);
    return std::strcmp(name, className) == 0 ? source : nullptr;
}

void EnableCommand(HMENU popup, UINT command) { EnableMenuItem(popup, command, MF_BYCOMMAND | MF_ENABLED); }

void CheckCommand(HMENU popup, UINT command, bool checked) {
    CheckMenuItem(popup, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

HMENU GetChildMenu(HWND child) { return static_cast<HMENU>(GetPropA(child, kChildMenuProp)); }

void SetChildMenu(HWND child, HMENU popup) { SetPropA(child, kChildMenuProp, popup); }

void RemoveChildMenu(HWND child) { RemovePropA(child, kChildMenuProp); }

SIZE ClientSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return {client.right, client.bottom};
}
