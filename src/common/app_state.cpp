#include "common/app_state.h"

HINSTANCE hInst = nullptr;
HWND hwndFrame = nullptr;
HWND hwndClient = nullptr;
HMENU hmenuFrame = nullptr;
HMENU hmenuFile = nullptr;
HMENU hmenuLines = nullptr;
HMENU hmenuBubbles = nullptr;
HMENU hmenuHelp = nullptr;
HMENU hmenuInserted = nullptr;
char szLinesPopupTitle[kPopupTitleChars] = "";
char szBubblesPopupTitle[kPopupTitleChars] = "";
