#include "bubbles/core/bubbles_settings.h"

#include "bubbles/core/bubbles_motion.h"
#include "bubbles/core/bubbles_queue.h"
#include "common/core/flags.h"
#include "common/ids.h"

void InitBubblesData(BubblesData& data, uint32_t now, const BubblesData* source) {
    data.gravityTime = 0;
    data.defaultRadius = kDefaultRadius;
    data.designer = 1;
    data.yeastTime = ArmTick(now);
    if (source == nullptr) return;
    data.defaultRadius = source->defaultRadius;
    data.gravityTime = source->gravityTime;
    data.designer = source->designer;
    data.yeastTime = source->yeastTime;
}

void ToggleTickSetting(uint32_t& field, uint32_t now) { field = field != 0 ? 0 : ArmTick(now); }

void EraseAllBubbles(BubblesData& data) {
    data.count = 0;
    // A held index would point past the end and be queued again by EndDrag.
    data.held = 0;
    RequeueAllBubbles(data);
}

void ChooseMouseMode(BubblesData& data, BubbleMouseMode mode) {
    data.modeFromMenu = 1;
    data.mouseMode = mode;
}

int BubblesFlagCommand(const char* flag) {
    static const char* const keywords[] = {"/make", "/gravity", "/design", "/yeast"};
    static const int commands[] = {IDM_BUBBLES_MAKE, IDM_BUBBLES_GRAVITY, IDM_BUBBLES_DESIGNER,
                                   IDM_BUBBLES_YEAST};
    const int i = MatchFlag(flag, keywords, 4);
    return i < 0 ? 0 : commands[i];
}
