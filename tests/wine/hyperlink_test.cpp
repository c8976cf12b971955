#include "about/hyperlink.h"

#include "common/gdi.h"
#include "harness.h"

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

constexpr int kFirstLink = 101;
constexpr int kSecondLink = 102;
constexpr int kPlainStatic = 103;
constexpr int kNoFontStatic = 104;

// A dialog template assembled in memory, so these tests need no resource of their own.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, short cx, short cy) {
        AddDword(style);
        AddDword(0);         // extended style
        words_.push_back(0); // item count, filled in by AddStatic
        for (short v : {short(0), short(0), cx, cy})
            words_.push_back(static_cast<WORD>(v));
        words_.push_back(0); // no menu
        words_.push_back(0); // the dialog class
        AddText(L"Hyperlink test");
        words_.push_back(8); // point size: DS_SETFONT
        AddText(L"MS Shell Dlg");
    }

    void AddStatic(WORD id, DWORD style, short x, short y, short cx, short cy, const wchar_t* text) {
        if (words_.size() % 2) words_.push_back(0); // items start on a DWORD boundary
        AddDword(style);
        AddDword(0);
        for (short v : {x, y, cx, cy})
            words_.push_back(static_cast<WORD>(v));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(0x0082); // Static
        AddText(text);
        words_.push_back(0); // no creation data
        ++words_[4];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void AddDword(DWORD v) {
        words_.push_back(LOWORD(v));
        words_.push_back(HIWORD(v));
    }
    void AddText(const wchar_t* text) {
        do
            words_.push_back(static_cast<WORD>(*text));
        while (*text++);
    }
    std::vector<WORD> words_;
};

struct Notification {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Notification> notifications;
HBRUSH dialogBrush = nullptr;

INT_PTR CALLBACK TestDlgProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE;
    case WM_COMMAND: notifications.push_back({wParam, lParam}); return TRUE;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), kPlainColour);
        return reinterpret_cast<INT_PTR>(dialogBrush);
    }
    return FALSE;
}

// Sees every message sent to a window of this thread before its procedure does.
std::function<void(const CWPSTRUCT&)> messageObserver;
LRESULT CALLBACK ObserveSentMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && messageObserver) messageObserver(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LONG_PTR WindowProcOf(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWLP_WNDPROC); }
LONG_PTR LinkProcAddress(WNDPROC proc) { return reinterpret_cast<LONG_PTR>(proc); }
HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)); }
HANDLE Property(HWND hwnd, const char* name) { return GetPropA(hwnd, name); }

LOGFONTA FontDescription(HGDIOBJ font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}

void ExpectUnderlinedCopyOf(HGDIOBJ underlined, HGDIOBJ original) {
    LOGFONTA expected = FontDescription(original);
    expected.lfUnderline = 1;
    LOGFONTA actual = FontDescription(underlined);
    EXPECT_EQ(actual.lfHeight, expected.lfHeight);
    EXPECT_EQ(actual.lfWeight, expected.lfWeight);
    EXPECT_EQ(actual.lfItalic, expected.lfItalic);
    EXPECT_EQ(actual.lfUnderline, 1);
    EXPECT_EQ(actual.lfCharSet, expected.lfCharSet);
    EXPECT_STREQ(actual.lfFaceName, expected.lfFaceName);
}

// Draws the control's client area into a bitmap of our own and counts the pixels of one colour:
// the static asks its parent for colours exactly as it does when it paints on the screen.
int CountPixels(HWND control, COLORREF colour) {
    RECT rc{};
    GetClientRect(control, &rc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    int count = 0;
    {
        SelectionScope keep(dc, bitmap.get());
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const DWORD* pixel = static_cast<const DWORD*>(bits);
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        for (int i = 0; i < rc.right * rc.bottom; ++i)
            count += (pixel[i] & 0xFFFFFF) == wanted;
    }
    DeleteDC(dc);
    return count;
}

class HyperlinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        notifications.clear();
        dialogBrush = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        DialogTemplate tmpl(WS_POPUP | WS_CAPTION | DS_SETFONT, 200, 80);
        tmpl.AddStatic(kFirstLink, WS_CHILD | WS_VISIBLE | WS_GROUP, 10, 10, 80, 10, L"first link");
        tmpl.AddStatic(kSecondLink, WS_CHILD | WS_VISIBLE | WS_GROUP, 10, 30, 80, 10, L"second link");
        tmpl.AddStatic(kPlainStatic, WS_CHILD | WS_VISIBLE | WS_GROUP, 10, 50, 80, 10, L"plain text");
        dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), tmpl.get(), nullptr, TestDlgProc, 0);
        ASSERT_NE(dialog, nullptr);
        first = GetDlgItem(dialog, kFirstLink);
        second = GetDlgItem(dialog, kSecondLink);
        plain = GetDlgItem(dialog, kPlainStatic);
        dialogProc = WindowProcOf(dialog);
        staticProc = WindowProcOf(first);
        dialogFont = FontOf(first);
        ASSERT_NE(dialogFont, nullptr);
        // Keep the real pointer away from the dialog so that only our own messages move it.
        SetCursorPos(0, 0);
        SetWindowPos(dialog, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(dialog, SW_SHOWNA);
        UpdateWindow(dialog);
        hook = SetWindowsHookExA(WH_CALLWNDPROC, ObserveSentMessages, nullptr, GetCurrentThreadId());
    }

    void TearDown() override {
        messageObserver = nullptr;
        if (hook) UnhookWindowsHookEx(hook);
        if (GetCapture()) ReleaseCapture();
        if (IsWindow(dialog)) DestroyWindow(dialog);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    void MakeBothLinks() {
        ASSERT_TRUE(MakeDlgItemLink(dialog, kFirstLink));
        ASSERT_TRUE(MakeDlgItemLink(dialog, kSecondLink));
    }

    // Paints whatever is pending in the control and says how often it was painted and erased.
    struct Repaint {
        int paints = 0;
        int erases = 0;
    };
    Repaint RepaintNow(HWND control) {
        Repaint seen;
        messageObserver = [&](const CWPSTRUCT& m) {
            if (m.hwnd != control) return;
            seen.paints += m.message == WM_PAINT;
            seen.erases += m.message == WM_ERASEBKGND;
        };
        UpdateWindow(control);
        messageObserver = nullptr;
        return seen;
    }

    static bool HasPendingPaint(HWND control) { return GetUpdateRect(control, nullptr, FALSE) != FALSE; }

    static void MoveTo(HWND control, int x, int y) {
        SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }

    HWND dialog = nullptr;
    HWND first = nullptr;
    HWND second = nullptr;
    HWND plain = nullptr;
    LONG_PTR dialogProc = 0;
    LONG_PTR staticProc = 0;
    HFONT dialogFont = nullptr;
    HHOOK hook = nullptr;
};

TEST_F(HyperlinkTest, TwoLinksSubclassTheParentOnceAndEachControlOnce) {
    const LONG_PTR styleBefore = GetWindowLongPtrA(first, GWL_STYLE);
    MakeBothLinks();

    EXPECT_EQ(WindowProcOf(dialog), LinkProcAddress(LinkParentSubclassProc));
    // Had the second link subclassed the parent again, this would name our own procedure.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(Property(dialog, kOriginalProc)), dialogProc);
    for (HWND link : {first, second}) {
        SCOPED_TRACE(link == first ? "first link" : "second link");
        EXPECT_EQ(WindowProcOf(link), LinkProcAddress(LinkControlSubclassProc));
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(Property(link, kOriginalProc)), staticProc);
        EXPECT_EQ(Property(link, kOriginalFont), dialogFont);
        EXPECT_EQ(Property(link, kFromStatic), reinterpret_cast<HANDLE>(1));
        ExpectUnderlinedCopyOf(Property(link, kUnderlineFont), dialogFont);
        // The font stays until the pointer arrives.
        EXPECT_EQ(FontOf(link), dialogFont);
    }
    EXPECT_EQ(GetWindowLongPtrA(first, GWL_STYLE), styleBefore | SS_NOTIFY);
    EXPECT_EQ(WindowProcOf(plain), staticProc);
}

TEST_F(HyperlinkTest, LinksAreDarkBlueOtherStaticsKeepTheirColourAndEveryoneKeepsTheBrush) {
    MakeBothLinks();
    struct Case {
        const char* name;
        HWND control;
        COLORREF textColour;
    };
    for (const Case& c : {Case{"first link", first, kLinkColour}, Case{"second link", second, kLinkColour},
                          Case{"plain static", plain, kPlainColour}}) {
        SCOPED_TRACE(c.name);
        HDC dc = CreateCompatibleDC(nullptr);
        LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(c.control));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(dialogBrush));
        EXPECT_EQ(GetTextColor(dc), c.textColour);
        DeleteDC(dc);

        const COLORREF otherColour = c.textColour == kLinkColour ? kPlainColour : kLinkColour;
        EXPECT_GT(CountPixels(c.control, c.textColour), 0);
        EXPECT_EQ(CountPixels(c.control, otherColour), 0);
    }
}

TEST_F(HyperlinkTest, TheHandShowsAsSoonAsTheLinkIsAskedForACursor) {
    MakeBothLinks();
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SendMessageA(first, WM_SETCURSOR, reinterpret_cast<WPARAM>(first),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), hand);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(FontOf(first), dialogFont);
}

// Points outside the link, in its client coordinates, from each side.
struct ExitPoint {
    const char* name;
    int dx; // -1: left of the control, 0: inside, 1: right of it
    int dy;
};
void PrintTo(const ExitPoint& p, std::ostream* os) { *os << p.name; }

class HyperlinkHoverTest : public HyperlinkTest, public ::testing::WithParamInterface<ExitPoint> {};

TEST_P(HyperlinkHoverTest, FirstMoveUnderlinesInsideMovesRepaintNothingAndLeavingRestores) {
    MakeBothLinks();
    RECT rc{};
    GetClientRect(first, &rc);
    HFONT underline = static_cast<HFONT>(Property(first, kUnderlineFont));
    ASSERT_FALSE(HasPendingPaint(first));

    MoveTo(first, 1, 1);
    EXPECT_EQ(FontOf(first), underline);
    EXPECT_EQ(GetCapture(), first);
    EXPECT_TRUE(HasPendingPaint(first));
    Repaint entry = RepaintNow(first);
    EXPECT_EQ(entry.paints, 1);
    EXPECT_EQ(entry.erases, 0);

    for (POINT p : {POINT{0, 0}, POINT{rc.right - 1, rc.bottom - 1}, POINT{rc.right / 2, rc.bottom / 2}}) {
        MoveTo(first, p.x, p.y);
        EXPECT_FALSE(HasPendingPaint(first)) << p.x << "," << p.y;
        EXPECT_EQ(GetCapture(), first);
        EXPECT_EQ(FontOf(first), underline);
    }

    const ExitPoint& exit = GetParam();
    const int x = exit.dx < 0 ? -1 : exit.dx > 0 ? rc.right : rc.right / 2;
    const int y = exit.dy < 0 ? -1 : exit.dy > 0 ? rc.bottom : rc.bottom / 2;
    MoveTo(first, x, y);
    EXPECT_EQ(FontOf(first), dialogFont);
    EXPECT_NE(GetCapture(), first);
    Repaint leaving = RepaintNow(first);
    EXPECT_EQ(leaving.paints, 1);
    EXPECT_EQ(leaving.erases, 0);
    // The other link never took part.
    EXPECT_EQ(FontOf(second), dialogFont);
}

INSTANTIATE_TEST_SUITE_P(Sides, HyperlinkHoverTest,
                         ::testing::Values(ExitPoint{"Left", -1, 0}, ExitPoint{"Above", 0, -1},
                                           ExitPoint{"Right", 1, 0}, ExitPoint{"Below", 0, 1},
                                           ExitPoint{"DiagonallyBelowRight", 1, 1}),
                         [](const ::testing::TestParamInfo<ExitPoint>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(HyperlinkTest, AMoveAfterAnotherWindowTookTheCaptureTakesItBack) {
    MakeBothLinks();
    MoveTo(first, 1, 1);
    SetCapture(plain);
    MoveTo(first, 2, 2);
    EXPECT_EQ(GetCapture(), first);
    EXPECT_EQ(FontOf(first), static_cast<HFONT>(Property(first, kUnderlineFont)));
}

TEST_F(HyperlinkTest, DestroyingWhileUnderlinedRestoresTheFontBeforeDeletingTheUnderline) {
    MakeBothLinks();
    MoveTo(first, 1, 1);
    HGDIOBJ underline = Property(first, kUnderlineFont);
    ASSERT_EQ(FontOf(first), underline);

    struct FontChange {
        WPARAM font;
        DWORD underlineType; // OBJ_FONT while the underlined font still exists
    };
    std::vector<FontChange> fontChanges;
    struct Remains {
        HWND window;
        LONG_PTR proc;
        std::vector<std::string> properties;
    };
    std::vector<Remains> atNcDestroy;
    bool parentRestoredBeforeLink = false;
    messageObserver = [&](const CWPSTRUCT& m) {
        if (m.hwnd == first && m.message == WM_SETFONT)
            fontChanges.push_back({m.wParam, GetObjectType(underline)});
        if (m.hwnd == first && m.message == WM_DESTROY)
            parentRestoredBeforeLink = WindowProcOf(dialog) == dialogProc && !Property(dialog, kOriginalProc);
        if (m.message == WM_NCDESTROY) {
            Remains r{m.hwnd, WindowProcOf(m.hwnd), {}};
            for (const char* name : kLinkProperties)
                if (Property(m.hwnd, name)) r.properties.push_back(name);
            atNcDestroy.push_back(r);
        }
    };
    DestroyWindow(dialog);
    messageObserver = nullptr;

    ASSERT_EQ(fontChanges.size(), 1u);
    EXPECT_EQ(fontChanges[0].font, reinterpret_cast<WPARAM>(dialogFont));
    EXPECT_EQ(fontChanges[0].underlineType, static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(GetObjectType(underline), 0u) << "the underlined font outlived its link";
    EXPECT_TRUE(parentRestoredBeforeLink);

    for (HWND window : {dialog, first, second}) {
        bool seen = false;
        for (const Remains& r : atNcDestroy) {
            if (r.window != window) continue;
            seen = true;
            EXPECT_EQ(r.proc, window == dialog ? dialogProc : staticProc);
            EXPECT_TRUE(r.properties.empty()) << r.properties.front();
        }
        EXPECT_TRUE(seen);
    }
}

TEST_F(HyperlinkTest, ALinkWithoutAFontOfItsOwnUnderlinesTheDefaultGuiFont) {
    HWND bare =
        CreateWindowExA(0, "STATIC", "no font", WS_CHILD | WS_VISIBLE, 10, 70, 100, 16, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNoFontStatic)), nullptr, nullptr);
    ASSERT_NE(bare, nullptr);
    ASSERT_EQ(FontOf(bare), nullptr);
    ASSERT_TRUE(MakeDlgItemLink(dialog, kNoFontStatic));

    EXPECT_EQ(Property(bare, kOriginalFont), nullptr);
    HGDIOBJ underline = Property(bare, kUnderlineFont);
    ASSERT_NE(underline, nullptr);
    ExpectUnderlinedCopyOf(underline, GetStockObject(DEFAULT_GUI_FONT));

    MoveTo(bare, 1, 1);
    EXPECT_EQ(FontOf(bare), underline);
    MoveTo(bare, -1, -1);
    EXPECT_EQ(FontOf(bare), nullptr);
    EXPECT_GT(CountPixels(bare, kLinkColour), 0);
    DestroyWindow(bare);
    EXPECT_EQ(GetObjectType(underline), 0u);
}

TEST_F(HyperlinkTest, EveryNotificationFromTheLinkReachesTheParentUnchanged) {
    // Before it is a link the static is transparent to clicks.
    SendMessageA(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(first, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(notifications.empty());

    MakeBothLinks();
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        WORD code;
    };
    const Case cases[] = {
        {"click", [](HWND w) { SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)); }, STN_CLICKED},
        {"double click", [](HWND w) { SendMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1)); },
         STN_DBLCLK},
        {"disable", [](HWND w) { EnableWindow(w, FALSE); }, STN_DISABLE},
        {"enable", [](HWND w) { EnableWindow(w, TRUE); }, STN_ENABLE},
    };
    for (HWND link : {first, second}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            notifications.clear();
            c.act(link);
            ASSERT_EQ(notifications.size(), 1u);
            EXPECT_EQ(notifications[0].wParam, MAKEWPARAM(GetDlgCtrlID(link), c.code));
            EXPECT_EQ(notifications[0].lParam, reinterpret_cast<LPARAM>(link));
        }
    }
    // A command of any kind passes the parent's subclass untouched.
    notifications.clear();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFirstLink, 0x1234), 0x5678);
    ASSERT_EQ(notifications.size(), 1u);
    EXPECT_EQ(notifications[0].wParam, MAKEWPARAM(kFirstLink, 0x1234));
    EXPECT_EQ(notifications[0].lParam, 0x5678);
}

TEST_F(HyperlinkTest, MakingTheSameControlALinkTwiceChangesNothing) {
    MakeBothLinks();
    HANDLE underline = Property(first, kUnderlineFont);
    EXPECT_TRUE(MakeStaticLink(first));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(Property(first, kOriginalProc)), staticProc);
    EXPECT_EQ(Property(first, kUnderlineFont), underline);
    // A procedure that called itself would never come back from this.
    EXPECT_EQ(SendMessageA(first, WM_GETTEXTLENGTH, 0, 0), 10);
}

TEST_F(HyperlinkTest, AStaticWithoutParentIsStillALink) {
    HWND lone =
        CreateWindowExA(0, "STATIC", "alone", WS_POPUP, 0, 0, 60, 16, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(lone, nullptr);
    EXPECT_TRUE(MakeStaticLink(lone));
    EXPECT_EQ(WindowProcOf(lone), LinkProcAddress(LinkControlSubclassProc));
    EXPECT_EQ(Property(lone, kFromStatic), reinterpret_cast<HANDLE>(1));
    HGDIOBJ underline = Property(lone, kUnderlineFont);
    EXPECT_NE(underline, nullptr);
    DestroyWindow(lone);
    EXPECT_EQ(GetObjectType(underline), 0u);
}

} // namespace
