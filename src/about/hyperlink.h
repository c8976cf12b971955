#pragma once
#include <windows.h>

// Turns a static text control into a link: dark-blue text, the hand cursor, underlined while hovered.
// Clicks reach the parent as STN_CLICKED from the static itself. Everything the link needs lives in
// window properties on the static and its parent, and both windows undo it when they are destroyed.

BOOL MakeStaticLink(HWND hwndStatic);
BOOL MakeDlgItemLink(HWND hwndDlg, int controlId);
