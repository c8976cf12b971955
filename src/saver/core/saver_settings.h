#pragma once
#include <cstdint>

#include "bubbles/core/bubbles_data.h"

enum SaverShow : uint32_t { kShowLines, kShowBubbles };

// Style numbers 0 to 4 are the Lines window's styles; this one takes each in turn, one per figure.
inline constexpr int kSaverCycleStyles = 5;

struct SaverSettings {
    SaverShow show = kShowLines;
    int style = kSaverCycleStyles;
    int bubbleCount = 40;
    bool gravity = false;
    bool yeast = true;
};

// The stored values, in this order, all numbers (DWORDs).
inline constexpr int kSaverValueCount = 5;
extern const char* const saverValueNames[kSaverValueCount];

// A stored value as read: usable when it exists and is a number of the right type and size.
struct StoredValue {
    bool usable;
    uint32_t number;
};

// Each value that is unusable or out of its range gives that setting's default; the others are kept.
SaverSettings SettingsFromStored(const StoredValue (&stored)[kSaverValueCount]);
void SettingsToStored(const SaverSettings& settings, uint32_t (&numbers)[kSaverValueCount]);

// A count typed into the settings, brought into the range a window can hold.
int ClampBubbleCount(int count);
