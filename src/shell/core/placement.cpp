#include "shell/core/placement.h"

Split SplitWindowRect(const SplitRect& r) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    Split s{false, r, r};
    if (h > w) {
        s.freed.top = r.bottom - h / 2;
        s.kept.bottom = s.freed.top;
    } else {
        s.freed.left = r.right - w / 2;
        s.kept.right = s.freed.left;
    }
    s.made = s.freed.right - s.freed.left >= kMinimumHalf && s.freed.bottom - s.freed.top >= kMinimumHalf;
    return s;
}
