#include "harness.h"
#include "saver/saver_dialog.h"
#include "saver/saver_ids.h"
#include "saver/saver_store.h"
#include "saver/saver_window.h"

#include <process.h>

#include <algorithm>
#include <cstring>

namespace {

std::string ScrPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::strcpy(std::strrchr(path, '\\'), "\\Derodazo.scr");
    return path;
}

HANDLE Start(const char* arg, const char* handle = nullptr) {
    const std::string path = ScrPath();
    return reinterpret_cast<HANDLE>(_spawnl(_P_NOWAIT, path.c_str(), path.c_str(), arg, handle, nullptr));
}

DWORD ExitCode(HANDLE process, DWORD ms) {
    for (DWORD waited = 0; waited < ms && WaitForSingleObject(process, 10) == WAIT_TIMEOUT; waited += 10) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DWORD code = 0;
    return GetExitCodeProcess(process, &code) ? code : 0xDEAD;
}

std::vector<COLORREF> Screen(const RECT& r) {
    return Picture(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
        HDC screen = GetDC(nullptr);
        BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

// Drawn on white over all of r, where no black screen shows, and moving: two looks a moment apart differ.
void ExpectAnimatedOnWhite(const RECT& r) {
    const std::vector<COLORREF> before = Screen(r);
    ExitCode(GetCurrentProcess(), 300);
    const std::vector<COLORREF> after = Screen(r);
    EXPECT_NE(before, after) << "the picture stands still";
    EXPECT_GT(std::count(after.begin(), after.end(), RGB(255, 255, 255)), std::ssize(after) / 2);
    EXPECT_LT(std::count(after.begin(), after.end(), RGB(0, 0, 0)), std::ssize(after) / 100);
}

} // namespace

TEST(Saver, FullScreenCoversTheScreenDrawsAndEndsOnARealMouseMoveOnly) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Derodazo");
    SetCursorPos(300, 300);
    HANDLE scr = Start("/S");
    HWND saver = nullptr;
    for (int i = 0; i < 500 && !saver; ++i, Sleep(20))
        saver = FindWindowA("SaverWind", nullptr);
    EXPECT_TRUE(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(ExitCode(scr, 1500), STILL_ACTIVE);
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    ExpectAnimatedOnWhite(
        {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)});
    SetCursorPos(301, 300);
    EXPECT_EQ(ExitCode(scr, 700), STILL_ACTIVE) << "a one-pixel move ends the show";
    SetCursorPos(310, 300);
    EXPECT_EQ(ExitCode(scr, 5000), 0u);
    TerminateProcess(scr, 1), CloseHandle(scr);
}

TEST(Saver, PreviewOfBubblesFillsItsParentDrawsAndEndsWithIt) {
    const SaverSettings settings{.show = kShowBubbles};
    ASSERT_TRUE(SaveSaverSettings(settings));
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 200, 150,
                                  nullptr, nullptr, nullptr, nullptr);
    // Wine shows nothing that a child window of another process draws, so the drawing is watched here.
    RegisterSaverClass(GetModuleHandleA(nullptr));
    HWND own = CreateSaverWindow(GetModuleHandleA(nullptr), parent, settings);
    ExitCode(GetCurrentProcess(), 1500);
    ExpectAnimatedOnWhite({40, 40, 240, 190});
    DestroyWindow(own);
    HANDLE scr = Start("/p", std::to_string(reinterpret_cast<uintptr_t>(parent)).c_str());
    HWND child = nullptr;
    for (int i = 0; i < 500 && !child && ExitCode(scr, 20) == STILL_ACTIVE; ++i)
        child = GetWindow(parent, GW_CHILD);
    RECT inner{}, outer{};
    EXPECT_TRUE(GetClientRect(child, &inner) && GetClientRect(parent, &outer) && EqualRect(&inner, &outer));
    DestroyWindow(parent);
    EXPECT_EQ(ExitCode(scr, 5000), 0u);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Derodazo");
}

// Damaged values (read unchecked, none would be its default) read as defaults; only OK stores the dialog.
TEST(Saver, SettingsDialogReadsDamagedValuesAsDefaultsAndOnlyOkStores) {
    const DWORD types[] = {REG_SZ, REG_DWORD, REG_BINARY, REG_DWORD, REG_QWORD}, sizes[] = {2, 4, 4, 2, 8};
    const uint64_t numbers[] = {1, 9, 50, 1, 0};
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSaverKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    for (int i = 0; i < kSaverValueCount; ++i)
        RegSetValueExA(key, saverValueNames[i], 0, types[i], reinterpret_cast<const BYTE*>(&numbers[i]),
                       sizes[i]);
    RegCloseKey(key);
    const std::pair<int, std::vector<uint32_t>> steps[] = {{IDCANCEL, {0, 5, 40, 0, 1}},
                                                           {IDOK, {1, 3, 199, 1, 0}}};
    HMODULE scr = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    for (const auto& [button, expected] : steps) {
        HWND dlg =
            CreateDialogParamA(scr, MAKEINTRESOURCEA(IDD_SAVER_SETTINGS), nullptr, SaverSettingsDlgProc, 0);
        CheckRadioButton(dlg, IDC_SAVER_LINES, IDC_SAVER_BUBBLES, IDC_SAVER_BUBBLES);
        SendDlgItemMessageA(dlg, IDC_SAVER_STYLE, CB_SETCURSEL, 3, 0);
        SetDlgItemInt(dlg, IDC_SAVER_COUNT, 250, FALSE);
        CheckDlgButton(dlg, IDC_SAVER_GRAVITY, BST_CHECKED);
        CheckDlgButton(dlg, IDC_SAVER_YEAST, BST_UNCHECKED);
        SendMessageA(dlg, WM_COMMAND, button, 0);
        DestroyWindow(dlg);
        uint32_t stored[kSaverValueCount];
        SettingsToStored(LoadSaverSettings(), stored);
        EXPECT_EQ(std::vector<uint32_t>(stored, stored + kSaverValueCount), expected) << button;
    }
    FreeLibrary(scr);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Derodazo");
}
