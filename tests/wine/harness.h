#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// Runs every pending message through the program's own loop code without blocking; WM_QUIT is swallowed.
// Returns true when a WM_QUIT went by.
bool PumpMessages();

// The command line as the program's start-up hands it over, then the queued messages.
void RunArgs(std::initializer_list<const char*> args);

HWND ActiveChild();

// Children of the MDI client in z-order (top first).
std::vector<HWND> Children();

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// Texts of the menu bar's items, in order, mnemonics included.
std::vector<std::string> MenuBarTexts();

// A frame made by the program's own start-up code, closed again after each test.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HACCEL accelerators = nullptr;
};
