#pragma once
#include <windows.h>

// Process-wide state of the shell, alive for the whole run. Only the shell writes it.
extern HINSTANCE hInst;
extern HWND hwndFrame;
extern HWND hwndClient;
extern HMENU hmenuFrame;
extern HMENU hmenuFile;
extern HMENU hmenuLines;
extern HMENU hmenuBubbles;
extern HMENU hmenuHelp;
extern HMENU hmenuInserted;
// The popups' titles, terminator included.
inline constexpr int kPopupTitleChars = 32;
extern char szLinesPopupTitle[kPopupTitleChars];
extern char szBubblesPopupTitle[kPopupTitleChars];
