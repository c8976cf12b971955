#include "saver/core/saver_settings.h"

const char* const saverValueNames[kSaverValueCount] = {"Show", "Style", "Bubbles", "Gravity", "Yeast"};

namespace {

// The stored number when it is usable and within its range, else the fallback.
uint32_t StoredOrDefault(const StoredValue& value, uint32_t lowest, uint32_t highest, uint32_t fallback) {
    return value.usable && value.number >= lowest && value.number <= highest ? value.number : fallback;
}

} // namespace

SaverSettings SettingsFromStored(const StoredValue (&stored)[kSaverValueCount]) {
    const SaverSettings defaults;
    SaverSettings s;
    s.show = static_cast<SaverShow>(StoredOrDefault(stored[0], kShowLines, kShowBubbles, defaults.show));
    s.style = static_cast<int>(StoredOrDefault(stored[1], 0, kSaverCycleStyles, defaults.style));
    s.bubbleCount = static_cast<int>(StoredOrDefault(stored[2], 1, kMaxBubbles, defaults.bubbleCount));
    s.gravity = StoredOrDefault(stored[3], 0, 1, defaults.gravity ? 1 : 0) != 0;
    s.yeast = StoredOrDefault(stored[4], 0, 1, defaults.yeast ? 1 : 0) != 0;
    return s;
}

void SettingsToStored(const SaverSettings& settings, uint32_t (&numbers)[kSaverValueCount]) {
    numbers[0] = settings.show;
    numbers[1] = static_cast<uint32_t>(settings.style);
    numbers[2] = static_cast<uint32_t>(settings.bubbleCount);
    numbers[3] = settings.gravity ? 1 : 0;
    numbers[4] = settings.yeast ? 1 : 0;
}

int ClampBubbleCount(int count) { return count < 1 ? 1 : (count > kMaxBubbles ? kMaxBubbles : count); }
