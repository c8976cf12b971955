// The program's resources read back through the platform, as the program loads them.
#include "common/ids.h"
#include "harness.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

std::string Menu(HMENU menu) { // each item as "text=id", popups in brackets, separators as "-"
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        out.append(info.fType == MFT_SEPARATOR ? "-" : text);
        if (info.hSubMenu)
            out.append("[").append(Menu(info.hSubMenu)).append("]");
        else
            out.append("=").append(std::to_string(info.wID));
        out.append(info.fState & ~MFS_DISABLED ? "!" : "").append(i + 1 < GetMenuItemCount(menu) ? "|" : "");
    }
    return out;
}

TEST(Resources, MenuAcceleratorsStringsAndDialogReadBackAsTheProgramUsesThem) {
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
    EXPECT_EQ(
        Menu(bar),
        "&File[New &Lines\tCtrl+L=40022|New &Bubbles\tCtrl+B=40023|&Close=40001|-=0|E&xit=40002]|"
        "&Lines[&Erase Behind=40004|&Repeat\tCtrl+R=40005|S&tep\tCtrl+T=40006|-=0|&Lines=40007|&Boxes=40008|"
        "&Ovals=40009|L&issajous=40010|&Plot=40011]|"
        "&Bubbles[&Make Bubble\tCtrl+M=40013|&Erase All Bubbles=40024|-=0|&Gravity=40014|&Designer=40015|"
        "&Yeast=40016|-=0|M&ove=40025|&Pop\tShift=40026|G&row\tCtrl=40027]|"
        "&Window[&Tile=40018|&Cascade=40019|Arrange &Icons=40020|Close &All=40021]|"
        "&Help[&About Derodazo=40017]");
    DestroyMenu(bar);
    ACCEL keys[6] = {};
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_EQ(CopyAcceleratorTableA(table, keys, 6), 5);
    const std::pair<WORD, WORD> expected[] = {{'B', IDM_NEW_BUBBLES},
                                              {'L', IDM_NEW_LINES},
                                              {'M', IDM_BUBBLES_MAKE},
                                              {'R', IDM_LINES_REPEAT},
                                              {'T', IDM_LINES_STEP}};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(keys[i].fVirt == (FVIRTKEY | FCONTROL | FNOINVERT) &&
                    std::make_pair(keys[i].key, keys[i].cmd) == expected[i])
            << i;
    DestroyAcceleratorTable(table);

    const std::pair<UINT, std::string> strings[] = {
        {IDS_APP_TITLE, "Derodazo"}, {IDS_STYLE_LINES, "Lines"},         {IDS_STYLE_BOXES, "Boxes"},
        {IDS_STYLE_OVALS, "Ovals"},  {IDS_STYLE_LISSAJOUS, "Lissajous"}, {IDS_STYLE_PLOT, "Plot"}};
    char text[8192] = "";
    for (const auto& [id, expectedText] : strings) {
        LoadStringA(Module(), id, text, 64);
        EXPECT_EQ(text, expectedText);
    }
    EXPECT_EQ(LoadStringA(Module(), IDS_ABOUT_TEXT, text, sizeof text), 883) << "fits its 4096-byte buffer";
    EXPECT_EQ(std::string(text).find('\n'), std::string::npos) << "lines break with a lone carriage return";
    LoadStringA(Module(), IDS_CONTACT_URL, text, 256);
    EXPECT_EQ(std::string(text).rfind("mailto:", 0), 0u);

    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUT), nullptr, nullptr, 0);
    EXPECT_EQ(Text(dialog), "About Derodazo");
    int controls = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ++controls;
    EXPECT_EQ(controls, 7);
    EXPECT_EQ(std::string(text), "mailto:" + Text(GetDlgItem(dialog, IDC_ABOUT_LINK)));
    DestroyWindow(dialog);
}

} // namespace
