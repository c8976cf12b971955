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
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

// The width of a full-screen show's one bubble with the prefix at this DPI; a real mouse move ends the show.
LONG ShownBubbleWidth(DWORD dpi) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    const DWORD settings[kSaverValueCount] = {kShowBubbles, 0, 1, 0, 0}; // one bubble, no Gravity, no Yeast
    for (int i = 0; i < kSaverValueCount; ++i)
        RegSetKeyValueA(HKEY_CURRENT_USER, kSaverKey, saverValueNames[i], REG_DWORD, &settings[i], 4);
    SetCursorPos(300, 300);
    HANDLE scr = Start("/s");
    WaitForInputIdle(scr, 10000);
    PumpFor(1000); // edges pull it in whole
    const SIZE screen = ClientSize(GetDesktopWindow());
    const Pixels shown = Capture(GetDesktopWindow());
    LONG left = screen.cx;
    LONG right = 0;
    for (LONG i = 0; i < screen.cx * screen.cy; ++i) {
        if (shown[i] == RGB(255, 255, 255)) continue;
        left = std::min(left, i % screen.cx);
        right = std::max(right, i % screen.cx + 1);
    }
    SetCursorPos(310, 300);
    EXPECT_EQ(ExitCode(scr, 5000), 0u) << "a real mouse move ends the show";
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Derodazo");
    return right - left;
}

// The settings dialog as the Windows settings page opens it, from the screen saver's own resources.
class SettingsDialog : public ::testing::Test {
  protected:
    void TearDown() override {
        DestroyWindow(dlg);
        FreeLibrary(scr);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Derodazo");
    }
    bool Checked(int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }
    HMODULE scr = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND dlg =
        CreateDialogParamA(scr, MAKEINTRESOURCEA(IDD_SAVER_SETTINGS), nullptr, SaverSettingsDlgProc, 0);
};

} // namespace

TEST(Saver, AtTwiceTheDpiTheShowsBubblesAreTwiceAsWide) {
    const LONG at96 = ShownBubbleWidth(96); // the Bubbles window's radius of 20
    EXPECT_TRUE(std::abs(at96 - 2 * 20) <= 2 && std::abs(ShownBubbleWidth(192) - 2 * at96) <= 2) << at96;
}

TEST(Saver, APreviewFillsItsParentAndEndsWithIt) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 200, 150, nullptr, nullptr,
                                  nullptr, nullptr);
    HANDLE scr = Start("/p", std::to_string(reinterpret_cast<uintptr_t>(parent)).c_str());
    for (int i = 0; i < 500 && !GetWindow(parent, GW_CHILD); ++i)
        PumpFor(20);
    RECT inner{};
    RECT outer{};
    GetClientRect(GetWindow(parent, GW_CHILD), &inner);
    GetClientRect(parent, &outer);
    EXPECT_TRUE(EqualRect(&inner, &outer));
    DestroyWindow(parent);
    EXPECT_EQ(ExitCode(scr, 5000), 0u);
}

TEST(Saver, FullScreenEndsOnAnyKeyThoseWithoutACharacterToo) {
    RegisterSaverClass(GetModuleHandleA(nullptr));
    for (const WPARAM key : {WPARAM{VK_SHIFT}, WPARAM{VK_CONTROL}, WPARAM{VK_LEFT}, WPARAM{'A'}}) {
        HWND show = CreateSaverWindow(GetModuleHandleA(nullptr), nullptr, {});
        ShowCursor(TRUE); // the show hides it for the thread
        SendMessageA(show, WM_KEYDOWN, key, 1);
        Pump();
        EXPECT_FALSE(IsWindow(show)) << key;
        DestroyWindow(show);
    }
}

// Clicks, and arrow keys through the dialog manager as its own loop would; then OK stores the choice shown.
TEST_F(SettingsDialog, LinesAndBubblesExcludeEachOtherAndEnableTheirOwnControls) {
    const auto press = [this](WPARAM key) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        IsDialogMessageA(dlg, &msg);
    };
    const std::pair<std::function<void()>, bool> moves[] = {
        {[&] { SendDlgItemMessageA(dlg, IDC_SAVER_BUBBLES, BM_CLICK, 0, 0); }, true},
        {[&] { SendDlgItemMessageA(dlg, IDC_SAVER_LINES, BM_CLICK, 0, 0); }, false},
        {[&] { press(VK_DOWN); }, true},
        {[&] { press(VK_UP); }, false},
        {[&] { press(VK_DOWN); }, true}};
    for (const auto& [move, bubbles] : moves) {
        move();
        EXPECT_EQ(std::pair(Checked(IDC_SAVER_LINES), Checked(IDC_SAVER_BUBBLES)),
                  std::pair(!bubbles, bubbles));
        EXPECT_EQ(Enabled(IDC_SAVER_STYLE), !bubbles);
        for (int id : {IDC_SAVER_COUNT, IDC_SAVER_GRAVITY, IDC_SAVER_YEAST})
            EXPECT_EQ(Enabled(id), bubbles) << id;
    }
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(LoadSaverSettings().show, kShowBubbles);
}
