#include "about/about_dialog.h"

#include "about/centering.h"
#include "about/hyperlink.h"
#include "common/ids.h"

#include <shellapi.h>

namespace {

constexpr int kAboutTextChars = 4096;
constexpr int kContactUrlChars = 256;
constexpr BYTE kSeeThroughAlpha = 192;

using SetLayeredWindowAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Strings come from the module that holds the dialog's template.
HINSTANCE DialogInstance(HWND dialog) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
}

void AboutShowDescription(HWND dialog) {
    char text[kAboutTextChars] = "";
    LoadStringA(DialogInstance(dialog), IDS_ABOUT_TEXT, text, sizeof text);
    SetWindowTextA(GetDlgItem(dialog, IDC_ABOUT_TEXT), text);
}

// Looked up by name so that the dialog still opens, opaque, on a system without layered windows.
SetLayeredWindowAttributesProc FindSetLayeredWindowAttributes() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return nullptr;
    FARPROC proc = GetProcAddress(user32, "SetLayeredWindowAttributes");
    // Through void(*)(), the one function pointer type that may stand for any other without a warning.
    return reinterpret_cast<SetLayeredWindowAttributesProc>(reinterpret_cast<void (*)()>(proc));
}

void AboutMakeSeeThrough(HWND dialog) {
    SetLayeredWindowAttributesProc setLayeredAttributes = FindSetLayeredWindowAttributes();
    if (!setLayeredAttributes) return;
    SetWindowLongPtrA(dialog, GWL_EXSTYLE, GetWindowLongPtrA(dialog, GWL_EXSTYLE) | WS_EX_LAYERED);
    setLayeredAttributes(dialog, 0, kSeeThroughAlpha, LWA_ALPHA);
}

INT_PTR AboutOnInitDialog(HWND dialog) {
    CenterWindowOnParent(dialog);
    AboutShowDescription(dialog);
    MakeDlgItemLink(dialog, IDC_ABOUT_LINK);
    AboutMakeSeeThrough(dialog);
    return TRUE; // the dialog manager focuses the first tab stop, OK
}

void AboutOpenContact(HWND dialog) {
    char url[kContactUrlChars] = "";
    // An empty file name would make the shell open the current folder instead of a mail.
    if (LoadStringA(DialogInstance(dialog), IDS_CONTACT_URL, url, sizeof url) <= 0) return;
    ShellExecuteA(dialog, "open", url, "", "", SW_SHOWNORMAL);
}

INT_PTR AboutOnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, id); return TRUE;
    case IDC_ABOUT_LINK:
        if (code == STN_CLICKED) AboutOpenContact(dialog);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return AboutOnInitDialog(dialog);
    case WM_COMMAND: return AboutOnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
