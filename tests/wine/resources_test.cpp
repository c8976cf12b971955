// Reads the program's resources back through the platform, as the program itself loads them.
#include "harness.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>

#include "common/ids.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

TEST(ResourceMenu, BarHoldsTheFivePopupsWithTheirItemsAndNoInitialState) {
    // Each popup's title, then its items as "text=id"; "-" is a separator.
    const std::vector<std::vector<std::string>> expected = {
        {"&File", "New &Lines\tCtrl+L=40022", "New &Bubbles\tCtrl+B=40023", "&Close=40001", "-",
         "E&xit=40002"},
        {"&Lines", "&Erase Behind=40004", "&Repeat\tCtrl+R=40005", "S&tep\tCtrl+T=40006", "-", "&Lines=40007",
         "&Boxes=40008", "&Ovals=40009", "L&issajous=40010", "&Plot=40011"},
        {"&Bubbles", "&Make Bubble\tCtrl+M=40013", "&Erase All Bubbles=40024", "-", "&Gravity=40014",
         "&Designer=40015", "&Yeast=40016", "-", "M&ove=40025", "&Pop\tShift=40026", "G&row\tCtrl=40027"},
        {"&Window", "&Tile=40018", "&Cascade=40019", "Arrange &Icons=40020", "Close &All=40021"},
        {"&Help", "&About Derodazo=40017"},
    };
    // An item as the platform reads it back: its text, its identifier unless it opens a popup, and any type
    // or state. Template separators, which the platform marks disabled itself, are nothing but "-".
    const auto describe = [](HMENU menu, int position) {
        char text[128] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, position, TRUE, &info);
        if (info.fType == MFT_SEPARATOR && info.wID == 0) return std::string("-");
        std::string item = text;
        if (!info.hSubMenu) item.append("=").append(std::to_string(info.wID));
        if (info.fType) item.append(" type ").append(std::to_string(info.fType));
        if (info.fState) item.append(" state ").append(std::to_string(info.fState));
        return item;
    };
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(bar, nullptr);
    std::vector<std::vector<std::string>> actual;
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
        actual.push_back({describe(bar, p)});
        HMENU popup = GetSubMenu(bar, p);
        for (int i = 0; popup && i < GetMenuItemCount(popup); ++i)
            actual.back().push_back(describe(popup, i));
    }
    EXPECT_EQ(actual, expected);
    DestroyMenu(bar);
}

TEST(ResourceAccelerators, AreFiveCtrlLettersInTheirStoredOrder) {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ACCEL entries[6] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 6), 5);
    const std::pair<WORD, WORD> expected[] = {{'B', IDM_NEW_BUBBLES},
                                              {'L', IDM_NEW_LINES},
                                              {'M', IDM_BUBBLES_MAKE},
                                              {'R', IDM_LINES_REPEAT},
                                              {'T', IDM_LINES_STEP}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(entries[i].fVirt, FVIRTKEY | FCONTROL | FNOINVERT) << i;
        EXPECT_EQ(std::make_pair(entries[i].key, entries[i].cmd), expected[i]) << i;
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
        const std::string whole = LoadText(c.id, 8192);
        EXPECT_LT(whole.size(), static_cast<size_t>(c.buffer))
            << c.id << ": no room for the terminating null";
        EXPECT_EQ(LoadText(c.id, c.buffer), whole) << c.id;
        if (c.text) {
            EXPECT_EQ(whole, c.text);
        }
    }
    for (UINT unused : {0u, 9u, 15u}) {
        char buffer[8] = "x";
        EXPECT_EQ(LoadStringA(Module(), unused, buffer, sizeof buffer), 0) << "string " << unused;
    }
    // Four paragraphs, each broken from the next by a pair of lone carriage returns.
    const std::string about = LoadText(IDS_ABOUT_TEXT, 4096);
    EXPECT_EQ(about.size(), 883u);
    EXPECT_EQ(about.find('\n'), std::string::npos);
    EXPECT_EQ(std::count(about.begin(), about.end(), '\r'), 6);
    size_t breaks = 0;
    for (size_t at = about.find("\r\r"); at != std::string::npos; at = about.find("\r\r", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 3u);
    EXPECT_NE(about.find("\r\rWindows may be moved or re-sized;"), std::string::npos);
    EXPECT_NE(about.find("/gravity, /design, or /yeast flip those flags."), std::string::npos);
    EXPECT_EQ(LoadText(IDS_CONTACT_URL, 256).rfind("mailto:", 0), 0u);
}

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(ResourceDialog, AboutTemplateBuildsItsSevenControlsInOrder) {
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, InertDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(dialog), "About Derodazo");
    const LONG dialogStyle = static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & dialogStyle, dialogStyle);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "see-through is set by code";
    const LONG text = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT,
               icon = WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE;
    const struct {
        int id;
        const char* className;
        LONG style;
    } expected[] = {
        {-1, "static", icon},   {1000, "static", text},
        {1001, "static", text}, {IDOK, "button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {1004, "static", text}, {1005, "static", text},
        {1002, "static", icon},
    };
    size_t i = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++i) {
        ASSERT_LT(i, std::size(expected));
        std::string className = ClassName(c);
        for (char& ch : className)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(className, expected[i].className) << i;
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(c)), expected[i].id) << i;
        // The low word of a static's style is an enumeration, so the style is compared whole.
        EXPECT_EQ(GetWindowLongA(c, GWL_STYLE), expected[i].style) << i;
        if (expected[i].style == icon) {
            EXPECT_NE(SendMessageA(c, STM_GETICON, 0, 0), 0) << i;
        }
    }
    EXPECT_EQ(i, std::size(expected));
    const std::string title = WindowText(GetDlgItem(dialog, 1000)),
                      address = WindowText(GetDlgItem(dialog, 1005));
    EXPECT_EQ(title.rfind("Derodazo - ", 0), 0u) << title;
    EXPECT_EQ(std::count(title.begin(), title.end(), '\r'), 1) << "two lines";
    EXPECT_EQ(std::count(address.begin(), address.end(), '\r'), 2) << "a name and two lines of address";
    EXPECT_EQ((title + address).find('\n'), std::string::npos);
    EXPECT_EQ(LoadText(IDS_CONTACT_URL, 256), "mailto:" + WindowText(GetDlgItem(dialog, 1004)))
        << "the link opens what it shows";
    DestroyWindow(dialog);
}

// The version API, found at run time like any optional part of the platform.
template <typename F> F VersionFunction(const char* name) {
    static const HMODULE dll = LoadLibraryA("version.dll");
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

TEST(ResourceVersion, RecordNamesTheProductAndVersionOneZeroZeroSeven) {
    const auto sizeOf = VersionFunction<DWORD(WINAPI*)(LPCSTR, LPDWORD)>("GetFileVersionInfoSizeA");
    const auto read = VersionFunction<BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID)>("GetFileVersionInfoA");
    const auto query = VersionFunction<BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT)>("VerQueryValueA");
    ASSERT_TRUE(sizeOf && read && query);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::vector<char> block(sizeOf(path, nullptr));
    ASSERT_TRUE(read(path, 0, static_cast<DWORD>(block.size()), block.data()));
    const auto value = [&](const std::string& key) {
        std::pair<void*, UINT> found{nullptr, 0};
        query(block.data(), key.c_str(), &found.first, &found.second);
        return found;
    };

    const auto [fixedData, fixedSize] = value("\\");
    ASSERT_EQ(fixedSize, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, fixedData, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(std::vector<DWORD>({fixed.dwFileVersionMS, fixed.dwFileVersionLS, fixed.dwProductVersionMS,
                                  fixed.dwProductVersionLS, fixed.dwFileFlagsMask, fixed.dwFileFlags,
                                  fixed.dwFileOS, fixed.dwFileType, fixed.dwFileSubtype}),
              std::vector<DWORD>({0x00010000, 7, 0x00010000, 7, 0x3F, 0, VOS_NT_WINDOWS32, VFT_APP, 0}));

    const auto [translation, translationSize] = value("\\VarFileInfo\\Translation");
    ASSERT_EQ(translationSize, 4u);
    EXPECT_EQ(std::memcmp(translation, "\x09\x04\xB0\x04", 4), 0) << "U.S. English, Unicode";
    const auto text = [&](const std::string& key) {
        const void* data = value("\\StringFileInfo\\040904b0\\" + key).first;
        return data ? std::string(static_cast<const char*>(data)) : "(missing)";
    };
    const std::map<std::string, std::string> fixedTexts = {
        {"ProductName", "Derodazo"},   {"InternalName", "Derodazo"},
        {"FileVersion", "1, 0, 0, 7"}, {"ProductVersion", "1, 0, 0, 7"},
        {"LegalTrademarks", ""},       {"PrivateBuild", ""},
        {"SpecialBuild", ""},
    };
    for (const auto& [key, expected] : fixedTexts)
        EXPECT_EQ(text(key), expected) << key;
    for (const char* key : {"Comments", "CompanyName", "LegalCopyright", "OriginalFilename"}) {
        EXPECT_NE(text(key), "") << key;
        EXPECT_NE(text(key), "(missing)") << key;
    }
    EXPECT_EQ(text("FileDescription").rfind("Derodazo ", 0), 0u) << "the product name, then the edition";
    EXPECT_GT(text("FileDescription").size(), 9u);
}

// An image as rows of '#' black, '.' white and '?' anything else.
std::vector<std::string> Rows(const std::vector<COLORREF>& pixels, int width) {
    std::vector<std::string> rows;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % width == 0) rows.emplace_back();
        rows.back() += pixels[i] == RGB(0, 0, 0) ? '#' : pixels[i] == RGB(255, 255, 255) ? '.' : '?';
    }
    return rows;
}

std::vector<COLORREF> Drawn(HICON icon, int size) {
    return Snapshot(size, size,
                    [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); });
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

TEST(ResourceImages, IconsBitmapAndCursorsLoadWithTheirSizesAndFigures) {
    // The five-ring figure on a 17x17 grid: rings on a pitch of 6 in the cells of a glider.
    std::vector<std::string> cellsFigure(17, std::string(17, '.'));
    for (const auto& [row, column] :
         std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 0}, {1, 1}, {2, 1}}) {
        for (int k = 1; k <= 3; ++k) {
            cellsFigure[6 * row][6 * column + k] = cellsFigure[6 * row + 4][6 * column + k] = '#';
            cellsFigure[6 * row + k][6 * column] = cellsFigure[6 * row + k][6 * column + 4] = '#';
        }
    }
    const auto load = [](int id, int size) {
        return static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    };

    const auto large = Rows(Drawn(LoadIconA(Module(), MAKEINTRESOURCEA(IDI_APP)), 32), 32);
    EXPECT_EQ(large[7].substr(0, 16), "#.............#.") << "the large top-left bubble, white inside";
    EXPECT_EQ(large[0].substr(28), "....") << "the ground is transparent";
    for (const std::string& row : large)
        EXPECT_EQ(row.find('?'), std::string::npos) << "only black and white";
    HICON small = load(IDI_APP, 16);
    EXPECT_EQ(IconWidth(small), 16);
    const auto smallRows = Rows(Drawn(small, 16), 16);
    EXPECT_EQ(smallRows[3].substr(0, 8), "#......#");
    EXPECT_EQ(smallRows[0].substr(12), "....");

    HICON cells = load(IDI_CELLS, 0);
    EXPECT_EQ(IconWidth(cells), 17);
    EXPECT_EQ(Rows(Drawn(cells, 17), 17), cellsFigure) << "black rings, transparent elsewhere";
    HICON cellsSmall = load(IDI_CELLS_SMALL, 0);
    EXPECT_EQ(IconWidth(cellsSmall), 16);
    const auto grey = Drawn(cellsSmall, 16);
    EXPECT_EQ(grey[1 * 16 + 6], RGB(4, 4, 4)) << "outline of the top-middle cell";
    EXPECT_EQ(grey[6 * 16 + 7], RGB(119, 119, 119)) << "edge where the centre cell meets it";
    EXPECT_EQ(grey[7 * 16 + 7], RGB(255, 255, 255)) << "the disc is white inside";
    EXPECT_EQ(grey[0], RGB(255, 255, 255)) << "the ground is transparent";

    auto* bitmap =
        static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(IDB_CELLS), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(std::make_pair(info.bmWidth, info.bmHeight), std::make_pair(17L, 17L));
    const auto copied = Snapshot(17, 17, [&](HDC dc) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, 17, 17, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    });
    EXPECT_EQ(Rows(copied, 17), cellsFigure);
    DeleteObject(bitmap);

    const struct {
        int id;
        DWORD hotX, hotY;
        POINT black, clear;
    } cursors[] = {{IDCUR_POP, 0, 0, {13, 13}, {1, 0}}, {IDCUR_GROW, 7, 3, {7, 15}, {7, 3}}};
    for (const auto& c : cursors) {
        HCURSOR cursor = LoadCursorA(Module(), MAKEINTRESOURCEA(c.id));
        ICONINFO icon{};
        ASSERT_TRUE(GetIconInfo(cursor, &icon)) << c.id;
        EXPECT_FALSE(icon.fIcon);
        EXPECT_EQ(std::make_pair(icon.xHotspot, icon.yHotspot), std::make_pair(c.hotX, c.hotY)) << c.id;
        DeleteObject(icon.hbmMask);
        DeleteObject(icon.hbmColor);
        const auto rows = Rows(Drawn(cursor, 32), 32);
        EXPECT_EQ(rows[c.black.y][c.black.x], '#') << c.id;
        EXPECT_EQ(rows[c.clear.y][c.clear.x], '.') << c.id;
        EXPECT_EQ(rows[31], std::string(32, '.')) << c.id;
    }
}

// Every resource as "type/name/language"; the resource compiler numbers the images of cursors (1) and
// icons (3) itself, so their names are left out.
BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR found) {
    const auto text = [](LPCSTR id) {
        return IS_INTRESOURCE(id) ? std::to_string(reinterpret_cast<UINT_PTR>(id))
                                  : std::string("named ") + id;
    };
    const std::string t = text(type);
    reinterpret_cast<std::set<std::string>*>(found)->insert(
        t + "/" + (t == "1" || t == "3" ? "*" : text(name)) + "/" + std::to_string(language));
    return TRUE;
}
BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
    return EnumResourceLanguagesA(module, type, name, CollectLanguage, found);
}
BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR found) {
    return EnumResourceNamesA(module, type, CollectName, found);
}

TEST(ResourceSection, HoldsOnlyNumberedUsEnglishResourcesAndNoManifest) {
    std::set<std::string> found;
    EnumResourceTypesA(Module(), CollectType, reinterpret_cast<LONG_PTR>(&found));
    EXPECT_EQ(found, (std::set<std::string>{"1/*/1033", "2/105/1033", "3/*/1033", "4/101/1033", "5/103/1033",
                                            "6/1/1033", "9/102/1033", "12/108/1033", "12/109/1033",
                                            "14/104/1033", "14/106/1033", "14/110/1033", "16/1/1033"}));
}

} // namespace
