// Reads the program's resources back through the platform, as the program itself loads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/ids.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

struct MenuEntry {
    const char* text; // "" for a separator
    UINT id;
};

struct MenuPopup {
    const char* title;
    std::vector<MenuEntry> items;
};

const std::vector<MenuPopup>& ExpectedMenuBar() {
    static const std::vector<MenuPopup> bar = {
        {"&File",
         {{"New &Lines\tCtrl+L", IDM_NEW_LINES},
          {"New &Bubbles\tCtrl+B", IDM_NEW_BUBBLES},
          {"&Close", IDM_CLOSE},
          {"", 0},
          {"E&xit", IDM_EXIT}}},
        {"&Lines",
         {{"&Erase Behind", IDM_LINES_ERASE},
          {"&Repeat\tCtrl+R", IDM_LINES_REPEAT},
          {"S&tep\tCtrl+T", IDM_LINES_STEP},
          {"", 0},
          {"&Lines", IDM_STYLE_LINES},
          {"&Boxes", IDM_STYLE_BOXES},
          {"&Ovals", IDM_STYLE_OVALS},
          {"L&issajous", IDM_STYLE_LISSAJOUS},
          {"&Plot", IDM_STYLE_PLOT}}},
        {"&Bubbles",
         {{"&Make Bubble\tCtrl+M", IDM_BUBBLES_MAKE},
          {"&Erase All Bubbles", IDM_BUBBLES_ERASE_ALL},
          {"", 0},
          {"&Gravity", IDM_BUBBLES_GRAVITY},
          {"&Designer", IDM_BUBBLES_DESIGNER},
          {"&Yeast", IDM_BUBBLES_YEAST},
          {"", 0},
          {"M&ove", IDM_BUBBLES_MOVE},
          {"&Pop\tShift", IDM_BUBBLES_POP},
          {"G&row\tCtrl", IDM_BUBBLES_GROW}}},
        {"&Window",
         {{"&Tile", IDM_WINDOW_TILE},
          {"&Cascade", IDM_WINDOW_CASCADE},
          {"Arrange &Icons", IDM_WINDOW_ARRANGE},
          {"Close &All", IDM_WINDOW_CLOSE_ALL}}},
        {"&Help", {{"&About Derodazo", IDM_ABOUT}}},
    };
    return bar;
}

struct MenuItem {
    std::string text;
    MENUITEMINFOA info;
};

MenuItem ReadMenuItem(HMENU menu, int position) {
    MenuItem item{};
    char text[128] = "";
    item.info.cbSize = sizeof item.info;
    item.info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    item.info.dwTypeData = text;
    item.info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &item.info));
    item.text = text;
    item.info.dwTypeData = nullptr; // it pointed at the local buffer
    return item;
}

// Names the item in failure messages.
std::string Describe(const MenuItem& item) {
    return "\"" + item.text + "\" id " + std::to_string(item.info.wID);
}

TEST(ResourceMenu, BarHoldsTheFivePopupsWithTheirItemsAndNoInitialState) {
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(bar, nullptr);
    const auto& expected = ExpectedMenuBar();
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(expected.size()));
    for (size_t p = 0; p < expected.size(); ++p) {
        const MenuItem popup = ReadMenuItem(bar, static_cast<int>(p));
        EXPECT_EQ(popup.text, expected[p].title);
        EXPECT_EQ(popup.info.fType, static_cast<UINT>(MFT_STRING)) << "no right-aligned or broken popup";
        EXPECT_EQ(popup.info.fState, 0u) << expected[p].title;
        ASSERT_NE(popup.info.hSubMenu, nullptr) << expected[p].title;

        const auto& items = expected[p].items;
        ASSERT_EQ(GetMenuItemCount(popup.info.hSubMenu), static_cast<int>(items.size())) << expected[p].title;
        for (size_t i = 0; i < items.size(); ++i) {
            const MenuItem item = ReadMenuItem(popup.info.hSubMenu, static_cast<int>(i));
            SCOPED_TRACE(std::string(expected[p].title) + " item " + std::to_string(i) + ": " +
                         Describe(item));
            EXPECT_EQ(item.info.hSubMenu, nullptr);
            if (items[i].id == 0) {
                // The platform marks template separators disabled itself; only their kind matters.
                EXPECT_EQ(item.info.fType, static_cast<UINT>(MFT_SEPARATOR));
                EXPECT_EQ(item.info.wID, 0u);
                continue;
            }
            EXPECT_EQ(item.text, items[i].text);
            EXPECT_EQ(item.info.wID, items[i].id);
            EXPECT_EQ(item.info.fType, static_cast<UINT>(MFT_STRING));
            EXPECT_EQ(item.info.fState, 0u) << "nothing starts checked, greyed or disabled";
        }
    }
    DestroyMenu(bar);
}

TEST(ResourceAccelerators, AreFiveCtrlLettersInTheirStoredOrder) {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    const struct {
        WORD key;
        WORD command;
    } expected[] = {
        {'B', IDM_NEW_BUBBLES},  {'L', IDM_NEW_LINES},  {'M', IDM_BUBBLES_MAKE},
        {'R', IDM_LINES_REPEAT}, {'T', IDM_LINES_STEP},
    };
    ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 5);
    ACCEL entries[5] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 5), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(entries[i].fVirt, FVIRTKEY | FCONTROL | FNOINVERT);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].cmd, expected[i].command);
    }
    DestroyAcceleratorTable(table);
}

std::string LoadText(UINT id, int bufferSize) {
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\x7f');
    const int length = LoadStringA(Module(), id, buffer.data(), bufferSize);
    EXPECT_EQ(length, static_cast<int>(std::strlen(buffer.data()))) << "string " << id;
    return std::string(buffer.data(), static_cast<size_t>(std::max(length, 0)));
}

TEST(ResourceStrings, EachFitsTheBufferItIsLoadedInto) {
    const struct {
        UINT id;
        int buffer;       // the smallest buffer the program loads it into
        const char* text; // nullptr: checked below
    } cases[] = {
        {IDS_APP_TITLE, 64, "Derodazo"},        {IDS_ABOUT_TEXT, 4096, nullptr},
        {IDS_CONTACT_URL, 256, nullptr},        {IDS_STYLE_LINES, 64, "Lines"},
        {IDS_STYLE_BOXES, 64, "Boxes"},         {IDS_STYLE_OVALS, 64, "Ovals"},
        {IDS_STYLE_LISSAJOUS, 64, "Lissajous"}, {IDS_STYLE_PLOT, 64, "Plot"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("string " + std::to_string(c.id));
        const std::string whole = LoadText(c.id, 8192);
        ASSERT_FALSE(whole.empty());
        EXPECT_LT(whole.size(), static_cast<size_t>(c.buffer)) << "no room for the terminating null";
        EXPECT_EQ(LoadText(c.id, c.buffer), whole);
        if (c.text) {
            EXPECT_EQ(whole, c.text);
        }
    }
    for (UINT unused : {0u, 9u, 15u}) {
        char buffer[8] = "x";
        EXPECT_EQ(LoadStringA(Module(), unused, buffer, sizeof buffer), 0) << "string " << unused;
    }

    const std::string about = LoadText(IDS_ABOUT_TEXT, 4096);
    EXPECT_EQ(about.size(), 883u);
    EXPECT_EQ(about.find('\n'), std::string::npos);
    std::vector<std::string> paragraphs;
    for (size_t start = 0;;) {
        const size_t end = about.find("\r\r", start);
        paragraphs.push_back(about.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    ASSERT_EQ(paragraphs.size(), 4u);
    for (const auto& paragraph : paragraphs) {
        EXPECT_FALSE(paragraph.empty());
        EXPECT_EQ(paragraph.find('\r'), std::string::npos) << "only pairs of carriage returns break the text";
    }
    EXPECT_EQ(paragraphs[2].rfind("Windows may be moved or re-sized;", 0), 0u);
    EXPECT_NE(paragraphs[2].find("/gravity, /design, or /yeast flip those flags."), std::string::npos);

    const std::string url = LoadText(IDS_CONTACT_URL, 256);
    EXPECT_EQ(url.rfind("mailto:", 0), 0u);
    EXPECT_NE(url.find('@'), std::string::npos);
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(ResourceDialog, AboutTemplateBuildsItsSevenControlsInOrder) {
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, InertDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    char caption[64] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "About Derodazo");
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    const LONG dialogStyle = static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    EXPECT_EQ(style & dialogStyle, dialogStyle);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_LAYERED, 0)
        << "see-through is set by code, not template";

    const struct {
        int id;
        const char* className;
        LONG style;
    } expected[] = {
        {-1, "Static", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE},
        {1000, "Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
        {1001, "Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
        {IDOK, "Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {1004, "Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
        {1005, "Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT},
        {1002, "Static", WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE},
    };
    std::vector<HWND> controls;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        controls.push_back(c);
    ASSERT_EQ(controls.size(), std::size(expected));
    for (size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        char className[32] = "";
        GetClassNameA(controls[i], className, sizeof className);
        EXPECT_STRCASEEQ(className, expected[i].className);
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(controls[i]))), expected[i].id);
        // The low word of a static's style is an enumeration, so it is compared whole.
        const LONG controlStyle = GetWindowLongA(controls[i], GWL_STYLE);
        EXPECT_EQ(controlStyle & 0xFFFF, expected[i].style & 0xFFFF);
        EXPECT_EQ(controlStyle & 0xFFFF0000, expected[i].style & 0xFFFF0000);
    }
    EXPECT_NE(SendMessageA(controls[0], STM_GETICON, 0, 0), 0) << "icon 104 reached the control";
    EXPECT_NE(SendMessageA(controls[6], STM_GETICON, 0, 0), 0) << "icon 106 reached the control";

    char text[256] = "";
    GetDlgItemTextA(dialog, 1000, text, sizeof text);
    EXPECT_EQ(std::strncmp(text, "Derodazo - ", 11), 0) << text;
    EXPECT_EQ(std::count(text, text + std::strlen(text), '\r'), 1) << "two lines";
    EXPECT_EQ(std::strchr(text, '\n'), nullptr);
    GetDlgItemTextA(dialog, 1005, text, sizeof text);
    EXPECT_EQ(std::count(text, text + std::strlen(text), '\r'), 2) << "a name and two lines of address";
    EXPECT_EQ(std::strchr(text, '\n'), nullptr);
    GetDlgItemTextA(dialog, 1004, text, sizeof text);
    EXPECT_EQ(LoadText(IDS_CONTACT_URL, 256), std::string("mailto:") + text)
        << "the link opens what it shows";
    DestroyWindow(dialog);
}

// A reader for the nested key/value records of a version resource.
struct VersionNode {
    std::string key;
    const BYTE* value = nullptr;
    size_t valueBytes = 0;
    bool text = false;
    std::vector<VersionNode> children;
};

size_t Align4(size_t offset) { return (offset + 3) & ~size_t{3}; }

std::string Narrow(const WCHAR* text, size_t maxChars) {
    std::string out;
    for (size_t i = 0; i < maxChars && text[i]; ++i)
        out += static_cast<char>(text[i]);
    return out;
}

VersionNode ParseVersionNode(const BYTE* base, size_t offset, size_t limit) {
    VersionNode node;
    WORD length = 0, valueLength = 0, type = 0;
    std::memcpy(&length, base + offset, 2);
    std::memcpy(&valueLength, base + offset + 2, 2);
    std::memcpy(&type, base + offset + 4, 2);
    const size_t end = std::min(offset + length, limit);
    const auto* key = reinterpret_cast<const WCHAR*>(base + offset + 6);
    node.key = Narrow(key, (end - offset - 6) / 2);
    size_t cursor = Align4(offset + 6 + 2 * (node.key.size() + 1));
    node.text = type == 1;
    node.value = base + cursor;
    node.valueBytes = node.text ? 2u * valueLength : valueLength;
    cursor = Align4(cursor + node.valueBytes);
    while (cursor + 6 <= end) {
        WORD childLength = 0;
        std::memcpy(&childLength, base + cursor, 2);
        if (childLength == 0) break;
        node.children.push_back(ParseVersionNode(base, cursor, end));
        cursor = Align4(cursor + childLength);
    }
    return node;
}

const VersionNode* Child(const VersionNode& node, const std::string& key) {
    for (const auto& c : node.children)
        if (c.key == key) return &c;
    return nullptr;
}

TEST(ResourceVersion, RecordNamesTheProductAndVersionOneZeroZeroSeven) {
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)); // RT_VERSION
    ASSERT_NE(found, nullptr);
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    ASSERT_NE(base, nullptr);
    const VersionNode root = ParseVersionNode(base, 0, SizeofResource(Module(), found));
    EXPECT_EQ(root.key, "VS_VERSION_INFO");
    ASSERT_EQ(root.valueBytes, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00000007u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00000007u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);

    const VersionNode* strings = Child(root, "StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& block = strings->children[0];
    EXPECT_EQ(block.key, "040904b0");
    std::map<std::string, std::string> values;
    for (const auto& entry : block.children) {
        EXPECT_TRUE(entry.text || entry.valueBytes == 0) << entry.key;
        values[entry.key] = Narrow(reinterpret_cast<const WCHAR*>(entry.value), entry.valueBytes / 2);
    }
    const std::map<std::string, std::string> fixedValues = {
        {"ProductName", "Derodazo"},   {"InternalName", "Derodazo"},
        {"FileVersion", "1, 0, 0, 7"}, {"ProductVersion", "1, 0, 0, 7"},
        {"LegalTrademarks", ""},       {"PrivateBuild", ""},
        {"SpecialBuild", ""},
    };
    for (const auto& [key, value] : fixedValues) {
        ASSERT_EQ(values.count(key), 1u) << key;
        EXPECT_EQ(values[key], value) << key;
    }
    for (const char* key : {"Comments", "CompanyName", "LegalCopyright", "OriginalFilename"}) {
        ASSERT_EQ(values.count(key), 1u) << key;
        EXPECT_FALSE(values[key].empty()) << key;
    }
    EXPECT_EQ(values["FileDescription"].rfind("Derodazo ", 0), 0u) << "the product name, then the edition";
    EXPECT_GT(values["FileDescription"].size(), 9u);

    const VersionNode* variables = Child(root, "VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = Child(*variables, "Translation");
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->valueBytes, 4u);
    WORD pair[2];
    std::memcpy(pair, translation->value, sizeof pair);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 1200);
}

// A white 32-bit surface to draw images on and read pixels back from.
class Canvas {
  public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 32;
        info.bmiHeader.biHeight = -32;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        PatBlt(dc_, 0, 0, 32, 32, WHITENESS);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    // Each of `rows` as a string: '#' black, '.' white, '?' anything else.
    std::vector<std::string> Read(int width, int height) const {
        std::vector<std::string> rows;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                const COLORREF c = GetPixel(dc_, x, y);
                row += c == RGB(0, 0, 0) ? '#' : c == RGB(255, 255, 255) ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

std::vector<std::string> Drawn(HICON icon, int width, int height) {
    Canvas canvas;
    EXPECT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL));
    return canvas.Read(width, height);
}

// The five-ring figure on a 17x17 grid: rings on a pitch of 6 in the cells of a glider.
std::vector<std::string> CellsFigure() {
    std::vector<std::string> rows(17, std::string(17, '.'));
    const int cells[][2] = {{0, 1}, {0, 2}, {1, 0}, {1, 1}, {2, 1}};
    for (const auto& cell : cells) {
        const int top = 6 * cell[0], left = 6 * cell[1];
        for (int k = 1; k <= 3; ++k) {
            rows[top][left + k] = rows[top + 4][left + k] = '#';
            rows[top + k][left] = rows[top + k][left + 4] = '#';
        }
    }
    return rows;
}

std::string Joined(const std::vector<std::string>& rows) {
    std::string out = "\n";
    for (const auto& r : rows)
        out += r + "\n";
    return out;
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    const bool colour = info.hbmColor != nullptr;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return {mask.bmWidth, colour ? mask.bmHeight : mask.bmHeight / 2};
}

TEST(ResourceImages, IconsBitmapAndCursorsLoadWithTheirSizesAndFigures) {
    HICON app = LoadIconA(Module(), MAKEINTRESOURCEA(IDI_APP));
    ASSERT_NE(app, nullptr);
    const auto large = Drawn(app, 32, 32);
    EXPECT_EQ(large[7].substr(0, 16), "#.............#.") << "the large top-left bubble, white inside";
    EXPECT_EQ(large[0].substr(28), "....") << "the ground is transparent";
    const std::string largeText = Joined(large);
    EXPECT_EQ(std::count(largeText.begin(), largeText.end(), '?'), 0) << "only black and white";

    auto* small = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(IconSize(small).cx, 16);
    const auto smallRows = Drawn(small, 16, 16);
    EXPECT_EQ(smallRows[3].substr(0, 8), "#......#");
    EXPECT_EQ(smallRows[0].substr(12), "....");
    DestroyIcon(small);

    auto* cells = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDI_CELLS), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(IconSize(cells).cx, 17);
    EXPECT_EQ(Joined(Drawn(cells, 17, 17)), Joined(CellsFigure())) << "black rings, transparent elsewhere";
    DestroyIcon(cells);

    auto* cellsSmall =
        static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDI_CELLS_SMALL), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(cellsSmall, nullptr);
    EXPECT_EQ(IconSize(cellsSmall).cx, 16);
    {
        Canvas canvas;
        DrawIconEx(canvas.dc(), 0, 0, cellsSmall, 16, 16, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(GetPixel(canvas.dc(), 6, 1), RGB(4, 4, 4)) << "outline of the top-middle cell";
        EXPECT_EQ(GetPixel(canvas.dc(), 7, 6), RGB(119, 119, 119)) << "edge where the centre cell meets it";
        EXPECT_EQ(GetPixel(canvas.dc(), 7, 7), RGB(255, 255, 255)) << "the disc is white inside";
        EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(255, 255, 255)) << "the ground is transparent";
    }
    DestroyIcon(cellsSmall);

    auto* bitmap =
        static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(IDB_CELLS), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    {
        Canvas canvas;
        HDC source = CreateCompatibleDC(canvas.dc());
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(canvas.dc(), 0, 0, 17, 17, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        EXPECT_EQ(Joined(canvas.Read(17, 17)), Joined(CellsFigure()));
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 17);
    EXPECT_EQ(info.bmHeight, 17);
    DeleteObject(bitmap);

    const struct {
        int id;
        DWORD hotX, hotY;
        POINT black, clear;
    } cursors[] = {
        {IDCUR_POP, 0, 0, {13, 13}, {1, 0}},
        {IDCUR_GROW, 7, 3, {7, 15}, {7, 3}},
    };
    for (const auto& c : cursors) {
        SCOPED_TRACE("cursor " + std::to_string(c.id));
        HCURSOR cursor = LoadCursorA(Module(), MAKEINTRESOURCEA(c.id));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, c.hotX);
        EXPECT_EQ(info.yHotspot, c.hotY);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        const auto rows = Drawn(cursor, 32, 32);
        EXPECT_EQ(rows[c.black.y][c.black.x], '#');
        EXPECT_EQ(rows[c.clear.y][c.clear.x], '.');
        EXPECT_EQ(rows[31], std::string(32, '.'));
    }
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR state) {
    reinterpret_cast<std::set<WORD>*>(state)->insert(language);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR state) {
    auto* found = reinterpret_cast<std::map<std::string, std::set<WORD>>*>(state);
    const std::string key = IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    EnumResourceLanguagesA(module, type, name, CollectLanguage, reinterpret_cast<LONG_PTR>(&(*found)[key]));
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR state) {
    auto* found = reinterpret_cast<std::map<UINT_PTR, std::map<std::string, std::set<WORD>>>*>(state);
    EXPECT_TRUE(IS_INTRESOURCE(type)) << "no resource type has a string name";
    if (!IS_INTRESOURCE(type)) return TRUE;
    const auto number = reinterpret_cast<UINT_PTR>(type);
    EnumResourceNamesA(module, type, CollectName, reinterpret_cast<LONG_PTR>(&(*found)[number]));
    return TRUE;
}

TEST(ResourceSection, HoldsOnlyNumberedUsEnglishResourcesAndNoManifest) {
    std::map<UINT_PTR, std::map<std::string, std::set<WORD>>> found;
    EnumResourceTypesA(Module(), CollectType, reinterpret_cast<LONG_PTR>(&found));
    const std::map<UINT_PTR, std::set<std::string>> expected = {
        {1, {}}, // RT_CURSOR images: numbered by the resource compiler
        {2, {"105"}},
        {3, {}}, // RT_ICON images
        {4, {"101"}},
        {5, {"103"}},
        {6, {"1"}}, // the string block holding 1 to 8
        {9, {"102"}},
        {12, {"108", "109"}},
        {14, {"104", "106", "110"}},
        {16, {"1"}},
    };
    std::set<UINT_PTR> types;
    for (const auto& [type, names] : found)
        types.insert(type);
    std::set<UINT_PTR> expectedTypes;
    for (const auto& [type, names] : expected)
        expectedTypes.insert(type);
    EXPECT_EQ(types, expectedTypes) << "in particular no RT_MANIFEST (24)";
    for (const auto& [type, names] : found) {
        const auto want = expected.find(type);
        std::set<std::string> nameSet;
        for (const auto& [name, languages] : names) {
            nameSet.insert(name);
            EXPECT_TRUE(name.find_first_not_of("0123456789") == std::string::npos) << "named " << name;
            EXPECT_EQ(languages, std::set<WORD>{0x0409}) << "type " << type << " name " << name;
        }
        if (want != expected.end() && !want->second.empty()) {
            EXPECT_EQ(nameSet, want->second) << "type " << type;
        }
    }
    EXPECT_EQ(FindResourceA(Module(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);
}

} // namespace
