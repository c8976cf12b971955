#include "about/about_dialog.h"
#include "about/hyperlink.h"
#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"

#include <fstream>
#include <sstream>

namespace {

// The dialog's modal loop belongs to DialogBoxParamA, so a test acts from inside it: a hook notes the dialog
// and a thread timer runs the test's script in the loop once the dialog shows.
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

// Runs the About box through the frame's Help/About, or directly to see its result.
INT_PTR ShowAbout(std::function<void(HWND)> act, bool fromFrame = false) {
    dialog = nullptr;
    script = std::move(act);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, NoteDialog, nullptr, GetCurrentThreadId());
    INT_PTR result = 0;
    if (fromFrame)
        SendMessageA(hwndFrame, WM_COMMAND, IDM_ABOUT, 0);
    else
        result = DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_ABOUT), hwndFrame, AboutDlgProc, 0);
    UnhookWindowsHookEx(hook);
    return result;
}

void PostKey(HWND dlg, WPARAM key) { PostMessageA(GetFocus() ? GetFocus() : dlg, WM_KEYDOWN, key, 1); }

std::string String(UINT id) {
    char text[4096] = "";
    LoadStringA(hInst, id, text, sizeof text);
    return text;
}

using About = AppTest;

TEST_F(About, OpensModalCentredAndSeeThroughAndEndsWithTheCommandOfTheKeyOrButton) {
    MoveWindow(hwndFrame, -201, 77, 777, 555, TRUE);
    RECT frame{}, box{};
    GetWindowRect(hwndFrame, &frame);
    BYTE alpha = 0;
    DWORD layered = 0;
    ShowAbout(
        [&](HWND dlg) {
            GetWindowRect(dlg, &box);
            EXPECT_FALSE(IsWindowEnabled(hwndFrame)) << "modal";
            EXPECT_EQ(Text(GetDlgItem(dlg, IDC_ABOUT_TEXT)), String(IDS_ABOUT_TEXT));
            GetLayeredWindowAttributes(dlg, nullptr, &alpha, &layered);
            EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDOK));
            const LONG_PTR link = GetWindowLongPtrA(GetDlgItem(dlg, IDC_ABOUT_LINK), GWL_STYLE);
            EXPECT_TRUE((link & SS_NOTIFY) && !(link & WS_TABSTOP));
            PostKey(dlg, VK_RETURN);
        },
        true);
    EXPECT_EQ(box.left, (frame.left + frame.right) / 2 - (box.right - box.left) / 2);
    EXPECT_EQ(box.top, (frame.top + frame.bottom) / 2 - (box.bottom - box.top) / 2);
    EXPECT_TRUE(alpha == 192 && layered == LWA_ALPHA);
    const struct {
        std::function<void(HWND)> act;
        INT_PTR result;
    } endings[] = {{[](HWND d) { PostKey(d, VK_RETURN); }, IDOK},
                   {[](HWND d) { PostKey(d, VK_ESCAPE); }, IDCANCEL},
                   {[](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
                   {[](HWND d) { PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, IDOK}};
    for (const auto& e : endings)
        EXPECT_EQ(ShowAbout(e.act), e.result);
}

TEST_F(About, EachClickOnTheLinkHandsTheContactUrlToTheMailHandlerAndNothingElseDoes) {
    // The prefix's mail handler is this test's recorder, which appends what it is given to a file.
    char path[MAX_PATH] = "", temp[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    GetTempPathA(sizeof temp, temp);
    std::string exe = path, record = std::string(temp) + "derodazo_mailto.txt";
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "mailto_recorder.exe";
    DeleteFileA(record.c_str());
    const std::string command = "\"" + exe + "\" \"" + record + "\" \"%1\"";
    RegSetValueA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", REG_SZ, command.c_str(), 0);
    const auto recorded = [&](bool wait) { // the handler runs on its own; give it time to write
        for (int i = 0; wait && i < 300 && GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            Sleep(100);
        Sleep(wait ? 500 : 0);
        std::stringstream all;
        all << std::ifstream(record, std::ios::binary).rdbuf();
        return all.str();
    };
    std::string before, after;
    ShowAbout([&](HWND dlg) {
        HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
        SendMessageA(link, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_TEXT, STN_CLICKED), 0);
        before = recorded(false);
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        after = recorded(true);
        EXPECT_TRUE(IsWindowVisible(dlg));
        PostKey(dlg, VK_ESCAPE);
    });
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "mailto");
    DeleteFileA(record.c_str());
    EXPECT_EQ(before, "");
    EXPECT_EQ(after, String(IDS_CONTACT_URL) + "\n");
}

HFONT FontOf(HWND w) { return reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)); }

TEST(Hyperlink, ColoursItsTextUnderlinesWhileHoveredAndGivesTheFontBackWhenDestroyed) {
    HWND parent = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 300, 300, 300, 120, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND link = CreateWindowExA(0, "STATIC", "link", WS_CHILD | WS_VISIBLE, 10, 10, 120, 20, parent, nullptr,
                                nullptr, nullptr);
    HWND plain = CreateWindowExA(0, "STATIC", "text", WS_CHILD | WS_VISIBLE, 10, 40, 120, 20, parent, nullptr,
                                 nullptr, nullptr);
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    const LONG_PTR parentProc = GetWindowLongPtrA(parent, GWLP_WNDPROC);
    HDC dc = GetDC(link);
    SetTextColor(dc, RGB(1, 2, 3));
    const LRESULT plainBrush = SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(plain));
    const COLORREF plainColour = GetTextColor(dc);
    ASSERT_TRUE(MakeStaticLink(link));
    const LONG_PTR linkProc = GetWindowLongPtrA(link, GWLP_WNDPROC);
    ASSERT_TRUE(MakeStaticLink(link)); // twice is once: the procedure is not stacked on itself
    EXPECT_EQ(GetWindowLongPtrA(link, GWLP_WNDPROC), linkProc);
    EXPECT_NE(GetWindowLongPtrA(parent, GWLP_WNDPROC), parentProc);
    for (HWND w : {link, plain}) { // the parent's own answer stands; a link only gets its colour
        SetTextColor(dc, RGB(1, 2, 3));
        const LRESULT brush = SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(w));
        EXPECT_EQ(brush, plainBrush);
        EXPECT_EQ(GetTextColor(dc), w == link ? RGB(0, 0, 192) : plainColour);
    }
    ReleaseDC(link, dc);

    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    LOGFONTA hovered{};
    GetObjectA(FontOf(link), sizeof hovered, &hovered);
    EXPECT_TRUE(hovered.lfUnderline && hovered.lfWeight == FW_BOLD && GetCapture() == link);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6)); // still inside
    EXPECT_TRUE(FontOf(link) != font && GetCapture() == link);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-3), 5)); // left of it: signed
    EXPECT_TRUE(FontOf(link) == font && GetCapture() == nullptr);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HFONT underlined = FontOf(link);
    DestroyWindow(parent); // while underlined
    LOGFONTA original{};
    EXPECT_EQ(GetObjectA(font, sizeof original, &original), static_cast<int>(sizeof original));
    EXPECT_EQ(GetObjectA(underlined, sizeof original, &original), 0) << "the underlined copy is deleted";
    DeleteObject(font);
}

} // namespace
