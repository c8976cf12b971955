#pragma once
#include <windows.h>

// What the shell and the child windows share: class names, the animation timer, and small helpers.

inline constexpr char kFrameClass[] = "MDISeeThruMainWind";
inline constexpr char kLinesClass[] = "LinesWind";
inline constexpr char kBubblesClass[] = "BubblesWind";

// Every child animates on a window timer of its own: this identifier, this period.
inline constexpr UINT_PTR kChildTimer = 1;
inline constexpr UINT kChildTimerMs = 16;

// The active MDI child, or null.
HWND ActiveChild();

// The window a new child was split off from, when it is a window of className made on this thread. Only
// then is the record it carries a pointer into this process; any other window is no source.
HWND SourceWindowOfClass(const CREATESTRUCTA* cs, const char* className);

void EnableCommand(HMENU popup, UINT command);
void CheckCommand(HMENU popup, UINT command, bool checked);

// The popup that the frame shows in the bar while a child is active; the frame sets it on each child.
HMENU GetChildMenu(HWND child);
void SetChildMenu(HWND child, HMENU popup);
void RemoveChildMenu(HWND child);

SIZE ClientSize(HWND hwnd);
