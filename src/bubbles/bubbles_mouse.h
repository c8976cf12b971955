#pragma once
#include <windows.h>

// The arrow, pin and ring cursors, loaded by the first Bubbles window and kept for the run.
void LoadBubbleCursors();

LRESULT BubblesOnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);
void BubblesOnKey(HWND hwnd, WPARAM key, LPARAM lParam);
void BubblesOnLButtonDown(HWND hwnd, LPARAM lParam);
void BubblesOnMouseMove(HWND hwnd, WPARAM keys, LPARAM lParam);
void BubblesOnLButtonUp(HWND hwnd);
// Ends a press whatever ended it: release, lost capture, activation.
void BubblesEndDrag(HWND hwnd);
