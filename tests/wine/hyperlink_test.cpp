#include "about/hyperlink.h"

#include "harness.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char kOriginalProc[] = "_Hyperlink_Original_Proc_";
constexpr char kOriginalFont[] = "_Hyperlink_Original_Font_";
constexpr char kUnderlineFont[] = "_Hyperlink_Underline_Font_";
constexpr char kFromStatic[] = "_Hyperlink_From_Static_";
constexpr const char* kLinkProperties[] = {kOriginalProc, kOriginalFont, kUnderlineFont, kFromStatic};

constexpr COLORREF kLinkColour = RGB(0, 0, 192);
constexpr COLORREF kPlainColour = RGB(0, 128, 0);

std::vector<std::pair<WPARAM, LPARAM>> notifications;
HBRUSH parentBrush = nullptr;

// The parent colours its statics green on grey and notes every command it receives.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: notifications.emplace_back(wParam, lParam); return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), kPlainColour);
        return reinterpret_cast<LRESULT>(parentBrush);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Sees every message sent to a window of this thread before its procedure does.
std::function<void(const CWPSTRUCT&)> messageObserver;
LRESULT CALLBACK ObserveSentMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && messageObserver) messageObserver(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LONG_PTR ProcOf(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWLP_WNDPROC); }
LONG_PTR Address(WNDPROC proc) { return reinterpret_cast<LONG_PTR>(proc); }
HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)); }
HANDLE Property(HWND hwnd, const char* name) { return GetPropA(hwnd, name); }
void MoveTo(HWND control, int x, int y) {
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}
bool HasPendingPaint(HWND control) { return GetUpdateRect(control, nullptr, FALSE) != FALSE; }

int CountPixels(HWND control, COLORREF colour) {
    const std::vector<COLORREF> pixels =
        ClientPixels(control, true); // the static asks its parent for colours
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

void ExpectUnderlinedCopyOf(HGDIOBJ underlined, HGDIOBJ original) {
    LOGFONTA expected{}, actual{};
    GetObjectA(original, sizeof expected, &expected);
    GetObjectA(underlined, sizeof actual, &actual);
    expected.lfUnderline = 1;
    EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0)
        << actual.lfFaceName << " " << actual.lfHeight;
}

class HyperlinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        notifications.clear();
        parentBrush = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        static const ATOM parentClass = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = ParentProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "HyperlinkTestParent";
            return RegisterClassA(&wc);
        }();
        ASSERT_NE(parentClass, 0);
        // Keep the real pointer away so that only our own messages move it.
        SetCursorPos(0, 0);
        parent = CreateWindowExA(0, "HyperlinkTestParent", "", WS_POPUP, 300, 300, 300, 120, nullptr, nullptr,
                                 nullptr, nullptr);
        parentProc = ProcOf(parent);
        font = CreateFontA(-13, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        first = AddStatic(1, 10, "first link");
        second = AddStatic(2, 40, "second link");
        plain = AddStatic(3, 70, "plain text");
        staticProc = ProcOf(first);
        ShowWindow(parent, SW_SHOWNA);
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        hook = SetWindowsHookExA(WH_CALLWNDPROC, ObserveSentMessages, nullptr, GetCurrentThreadId());
    }

    void TearDown() override {
        messageObserver = nullptr;
        UnhookWindowsHookEx(hook);
        if (GetCapture()) ReleaseCapture();
        if (IsWindow(parent)) DestroyWindow(parent);
        DeleteObject(font);
    }

    HWND AddStatic(int id, int y, const char* text) {
        HWND w = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, 10, y, 120, 20, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        return w;
    }

    void MakeBothLinks() {
        ASSERT_TRUE(MakeDlgItemLink(parent, 1));
        ASSERT_TRUE(MakeStaticLink(second));
    }

    // Paints whatever is pending in the control and says how often it was painted and erased.
    std::pair<int, int> RepaintNow(HWND control) {
        int paints = 0, erases = 0;
        messageObserver = [&](const CWPSTRUCT& m) {
            paints += m.hwnd == control && m.message == WM_PAINT;
            erases += m.hwnd == control && m.message == WM_ERASEBKGND;
        };
        UpdateWindow(control);
        messageObserver = nullptr;
        return {paints, erases};
    }

    HWND parent = nullptr, first = nullptr, second = nullptr, plain = nullptr;
    LONG_PTR parentProc = 0, staticProc = 0;
    HFONT font = nullptr;
    HHOOK hook = nullptr;
};

TEST_F(HyperlinkTest, TwoLinksSubclassTheParentOnceAndEachControlOnceHoweverOftenAsked) {
    const LONG_PTR styleBefore = GetWindowLongPtrA(first, GWL_STYLE);
    MakeBothLinks();
    HANDLE underline = Property(first, kUnderlineFont);
    EXPECT_TRUE(MakeStaticLink(first));
    EXPECT_EQ(Property(first, kUnderlineFont), underline);

    EXPECT_EQ(ProcOf(parent), Address(LinkParentSubclassProc));
    // Had the second link subclassed the parent again, this would name our own procedure.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(Property(parent, kOriginalProc)), parentProc);
    for (HWND link : {first, second}) {
        SCOPED_TRACE(link == first ? "first link" : "second link");
        EXPECT_EQ(ProcOf(link), Address(LinkControlSubclassProc));
        EXPECT_EQ(Property(link, kOriginalFont), font);
        ExpectUnderlinedCopyOf(Property(link, kUnderlineFont), font);
        EXPECT_EQ(FontOf(link), font) << "the font stays until the pointer arrives";
        // A procedure that called itself would never come back from this.
        EXPECT_EQ(SendMessageA(link, WM_GETTEXTLENGTH, 0, 0), link == first ? 10 : 11);
    }
    EXPECT_EQ(GetWindowLongPtrA(first, GWL_STYLE), styleBefore | SS_NOTIFY);
    EXPECT_EQ(ProcOf(plain), staticProc);
}

TEST_F(HyperlinkTest, LinksAreDarkBlueOtherStaticsKeepTheirColourAndEveryoneKeepsTheBrush) {
    MakeBothLinks();
    for (HWND control : {first, second, plain}) {
        const COLORREF colour = control == plain ? kPlainColour : kLinkColour;
        HDC dc = CreateCompatibleDC(nullptr);
        const LRESULT brush = SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(parentBrush));
        EXPECT_EQ(GetTextColor(dc), colour);
        DeleteDC(dc);
        EXPECT_GT(CountPixels(control, colour), 0);
        EXPECT_EQ(CountPixels(control, colour == kLinkColour ? kPlainColour : kLinkColour), 0);
    }
}

TEST_F(HyperlinkTest, HandAtOnceUnderlineOnEntryAndTheFontBackOnLeavingOnAnySide) {
    MakeBothLinks();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(first, WM_SETCURSOR, reinterpret_cast<WPARAM>(first),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(FontOf(first), font);

    RECT rc{};
    GetClientRect(first, &rc);
    const HFONT underline = static_cast<HFONT>(Property(first, kUnderlineFont));
    const POINT exits[] = {{-1, rc.bottom / 2},
                           {rc.right / 2, -1},
                           {rc.right, rc.bottom / 2},
                           {rc.right / 2, rc.bottom},
                           {rc.right, rc.bottom}};
    for (POINT exit : exits) {
        SCOPED_TRACE("leaving at " + std::to_string(exit.x) + "," + std::to_string(exit.y));
        ASSERT_FALSE(HasPendingPaint(first));
        MoveTo(first, 1, 1);
        EXPECT_EQ(FontOf(first), underline);
        EXPECT_EQ(GetCapture(), first);
        EXPECT_EQ(RepaintNow(first), std::make_pair(1, 0)) << "repainted, without erasing";
        for (POINT p :
             {POINT{0, 0}, POINT{rc.right - 1, rc.bottom - 1}, POINT{rc.right / 2, rc.bottom / 2}}) {
            MoveTo(first, p.x, p.y);
            EXPECT_FALSE(HasPendingPaint(first)) << p.x << "," << p.y;
            EXPECT_EQ(GetCapture(), first);
        }
        SetCapture(plain); // someone else took it: the next move takes it back
        MoveTo(first, 2, 2);
        EXPECT_EQ(GetCapture(), first);
        EXPECT_EQ(FontOf(first), underline);
        RepaintNow(first);

        MoveTo(first, exit.x, exit.y);
        EXPECT_EQ(FontOf(first), font);
        EXPECT_NE(GetCapture(), first);
        EXPECT_EQ(RepaintNow(first), std::make_pair(1, 0));
        EXPECT_EQ(FontOf(second), font) << "the other link never took part";
    }
}

TEST_F(HyperlinkTest, DestroyingWhileUnderlinedRestoresTheFontBeforeDeletingTheUnderline) {
    MakeBothLinks();
    MoveTo(first, 1, 1);
    HGDIOBJ underline = Property(first, kUnderlineFont);
    ASSERT_EQ(FontOf(first), underline);

    std::vector<std::pair<WPARAM, DWORD>> fontChanges; // and whether the underline still existed
    std::vector<std::pair<HWND, LONG_PTR>> atNcDestroy;
    std::vector<std::string> leftOver;
    bool parentRestoredBeforeLink = false;
    messageObserver = [&](const CWPSTRUCT& m) {
        if (m.hwnd == first && m.message == WM_SETFONT)
            fontChanges.emplace_back(m.wParam, GetObjectType(underline));
        if (m.hwnd == first && m.message == WM_DESTROY)
            parentRestoredBeforeLink = ProcOf(parent) == parentProc && !Property(parent, kOriginalProc);
        if (m.message == WM_NCDESTROY) {
            atNcDestroy.emplace_back(m.hwnd, ProcOf(m.hwnd));
            for (const char* name : kLinkProperties)
                if (Property(m.hwnd, name)) leftOver.push_back(name);
        }
    };
    DestroyWindow(parent);
    messageObserver = nullptr;

    EXPECT_EQ(fontChanges,
              (std::vector<std::pair<WPARAM, DWORD>>{{reinterpret_cast<WPARAM>(font), OBJ_FONT}}));
    EXPECT_EQ(GetObjectType(underline), 0u) << "the underlined font outlived its link";
    EXPECT_TRUE(parentRestoredBeforeLink);
    for (HWND window : {parent, first, second}) {
        const auto seen = std::find_if(atNcDestroy.begin(), atNcDestroy.end(),
                                       [&](const auto& r) { return r.first == window; });
        ASSERT_NE(seen, atNcDestroy.end());
        EXPECT_EQ(seen->second, window == parent ? parentProc : staticProc);
    }
    EXPECT_TRUE(leftOver.empty()) << leftOver.front();
}

TEST_F(HyperlinkTest, ALinkWithoutAFontOrAParentUnderlinesTheDefaultGuiFont) {
    HWND bare = CreateWindowExA(0, "STATIC", "no font", WS_CHILD | WS_VISIBLE, 150, 10, 100, 16, parent,
                                nullptr, nullptr, nullptr);
    HWND lone =
        CreateWindowExA(0, "STATIC", "alone", WS_POPUP, 0, 0, 60, 16, nullptr, nullptr, nullptr, nullptr);
    for (HWND link : {bare, lone}) {
        ASSERT_EQ(FontOf(link), nullptr);
        ASSERT_TRUE(MakeStaticLink(link));
        EXPECT_EQ(ProcOf(link), Address(LinkControlSubclassProc));
        EXPECT_EQ(Property(link, kOriginalFont), nullptr);
        HGDIOBJ underline = Property(link, kUnderlineFont);
        ExpectUnderlinedCopyOf(underline, GetStockObject(DEFAULT_GUI_FONT));
        MoveTo(link, 1, 1);
        EXPECT_EQ(FontOf(link), underline);
        MoveTo(link, -1, -1);
        EXPECT_EQ(FontOf(link), nullptr);
        if (link == bare) {
            EXPECT_GT(CountPixels(bare, kLinkColour), 0);
        }
        DestroyWindow(link);
        EXPECT_EQ(GetObjectType(underline), 0u);
    }
}

TEST_F(HyperlinkTest, EveryNotificationFromTheLinkReachesTheParentUnchanged) {
    // Before it is a link the static is transparent to clicks.
    SendMessageA(second, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(second, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(notifications.empty());

    MakeBothLinks();
    const struct {
        const char* name;
        std::function<void(HWND)> act;
        WORD code;
    } cases[] = {
        {"click", [](HWND w) { SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)); }, STN_CLICKED},
        {"double click", [](HWND w) { SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1)); },
         STN_DBLCLK},
        {"disable", [](HWND w) { EnableWindow(w, FALSE); }, STN_DISABLE},
        {"enable", [](HWND w) { EnableWindow(w, TRUE); }, STN_ENABLE},
    };
    for (const auto& c : cases) {
        notifications.clear();
        c.act(second);
        EXPECT_EQ(notifications, (std::vector<std::pair<WPARAM, LPARAM>>{
                                     {MAKEWPARAM(2, c.code), reinterpret_cast<LPARAM>(second)}}))
            << c.name;
    }
}

} // namespace
