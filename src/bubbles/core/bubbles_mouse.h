#pragma once
#include "bubbles/core/bubbles_surface.h"
#include "bubbles/core/bubbles_data.h"

// The mode follows the keys, Shift for Pop and Ctrl (without Shift) for Grow, unless a press is under way or
// the mode was chosen from the menu.
void UpdateMouseModeFromKeys(BubblesData& data, bool shiftDown, bool ctrlDown);

// Finds the first bubble whose centre lies closer to (x, y) than its radius and holds it;
// returns its index, or 0.
int HitTestBubbles(BubblesData& data, float x, float y);

// A left-button press: hit test, then pop at once in Pop mode. True when the window should
// capture the mouse (Move and Grow, hit or not).
bool PressBubbles(BubblesData& data, BubbleSurface& surface, float x, float y);

// Erases the held bubble, closes the gap and queues everything again.
void PopHeldBubble(BubblesData& data, BubbleSurface& surface);

// A mouse move during a press: moves or resizes the held bubble according to the mode.
void DragHeldBubble(BubblesData& data, BubbleSurface& surface, float x, float y);

// Lets go of the held bubble (queued so that the edges pull it back in) and ends the press.
void EndDrag(BubblesData& data);
