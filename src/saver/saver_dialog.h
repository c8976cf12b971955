#pragma once
#include <windows.h>

// The settings dialog: OK stores what it shows, Cancel stores nothing. Texts come from the module that
// holds the dialog's template.
INT_PTR CALLBACK SaverSettingsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

INT_PTR RunSaverSettings(HINSTANCE instance, HWND owner);
