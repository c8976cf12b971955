#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "common/child_windows.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using Pixels = std::vector<COLORREF>;

void Pump();            // every pending message through the program's own loop code, WM_QUIT dropped
void PumpFor(DWORD ms); // pumps, sleeping between rounds, for about ms
void RunArgs(std::initializer_list<const char*> args, bool pump = true); // as start-up hands them over
HWND NewChild(UINT command); // IDM_NEW_LINES or IDM_NEW_BUBBLES carried out by the frame
std::string Text(HWND hwnd);
UINT MenuState(HMENU popup, UINT command); // opened as the platform does: the frame grays, the child enables
void SetKeys(bool shift, bool ctrl);       // as GetKeyState sees them
int LiveGdiObjects();                      // of this process
Pixels Capture(HWND hwnd);                 // the client area as shown
Pixels Picture(int width, int height, const std::function<void(HDC)>& draw); // a model: draw on white

// A frame made by the program's own start-up code and nothing pumped yet; closed after each test.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};
