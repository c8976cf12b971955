#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// Runs every pending message through the program's own loop code without blocking; WM_QUIT is swallowed.
// Returns true when a WM_QUIT went by.
bool PumpMessages();

// The command line as the program's start-up hands it over, then the queued messages.
void RunArgs(std::initializer_list<const char*> args);

HWND ActiveChild();

// The frame's command (IDM_NEW_LINES, IDM_NEW_BUBBLES) carried out, and the child it made.
HWND NewChild(UINT command);

// Children of the MDI client in z-order (top first).
std::vector<HWND> Children();

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// Texts of the menu bar's items, in order, mnemonics included.
std::vector<std::string> MenuBarTexts();

// Opens popup as the platform does (the frame grays, the active child enables) and reads the item's flags;
// MFT_RADIOCHECK among them marks a radio item.
UINT MenuState(HMENU popup, UINT command);

LRESULT SendFlag(HWND hwnd, const char* flag);

// Shift and Ctrl as GetKeyState sees them; every other key up.
void SetKeys(bool shift, bool ctrl);

// Ctrl+key pressed and released through the program's own loop, so the accelerators see it.
void PressCtrl(char key);

COLORREF Pixel(HWND hwnd, int x, int y);

// The pixels of a white width x height bitmap after draw has drawn on it, row by row.
std::vector<COLORREF> Snapshot(int width, int height, const std::function<void(HDC)>& draw);

// The client area as it is on the screen, or as the window paints it into a bitmap (WM_PRINTCLIENT).
std::vector<COLORREF> ClientPixels(HWND hwnd, bool printed = false);

// Subclasses a window to note every message it is sent, and can make it refuse WM_QUERYENDSESSION.
// Cleared when the test's frame goes.
struct Spy {
    WNDPROC original = nullptr;
    std::vector<std::pair<UINT, WPARAM>> seen;
    bool refuseClose = false;
    int Count(UINT msg, WPARAM wParam) const;
    int Count(UINT msg) const;
};
Spy& Watch(HWND hwnd);

// A frame made by the program's own start-up code, closed again after each test.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};
