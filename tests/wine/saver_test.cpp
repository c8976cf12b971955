#include "harness.h"
#include "saver/saver_dialog.h"
#include "saver/saver_ids.h"
#include "saver/saver_store.h"
#include "saver/saver_window.h"

#include <process.h>

#include <algorithm>

namespace {

std::string ScrPath() {
    char path[MAX_PATH] = "";
    const std::string exe(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return exe.substr(0, exe.rfind('\\')) + "\\Derodazo.scr";
}

HANDLE Start(const char* arg, const char* handle = nullptr) {
    return reinterpret_cast<HANDLE>(_spawnl(_P_NOWAIT, ScrPath().c_str(), "scr", arg, handle, nullptr));
}

DWORD ExitCode(HANDLE process, DWORD ms) {
    for (DWORD waited = 0; waited < ms && WaitForSingleObject(process, 10) == WAIT_TIMEOUT; waited += 10)
        Pump();
    DWORD code = 0;
    return GetExitCodeProcess(process, &code) ? code : 0xDEAD;
}

// After a while to get going: drawn on white over all of it, no black showing, and two looks differ.
void ExpectAnimatedOnWhite(HWND hwnd) {
    ExitCode(GetCurrentProcess(), 1500);
    const Pixels before = Capture(hwnd);
    ExitCode(GetCurrentProcess(), 300);
    const Pixels after = Capture(hwnd);
    EXPECT_NE(before, after) << "the picture stands still";
    EXPECT_GT(std::count(after.begin(), after.end(), RGB(255, 255, 255)), std::ssize(after) / 2);
    EXPECT_LT(std::count(after.begin(), after.end(), RGB(0, 0, 0)), std::ssize(after) / 100);
}

} // namespace

TEST(Saver, FullScreenEndsOnARealMouseMoveOnlyAndPreviewFillsItsParentAndEndsWithIt) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Derodazo");
    SetCursorPos(300, 300);
    HANDLE scr = Start("/S");
    WaitForInputIdle(scr, 10000);
    EXPECT_TRUE(GetWindowLongA(FindWindowA("SaverWind", nullptr), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ExpectAnimatedOnWhite(GetDesktopWindow());
    SetCursorPos(301, 300);
    EXPECT_EQ(ExitCode(scr, 700), STILL_ACTIVE) << "a one-pixel move ends the show";
    SetCursorPos(310, 300);
    EXPECT_EQ(ExitCode(scr, 5000), 0u);
    TerminateProcess(scr, 1), CloseHandle(scr);

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 200, 150,
                                  nullptr, nullptr, nullptr, nullptr);
    // Wine shows nothing that a child window of another process draws, so the drawing is watched here.
    RegisterSaverClass(GetModuleHandleA(nullptr));
    HWND own = CreateSaverWindow(GetModuleHandleA(nullptr), parent, {.show = kShowBubbles});
    ExpectAnimatedOnWhite(own);
    DestroyWindow(own);
    scr = Start("/p", std::to_string(reinterpret_cast<uintptr_t>(parent)).c_str());
    for (int i = 0; i < 500 && !GetWindow(parent, GW_CHILD); ++i)
        ExitCode(scr, 20);
    RECT inner{}, outer{};
    EXPECT_TRUE(GetClientRect(GetWindow(parent, GW_CHILD), &inner) && GetClientRect(parent, &outer) &&
                EqualRect(&inner, &outer));
    DestroyWindow(parent);
    EXPECT_EQ(ExitCode(scr, 5000), 0u);
}

TEST(Saver, SettingsDialogReadsDamagedValuesAsDefaultsAndOnlyOkStores) {
    const DWORD types[] = {REG_SZ, REG_DWORD, REG_BINARY, REG_DWORD, REG_QWORD}, sizes[] = {2, 4, 4, 2, 8};
    const uint64_t numbers[] = {1, 9, 50, 1, 0}; // each usable if read unchecked, and none its default
    for (int i = 0; i < kSaverValueCount; ++i)
        RegSetKeyValueA(HKEY_CURRENT_USER, kSaverKey, saverValueNames[i], types[i], &numbers[i], sizes[i]);
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
