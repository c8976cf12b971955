#pragma once
#include <windows.h>

// The arrow, pin and ring cursors, loaded by the first Bubbles window and kept for the run.
void LoadBubbleCursors();

// Takes the mode from Shift and Ctrl unless a press or the menu holds it; shows its cursor if asked.
void UpdateMouseMode(HWND hwnd, bool setCursor);

LRESULT BubblesOnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);
void BubblesOnKey(HWND hwnd, WPARAM key, LPARAM lParam);
void BubblesOnLButtonDown(HWND hwnd, LPARAM lParam);
void BubblesOnMouseMove(HWND hwnd, WPARAM keys, LPARAM lParam);
void BubblesOnLButtonUp(HWND hwnd);
// Ends a press whatever ended it: release, lost capture, activation.
void BubblesEndDrag(HWND hwnd);
