#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using Pixels = std::vector<COLORREF>;

// Every pending message through the program's own loop code, without blocking; true if a WM_QUIT went by.
bool Pump();

// The command line as start-up hands it over, then the queued messages.
void RunArgs(std::initializer_list<const char*> args);

HWND Active();
HWND NewChild(UINT command);  // the frame's IDM_NEW_LINES or IDM_NEW_BUBBLES, and the child it made
std::vector<HWND> Children(); // children of the MDI client, top first
std::string Text(HWND hwnd);
std::vector<std::string> MenuBar(); // the bar's item texts in order

// Opens the popup as the platform does (the frame grays, the active child enables); the item's type and
// state.
UINT MenuState(HMENU popup, UINT command);

void SetKeys(bool shift, bool ctrl); // as GetKeyState sees them
void PressCtrl(char key);            // down and up through the program's loop, so accelerators see it

// What the window shows, and a model: a white width x height picture after draw has drawn on it.
Pixels Capture(HWND hwnd);
Pixels Picture(int width, int height, const std::function<void(HDC)>& draw);
size_t Differing(const Pixels& a, const Pixels& b); // pixels that differ, all of them if the sizes do

// Counts the messages a window is sent; can make it refuse WM_QUERYENDSESSION.
struct Spy {
    WNDPROC original = nullptr;
    std::vector<UINT> seen;
    bool refuseClose = false;
};
Spy& Watch(HWND hwnd);

// A frame made by the program's own start-up code, closed again after each test.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};
