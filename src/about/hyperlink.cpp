#include "about/hyperlink.h"

#include <windowsx.h>

namespace {

// The same name serves on the static and on its parent; each window keeps its own previous procedure.
constexpr char kOriginalProc[] = "_Hyperlink_Original_Proc_";
constexpr char kOriginalFont[] = "_Hyperlink_Original_Font_";
constexpr char kUnderlineFont[] = "_Hyperlink_Underline_Font_";
constexpr char kFromStatic[] = "_Hyperlink_From_Static_";

constexpr COLORREF kLinkColour = RGB(0, 0, 192);

WNDPROC GetOriginalProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOriginalProc)); }
HFONT GetOriginalFont(HWND hwnd) { return static_cast<HFONT>(GetPropA(hwnd, kOriginalFont)); }
HFONT GetUnderlineFont(HWND hwnd) { return static_cast<HFONT>(GetPropA(hwnd, kUnderlineFont)); }
bool IsStaticLink(HWND hwnd) { return GetPropA(hwnd, kFromStatic) != nullptr; }

void SetLinkFonts(HWND hwnd, HFONT original, HFONT underlined) {
    SetPropA(hwnd, kOriginalFont, original);
    SetPropA(hwnd, kUnderlineFont, underlined);
    SetPropA(hwnd, kFromStatic, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)));
}

void RemoveLinkFonts(HWND hwnd) {
    RemovePropA(hwnd, kOriginalFont);
    RemovePropA(hwnd, kUnderlineFont);
    RemovePropA(hwnd, kFromStatic);
}

WNDPROC GetWindowProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

void SetWindowProc(HWND hwnd, WNDPROC proc) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

LRESULT CALLBACK LinkParentSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LinkControlSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void Subclass(HWND hwnd, WNDPROC proc) {
    SetPropA(hwnd, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowProc(hwnd)));
    SetWindowProc(hwnd, proc);
}

void Unsubclass(HWND hwnd, WNDPROC previous) {
    SetWindowProc(hwnd, previous);
    RemovePropA(hwnd, kOriginalProc);
}

LRESULT CallPrevious(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Someone removed our property: the window still needs a procedure that answers.
    if (!previous) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

HFONT CreateUnderlinedFont(HFONT font) {
    // A static that was never given a font answers WM_GETFONT with NULL; underline the GUI font then.
    HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA lf{};
    GetObjectA(source, sizeof lf, &lf);
    lf.lfUnderline = 1;
    return CreateFontIndirectA(&lf);
}

void SubclassLinkParent(HWND parent) {
    if (parent && GetWindowProc(parent) != LinkParentSubclassProc) Subclass(parent, LinkParentSubclassProc);
}

LRESULT LinkParentOnCtlColorStatic(HWND hwnd, WNDPROC previous, WPARAM wParam, LPARAM lParam) {
    // The parent's own answer gives the background brush; only the text colour is ours.
    LRESULT brush = CallPrevious(previous, hwnd, WM_CTLCOLORSTATIC, wParam, lParam);
    if (IsStaticLink(reinterpret_cast<HWND>(lParam)))
        SetTextColor(reinterpret_cast<HDC>(wParam), kLinkColour);
    return brush;
}

LRESULT LinkOnSetCursor() {
    HCURSOR cursor = LoadCursorA(nullptr, IDC_HAND);
    if (!cursor) cursor = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(cursor);
    return TRUE;
}

// WM_SETFONT with lParam 0 does not repaint; the invalidation does, without erasing, so the text does not
// flicker.
void LinkShowFont(HWND hwnd, HFONT font) {
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    InvalidateRect(hwnd, nullptr, FALSE);
}

bool PointerInsideWindow(HWND hwnd, LPARAM lParam) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    // Signed: with the capture held, a pointer left of or above the control has negative coordinates.
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &point);
    return PtInRect(&rect, point) != FALSE;
}

// The capture tells the control when the pointer leaves it, since nothing else would.
void LinkOnMouseMove(HWND hwnd, LPARAM lParam) {
    if (GetCapture() != hwnd) {
        LinkShowFont(hwnd, GetUnderlineFont(hwnd));
        SetCapture(hwnd);
    } else if (!PointerInsideWindow(hwnd, lParam)) {
        LinkShowFont(hwnd, GetOriginalFont(hwnd));
        ReleaseCapture();
    }
}

void LinkControlOnDestroy(HWND hwnd, WNDPROC previous) {
    Unsubclass(hwnd, previous);
    // The original font goes back before the underlined one is deleted: the control never holds a dead font.
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetOriginalFont(hwnd)), 0);
    DeleteObject(GetUnderlineFont(hwnd));
    RemoveLinkFonts(hwnd);
}

LRESULT CALLBACK LinkParentSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = GetOriginalProc(hwnd);
    switch (msg) {
    case WM_CTLCOLORSTATIC: return LinkParentOnCtlColorStatic(hwnd, previous, wParam, lParam);
    case WM_DESTROY: Unsubclass(hwnd, previous); break;
    }
    return CallPrevious(previous, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK LinkControlSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = GetOriginalProc(hwnd);
    switch (msg) {
    case WM_SETCURSOR: return LinkOnSetCursor();
    case WM_MOUSEMOVE: LinkOnMouseMove(hwnd, lParam); break;
    case WM_DESTROY: LinkControlOnDestroy(hwnd, previous); break;
    }
    return CallPrevious(previous, hwnd, msg, wParam, lParam);
}

} // namespace

BOOL MakeStaticLink(HWND hwndStatic) {
    // Subclassing twice would store our own procedure as the previous one, and every message would loop.
    if (IsStaticLink(hwndStatic)) return TRUE;
    SubclassLinkParent(GetParent(hwndStatic));
    SetWindowLongPtrA(hwndStatic, GWL_STYLE, GetWindowLongPtrA(hwndStatic, GWL_STYLE) | SS_NOTIFY);
    Subclass(hwndStatic, LinkControlSubclassProc);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwndStatic, WM_GETFONT, 0, 0));
    SetLinkFonts(hwndStatic, font, CreateUnderlinedFont(font));
    return TRUE;
}

BOOL MakeDlgItemLink(HWND hwndDlg, int controlId) { return MakeStaticLink(GetDlgItem(hwndDlg, controlId)); }
