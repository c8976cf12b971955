#pragma once
#include <cstdint>

#include "bubbles/core/bubbles_data.h"

// The settings a new window starts with: Gravity off, Designer and Yeast on, radius 20; or the four
// settings of the Bubbles window it was split off from. Bubbles, queue and mouse state start empty.
void InitBubblesData(BubblesData& data, uint32_t now, const BubblesData* source);

// Gravity and Yeast are switched by their tick fields: 0 is off, on stores the current tick.
void ToggleTickSetting(uint32_t& field, uint32_t now);

void EraseAllBubbles(BubblesData& data);

// A mouse mode chosen from the menu holds until Shift or Ctrl goes down or up.
void ChooseMouseMode(BubblesData& data, BubbleMouseMode mode);

// The command that a slash flag from the command line stands for, or 0 when it names none.
int BubblesFlagCommand(const char* flag);
