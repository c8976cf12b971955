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
UINT_PTR endTimer = 0;
constexpr INT_PTR kLeftOpen = 77;

void CALLBACK EndIfStillOpen(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, endTimer);
    // A timer comes only once no posted message waits, so the script's keys have been handled by now.
    if (IsWindow(aboutDialog)) EndDialog(aboutDialog, kLeftOpen);
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    // The dialog manager shows the dialog once its loop first finds the queue empty; act after that.
    if (!IsWindowVisible(aboutDialog)) return;
    KillTimer(nullptr, id);
    if (aboutScript) aboutScript(aboutDialog);
    endTimer = SetTimer(nullptr, 0, 0, EndIfStillOpen);
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

std::string LoadResourceString(UINT id) {
    char text[4096] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

// ShellExecuteA has started any handler by the time it returns; wait until each has finished writing.
void WaitForChildProcesses() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        // Wine starts its desktop process, which outlives us, from whichever program first needs a desktop.
        const bool desktop = lstrcmpiA(entry.szExeFile, "explorer.exe") == 0;
        if (entry.th32ParentProcessID != GetCurrentProcessId() || desktop) continue;
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
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, NoteDialog, nullptr, GetCurrentThreadId());
    }

    void TearDown() override {
        UnhookWindowsHookEx(hook);
        aboutScript = nullptr;
        if (recorderInstalled) {
            // Put the prefix back as it was found, with or without a mail handler.
            if (hadMailtoCommand)
                SetMailtoCommand(savedMailtoCommand);
            else
                RegDeleteTreeA(HKEY_CLASSES_ROOT, "mailto");
        }
        if (!recordPath.empty()) DeleteFileA(recordPath.c_str());
        AppTest::TearDown();
    }

    // Runs the dialog, from the frame's own Help/About or directly; the frame ignores the result.
    static INT_PTR ShowAbout(std::function<void(HWND)> script, bool fromFrame = false) {
        aboutDialog = nullptr;
        aboutScript = std::move(script);
        INT_PTR result = 0;
        if (fromFrame)
            SendMessageA(hwndFrame, WM_COMMAND, IDM_ABOUT, 0);
        else
            result = DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_ABOUT), hwndFrame, AboutDlgProc, 0);
        KillTimer(nullptr, endTimer); // not to end the next test's dialog
        return result;
    }

    // The test's own Wine prefix gets a mail handler that records what it is given.
    void InstallMailRecorder() {
        char current[1024] = "";
        LONG size = sizeof current;
        hadMailtoCommand =
            RegQueryValueA(HKEY_CLASSES_ROOT, kMailtoCommandKey, current, &size) == ERROR_SUCCESS;
        savedMailtoCommand = current;
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, sizeof path);
        std::string recorder = path;
        recorder = recorder.substr(0, recorder.find_last_of("\\/") + 1) + "mailto_recorder.exe";
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

    std::string Recorded() const {
        std::ifstream in(recordPath, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

    HHOOK hook = nullptr;
    bool recorderInstalled = false;
    bool hadMailtoCommand = false;
    std::string savedMailtoCommand;
    std::string recordPath;
};

TEST_F(AboutTest, HelpAboutOpensTheDialogModalAndCentredOnTheWholeFrameWhereverItIs) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const POINT places[] = {{101, 77}, {cx - 451, cy - 303} /* partly off right and bottom */, {-201, -151}};
    for (POINT place : places) {
        SCOPED_TRACE(std::to_string(place.x) + "," + std::to_string(place.y));
        MoveWindow(hwndFrame, place.x, place.y, 777, 555, TRUE);
        PumpMessages();
        RECT frame{}, dialog{};
        GetWindowRect(hwndFrame, &frame);
        ASSERT_EQ(frame.left, place.x);
        ASSERT_EQ(frame.top, place.y);
        bool frameEnabled = true;
        ShowAbout(
            [&](HWND dlg) {
                GetWindowRect(dlg, &dialog);
                frameEnabled = IsWindowEnabled(hwndFrame);
                PostKey(dlg, VK_RETURN);
            },
            true);
        ASSERT_NE(aboutDialog, nullptr);
        EXPECT_EQ(dialog.left, (frame.left + frame.right) / 2 - (dialog.right - dialog.left) / 2);
        EXPECT_EQ(dialog.top, (frame.top + frame.bottom) / 2 - (dialog.bottom - dialog.top) / 2);
        EXPECT_FALSE(frameEnabled) << "the dialog is modal";
        EXPECT_TRUE(IsWindowEnabled(hwndFrame));
    }
}

TEST_F(AboutTest, ShowsStringTwoSeeThroughWithTheFocusOnOkAndTheLinkOutOfTheTabOrder) {
    std::string description;
    LONG_PTR exStyle = 0, linkStyle = 0;
    BYTE alpha = 0;
    DWORD layeredFlags = 0;
    HWND focus = nullptr, ok = nullptr, afterOk = nullptr;
    EXPECT_EQ(ShowAbout([&](HWND dlg) {
                  char text[4096] = "";
                  GetWindowTextA(GetDlgItem(dlg, IDC_ABOUT_TEXT), text, sizeof text);
                  description = text;
                  exStyle = GetWindowLongPtrA(dlg, GWL_EXSTYLE);
                  GetLayeredWindowAttributes(dlg, nullptr, &alpha, &layeredFlags);
                  focus = GetFocus();
                  ok = GetDlgItem(dlg, IDOK);
                  afterOk = GetNextDlgTabItem(dlg, ok, FALSE);
                  linkStyle = GetWindowLongPtrA(GetDlgItem(dlg, IDC_ABOUT_LINK), GWL_STYLE);
                  PostKey(dlg, VK_RETURN);
              }),
              IDOK);
    const std::string expected = LoadResourceString(IDS_ABOUT_TEXT);
    EXPECT_GT(expected.size(), 800u);
    EXPECT_EQ(description, expected);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME) << "the other extended styles are kept";
    EXPECT_EQ(alpha, 192);
    EXPECT_EQ(layeredFlags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(focus, ok);
    EXPECT_EQ(afterOk, ok) << "Tab has nowhere to go but OK";
    EXPECT_FALSE(linkStyle & WS_TABSTOP);
    EXPECT_TRUE(linkStyle & SS_NOTIFY) << "the link was made";
}

TEST_F(AboutTest, EndsWithTheCommandOfTheKeyOrButton) {
    const struct {
        const char* name;
        std::function<void(HWND)> act;
        INT_PTR result;
    } endings[] = {
        {"Enter", [](HWND dlg) { PostKey(dlg, VK_RETURN); }, IDOK},
        {"Escape", [](HWND dlg) { PostKey(dlg, VK_ESCAPE); }, IDCANCEL},
        {"close box", [](HWND dlg) { PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
        {"OK button", [](HWND dlg) { PostMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0); }, IDOK},
    };
    for (const auto& e : endings) {
        EXPECT_EQ(ShowAbout(e.act), e.result) << e.name;
        EXPECT_FALSE(IsWindow(aboutDialog)) << e.name;
    }
    EXPECT_TRUE(IsWindow(hwndFrame));
}

TEST_F(AboutTest, EachClickOnTheLinkHandsTheContactUrlToTheMailHandlerAndNothingElseDoes) {
    InstallMailRecorder();
    std::string beforeClicks, afterFirstClick;
    bool openAfterClicks = false;
    EXPECT_EQ(ShowAbout([&](HWND dlg) {
                  HWND link = GetDlgItem(dlg, IDC_ABOUT_LINK);
                  // The link's other notifications, and a click on another control, open nothing.
                  SendMessageA(link, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
                  for (WORD code : {STN_DISABLE, STN_ENABLE})
                      SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LINK, code),
                                   reinterpret_cast<LPARAM>(link));
                  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_TEXT, STN_CLICKED), 0);
                  WaitForChildProcesses();
                  beforeClicks = Recorded();
                  for (int click = 0; click < 2; ++click) {
                      SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                      SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
                      WaitForChildProcesses();
                      if (click == 0) afterFirstClick = Recorded();
                  }
                  openAfterClicks = IsWindowVisible(dlg);
                  PostKey(dlg, VK_ESCAPE);
              }),
              IDCANCEL);
    const std::string url = LoadResourceString(IDS_CONTACT_URL);
    ASSERT_EQ(url.rfind("mailto:", 0), 0u) << url;
    EXPECT_EQ(beforeClicks, "");
    EXPECT_EQ(afterFirstClick, url + "\n");
    EXPECT_EQ(Recorded(), url + "\n" + url + "\n");
    EXPECT_TRUE(openAfterClicks);
}

} // namespace
