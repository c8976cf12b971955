#include "about/about_dialog.h"
#include "about/hyperlink.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"

#include <fstream>
#include <sstream>

namespace {

// A hook notes the dialog and a thread timer runs the script inside its modal loop; then the key goes in.
HWND dialog = nullptr;
std::function<void(HWND)> script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    if (!IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    script(dialog);
}

LRESULT CALLBACK NoteDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITDIALOG && !dialog) {
        dialog = m->hwnd;
        SetTimer(nullptr, 0, 0, RunScript);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR ShowAbout(std::function<void(HWND)> act, WPARAM key, bool fromFrame = false) {
    dialog = nullptr;
    script = [act, key](HWND d) {
        act(d);
        PostMessageA(GetFocus() ? GetFocus() : d, WM_KEYDOWN, key, 1);
    };
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, NoteDialog, nullptr, GetCurrentThreadId());
    const INT_PTR result =
        fromFrame ? SendMessageA(hwndFrame, WM_COMMAND, IDM_ABOUT, 0)
                  : DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_ABOUT), hwndFrame, AboutDlgProc, 0);
    UnhookWindowsHookEx(hook);
    return result;
}

HFONT FontOf(HWND w) { return reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)); }

std::string String(UINT id) {
    char text[4096] = "";
    LoadStringA(hInst, id, text, sizeof text);
    return text;
}

using About = AppTest;

TEST_F(About, HelpAboutOpensASeeThroughDialogThatEnterAndEscapeEnd) {
    BYTE alpha = 0;
    DWORD layered = 0;
    ShowAbout([&](HWND dlg) { GetLayeredWindowAttributes(dlg, nullptr, &alpha, &layered); }, VK_RETURN, true);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(std::pair(alpha, layered), (std::pair<BYTE, DWORD>(192, LWA_ALPHA)));
    EXPECT_EQ(ShowAbout([](HWND) {}, VK_ESCAPE), IDCANCEL);
}

TEST_F(About, TheLinkIsBlueAndUnderlinedWhileHoveredAndHandsItsFontBack) {
    HFONT underlined = nullptr;
    LOGFONTA hovered{};
    ShowAbout(
        [&](HWND dlg) {
            HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
            const LONG_PTR style = GetWindowLongPtrA(link, GWL_STYLE);
            const LONG_PTR proc = GetWindowLongPtrA(link, GWLP_WNDPROC);
            MakeStaticLink(link); // twice is once: the procedure is not stacked on itself
            EXPECT_TRUE((style & SS_NOTIFY) && !(style & WS_TABSTOP) &&
                        GetWindowLongPtrA(link, GWLP_WNDPROC) == proc);
            HDC dc = GetDC(link);
            SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(link));
            EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 192));
            ReleaseDC(link, dc);
            const HFONT font = FontOf(link);
            SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // hovering underlines, then inside
            SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
            underlined = FontOf(link);
            GetObjectA(underlined, sizeof hovered, &hovered);
            EXPECT_TRUE(hovered.lfUnderline && GetCapture() == link);
            SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-3), 5)); // left: signed
            EXPECT_TRUE(FontOf(link) == font && GetCapture() == nullptr);
            SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); // and it ends underlined
        },
        VK_RETURN);
    EXPECT_EQ(GetObjectA(underlined, sizeof hovered, &hovered), 0) << "the underlined copy is deleted";
}

TEST_F(About, AClickOnTheLinkOpensTheContactUrlOnce) {
    // The prefix's mail handler becomes a recorder that appends what it is given to a file.
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string record = std::string(temp) + "derodazo_mailto.txt";
    const std::string command = "cmd /c echo %1>>" + record;
    DeleteFileA(record.c_str());
    RegSetValueA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", REG_SZ, command.c_str(), 0);
    const auto recorded = [&](int tenths) { // the handler runs on its own: wait for a whole line
        std::string text;
        for (int i = 0; i <= tenths && (text.empty() || text.back() != '\n'); ++i) {
            Sleep(i == 0 ? 0 : 100);
            std::stringstream all;
            all << std::ifstream(record, std::ios::binary).rdbuf();
            text = all.str();
        }
        return text;
    };
    std::string once;
    std::string still;
    ShowAbout(
        [&](HWND dlg) {
            HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
            SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            once = recorded(300);
            SendMessageA(link, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2)); // opens nothing
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_TEXT, STN_CLICKED), 0);
            Sleep(1500);
            still = recorded(0);
        },
        VK_RETURN);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "mailto");
    EXPECT_TRUE(once == String(IDS_CONTACT_URL) + "\r\n" && still == once) << once << still;
}

// The button's procedure lies in the comctl32 of the folder named for version 6 (Wine's DllGetVersion
// says 5.81).
TEST_F(About, TheOkButtonComesFromCommonControlsVersion6) {
    HWND dlg = CreateDialogParamA(hInst, MAKEINTRESOURCEA(IDD_ABOUT), hwndFrame, AboutDlgProc, 0);
    MEMORY_BASIC_INFORMATION code{};
    VirtualQuery(reinterpret_cast<void*>(GetWindowLongPtrW(GetDlgItem(dlg, IDOK), GWLP_WNDPROC)), &code,
                 sizeof code);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(static_cast<HMODULE>(code.AllocationBase), path, sizeof path);
    DestroyWindow(dlg);
    EXPECT_NE(std::string(CharLowerA(path)).find("common-controls_6595b64144ccf1df_6."), std::string::npos)
        << path;
}

} // namespace
