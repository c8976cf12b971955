#include "about/about_dialog.h"

#include "common/app_state.h"
#include "common/ids.h"
#include "harness.h"

#include <tlhelp32.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

// The dialog's modal loop belongs to DialogBoxParamA, so the tests act from inside it: a hook notes the
// dialog when WM_INITDIALOG returns, and a thread timer runs the test's script in the loop.
HWND aboutDialog = nullptr;
std::function<void(HWND)> aboutScript;
constexpr INT_PTR kLeftOpen = 77;

void CALLBACK EndIfStillOpen(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // A timer comes only once no posted message waits, so the script's keys have been handled by now.
    if (IsWindow(aboutDialog)) EndDialog(aboutDialog, kLeftOpen);
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    // The dialog manager shows the dialog once its loop first finds the queue empty; act after that.
    if (!IsWindowVisible(aboutDialog)) return;
    KillTimer(nullptr, id);
    if (aboutScript) aboutScript(aboutDialog);
    SetTimer(nullptr, 0, 0, EndIfStillOpen);
}

LRESULT CALLBACK NoteDialog(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITDIALOG && !aboutDialog) {
        aboutDialog = m->hwnd;
        SetTimer(nullptr, 0, 0, RunScript);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void PostKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 1);
}

std::string ModuleDirectory() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string LoadResourceString(UINT id) {
    char text[4096] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// ShellExecuteA has started any handler by the time it returns; wait until each has finished writing.
void WaitForChildProcesses() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != GetCurrentProcessId()) continue;
        HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!child) continue;
        EXPECT_EQ(WaitForSingleObject(child, 60000), WAIT_OBJECT_0) << entry.szExeFile << " did not finish";
        CloseHandle(child);
    }
    CloseHandle(snapshot);
}

constexpr char kMailtoCommandKey[] = "mailto\\shell\\open\\command";

class AboutTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        aboutDialog = nullptr;
        aboutScript = nullptr;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, NoteDialog, nullptr, GetCurrentThreadId());
    }

    void TearDown() override {
        if (hook) UnhookWindowsHookEx(hook);
        aboutScript = nullptr;
        if (recorderInstalled) RestoreMailtoCommand();
        if (!recordPath.empty()) DeleteFileA(recordPath.c_str());
        AppTest::TearDown();
    }

    INT_PTR ShowAbout(std::function<void(HWND)> script) {
        aboutScript = std::move(script);
        return DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_ABOUT), hwndFrame, AboutDlgProc, 0);
    }

    // The test's own Wine prefix gets a mail handler that records what it is given.
    void InstallMailRecorder() {
        char current[1024] = "";
        LONG size = sizeof current;
        hadMailtoCommand =
            RegQueryValueA(HKEY_CLASSES_ROOT, kMailtoCommandKey, current, &size) == ERROR_SUCCESS;
        savedMailtoCommand = current;
        const std::string recorder = ModuleDirectory() + "mailto_recorder.exe";
        ASSERT_NE(GetFileAttributesA(recorder.c_str()), INVALID_FILE_ATTRIBUTES) << recorder;
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        recordPath = std::string(temp) + "derodazo_mailto_" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(recordPath.c_str());
        SetMailtoCommand("\"" + recorder + "\" \"" + recordPath + "\" \"%1\"");
        recorderInstalled = true;
    }

    static void SetMailtoCommand(const std::string& command) {
        RegSetValueA(HKEY_CLASSES_ROOT, kMailtoCommandKey, REG_SZ, command.c_str(),
                     static_cast<DWORD>(command.size()));
    }

    void RestoreMailtoCommand() const {
        if (hadMailtoCommand)
            SetMailtoCommand(savedMailtoCommand);
        else
            RegDeleteTreeA(HKEY_CLASSES_ROOT, "mailto");
    }

    std::string Recorded() const { return ReadFile(recordPath); }

    HHOOK hook = nullptr;
    bool recorderInstalled = false;
    bool hadMailtoCommand = false;
    std::string savedMailtoCommand;
    std::string recordPath;
};

struct FramePlace {
    const char* name;
    int left; // negative: from the right edge of the screen
    int top;  // negative: from the bottom edge
};
void PrintTo(const FramePlace& p, std::ostream* os) { *os << p.name; }

class AboutCentringTest : public AboutTest, public ::testing::WithParamInterface<FramePlace> {};

TEST_P(AboutCentringTest, HelpAboutOpensTheDialogCentredOnTheWholeFrame) {
    const FramePlace& place = GetParam();
    const int left = place.left >= 0 ? place.left : GetSystemMetrics(SM_CXSCREEN) + place.left;
    const int top = place.top >= 0 ? place.top : GetSystemMetrics(SM_CYSCREEN) + place.top;
    MoveWindow(hwndFrame, left, top, 777, 555, TRUE);
    PumpMessages();
    RECT frame{};
    GetWindowRect(hwndFrame, &frame);
    ASSERT_EQ(frame.left, left);
    ASSERT_EQ(frame.top, top);

    RECT dialog{};
    bool frameEnabled = true;
    bool scriptRan = false;
    aboutScript = [&](HWND dlg) {
        scriptRan = true;
        GetWindowRect(dlg, &dialog);
        frameEnabled = IsWindowEnabled(hwndFrame);
        PostKey(dlg, VK_RETURN);
    };
    // The frame's own Help/About path: the frame ignores the result.
    SendMessageA(hwndFrame, WM_COMMAND, IDM_ABOUT, 0);
    ASSERT_TRUE(scriptRan);

    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    EXPECT_EQ(dialog.left, (frame.left + frame.right) / 2 - width / 2);
    EXPECT_EQ(dialog.top, (frame.top + frame.bottom) / 2 - height / 2);
    EXPECT_FALSE(frameEnabled) << "the dialog is modal";
    EXPECT_TRUE(IsWindowEnabled(hwndFrame));
    EXPECT_TRUE(Children().empty());
}

INSTANTIATE_TEST_SUITE_P(Places, AboutCentringTest,
                         ::testing::Values(FramePlace{"OnScreen", 101, 77},
                                           FramePlace{"PartlyOffLeftAndTop", -451, -303},
                                           FramePlace{"PartlyOffRightAndBottom", -201, -151}),
                         [](const ::testing::TestParamInfo<FramePlace>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(AboutTest, ShowsStringTwoSeeThroughWithTheFocusOnOk) {
    std::string description;
    LONG_PTR exStyle = 0;
    BYTE alpha = 0;
    DWORD layeredFlags = 0;
    HWND focus = nullptr;
    HWND ok = nullptr;
    aboutScript = [&](HWND dlg) {
        char text[4096] = "";
        GetWindowTextA(GetDlgItem(dlg, IDC_ABOUT_TEXT), text, sizeof text);
        description = text;
        exStyle = GetWindowLongPtrA(dlg, GWL_EXSTYLE);
        COLORREF key = 0;
        GetLayeredWindowAttributes(dlg, &key, &alpha, &layeredFlags);
        focus = GetFocus();
        ok = GetDlgItem(dlg, IDOK);
        PostKey(dlg, VK_RETURN);
    };
    EXPECT_EQ(ShowAbout(aboutScript), IDOK);

    const std::string expected = LoadResourceString(IDS_ABOUT_TEXT);
    EXPECT_GT(expected.size(), 800u);
    EXPECT_EQ(description, expected);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME) << "the other extended styles are kept";
    EXPECT_EQ(alpha, 192);
    EXPECT_EQ(layeredFlags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(focus, ok);
}

TEST_F(AboutTest, TheLinkIsALinkButNoTabStop) {
    LONG_PTR linkStyle = 0;
    HWND afterOk = nullptr;
    HWND ok = nullptr;
    aboutScript = [&](HWND dlg) {
        HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
        linkStyle = GetWindowLongPtrA(link, GWL_STYLE);
        ok = GetDlgItem(dlg, IDOK);
        afterOk = GetNextDlgTabItem(dlg, ok, FALSE);
        PostKey(dlg, VK_RETURN);
    };
    ShowAbout(aboutScript);
    EXPECT_FALSE(linkStyle & WS_TABSTOP);
    EXPECT_TRUE(linkStyle & SS_NOTIFY);
    EXPECT_EQ(afterOk, ok) << "Tab has nowhere to go but OK";
}

struct Ending {
    const char* name;
    std::function<void(HWND)> act;
    INT_PTR result;
};
void PrintTo(const Ending& e, std::ostream* os) { *os << e.name; }

class AboutEndingTest : public AboutTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(AboutEndingTest, EndsWithTheCommandOfTheKeyOrButton) {
    EXPECT_EQ(ShowAbout(GetParam().act), GetParam().result);
    EXPECT_FALSE(IsWindow(aboutDialog));
    EXPECT_TRUE(IsWindow(hwndFrame));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutEndingTest,
    ::testing::Values(
        Ending{"Enter", [](HWND dlg) { PostKey(dlg, VK_RETURN); }, IDOK},
        Ending{"Escape", [](HWND dlg) { PostKey(dlg, VK_ESCAPE); }, IDCANCEL},
        Ending{"CloseBox", [](HWND dlg) { PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
        Ending{"OkButton", [](HWND dlg) { PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0); }, IDOK}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

TEST_F(AboutTest, EachClickOnTheLinkHandsTheContactUrlToTheMailHandlerAndTheDialogStaysOpen) {
    InstallMailRecorder();
    std::string afterFirstClick;
    bool openAfterClicks = false;
    aboutScript = [&](HWND dlg) {
        HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
        for (int click = 0; click < 2; ++click) {
            SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            WaitForChildProcesses();
            if (click == 0) afterFirstClick = Recorded();
        }
        openAfterClicks = IsWindowVisible(dlg);
        PostKey(dlg, VK_ESCAPE);
    };
    EXPECT_EQ(ShowAbout(aboutScript), IDCANCEL);

    const std::string url = LoadResourceString(IDS_CONTACT_URL);
    ASSERT_EQ(url.rfind("mailto:", 0), 0u) << url;
    EXPECT_EQ(afterFirstClick, url + "\n");
    EXPECT_EQ(Recorded(), url + "\n" + url + "\n");
    EXPECT_TRUE(openAfterClicks);
}

TEST_F(AboutTest, OtherNotificationsFromTheLinkAndUnknownCommandsDoNothing) {
    InstallMailRecorder();
    struct Command {
        const char* name;
        WORD id;
        WORD code;
        INT_PTR handled;
    };
    const Command commands[] = {
        {"link double click", IDC_ABOUT_LINK, STN_DBLCLK, TRUE},
        {"link disabled", IDC_ABOUT_LINK, STN_DISABLE, TRUE},
        {"link enabled", IDC_ABOUT_LINK, STN_ENABLE, TRUE},
        {"identifier 0", 0, 0, FALSE},
        {"description", IDC_ABOUT_TEXT, STN_CLICKED, FALSE},
        {"unknown", 4321, 0, FALSE},
    };
    bool stillOpen = false;
    aboutScript = [&](HWND dlg) {
        HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
        for (const Command& c : commands) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(AboutDlgProc(dlg, WM_COMMAND, MAKEWPARAM(c.id, c.code), reinterpret_cast<LPARAM>(link)),
                      c.handled);
        }
        // A real double click on the link sends STN_DBLCLK through the dialog.
        SendMessageA(link, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        WaitForChildProcesses();
        stillOpen = IsWindowVisible(dlg);
        PostKey(dlg, VK_RETURN);
    };
    EXPECT_EQ(ShowAbout(aboutScript), IDOK);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(GetFileAttributesA(recordPath.c_str()), INVALID_FILE_ATTRIBUTES) << Recorded();
}

} // namespace
