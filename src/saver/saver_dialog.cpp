#include "saver/saver_dialog.h"

#include <initializer_list>

#include "common/ids.h"
#include "saver/saver_ids.h"
#include "saver/saver_store.h"

namespace {

void AddStyleNames(HWND dlg) {
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dlg, GWLP_HINSTANCE));
    for (int style = 0; style <= kSaverCycleStyles; ++style) {
        char name[64] = "";
        LoadStringA(module, style == kSaverCycleStyles ? IDS_SAVER_CYCLE : IDS_STYLE_LINES + style, name,
                    sizeof name);
        SendDlgItemMessageA(dlg, IDC_SAVER_STYLE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
}

// Only the chosen show's controls can be changed.
void EnableForShow(HWND dlg) {
    const bool bubbles = IsDlgButtonChecked(dlg, IDC_SAVER_BUBBLES) == BST_CHECKED;
    EnableWindow(GetDlgItem(dlg, IDC_SAVER_STYLE), !bubbles);
    for (int id : {IDC_SAVER_COUNT, IDC_SAVER_GRAVITY, IDC_SAVER_YEAST})
        EnableWindow(GetDlgItem(dlg, id), bubbles);
}

void SettingsOnInit(HWND dlg) {
    const SaverSettings settings = LoadSaverSettings();
    AddStyleNames(dlg);
    SendDlgItemMessageA(dlg, IDC_SAVER_STYLE, CB_SETCURSEL, static_cast<WPARAM>(settings.style), 0);
    CheckRadioButton(dlg, IDC_SAVER_LINES, IDC_SAVER_BUBBLES,
                     settings.show == kShowBubbles ? IDC_SAVER_BUBBLES : IDC_SAVER_LINES);
    SendDlgItemMessageA(dlg, IDC_SAVER_COUNT, EM_LIMITTEXT, 3, 0);
    SetDlgItemInt(dlg, IDC_SAVER_COUNT, static_cast<UINT>(settings.bubbleCount), FALSE);
    CheckDlgButton(dlg, IDC_SAVER_GRAVITY, settings.gravity ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_SAVER_YEAST, settings.yeast ? BST_CHECKED : BST_UNCHECKED);
    EnableForShow(dlg);
}

// What cannot be read from a control (an empty count) stays as it was stored.
SaverSettings ReadSettings(HWND dlg) {
    SaverSettings settings = LoadSaverSettings();
    settings.show = IsDlgButtonChecked(dlg, IDC_SAVER_BUBBLES) == BST_CHECKED ? kShowBubbles : kShowLines;
    const LRESULT style = SendDlgItemMessageA(dlg, IDC_SAVER_STYLE, CB_GETCURSEL, 0, 0);
    if (style >= 0 && style <= kSaverCycleStyles) settings.style = static_cast<int>(style);
    BOOL read = FALSE;
    const UINT count = GetDlgItemInt(dlg, IDC_SAVER_COUNT, &read, FALSE);
    if (read) settings.bubbleCount = ClampBubbleCount(count > 999 ? 999 : static_cast<int>(count));
    settings.gravity = IsDlgButtonChecked(dlg, IDC_SAVER_GRAVITY) == BST_CHECKED;
    settings.yeast = IsDlgButtonChecked(dlg, IDC_SAVER_YEAST) == BST_CHECKED;
    return settings;
}

void SettingsOnCommand(HWND dlg, int id) {
    switch (id) {
    case IDOK:
        SaveSaverSettings(ReadSettings(dlg));
        EndDialog(dlg, IDOK);
        break;
    case IDCANCEL: EndDialog(dlg, IDCANCEL); break;
    case IDC_SAVER_LINES:
    case IDC_SAVER_BUBBLES: EnableForShow(dlg); break;
    }
}

} // namespace

INT_PTR CALLBACK SaverSettingsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: SettingsOnInit(dlg); return TRUE;
    case WM_COMMAND: SettingsOnCommand(dlg, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

INT_PTR RunSaverSettings(HINSTANCE instance, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SAVER_SETTINGS), owner, SaverSettingsDlgProc, 0);
}
