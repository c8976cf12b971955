#pragma once

// A window rectangle in the MDI client's coordinates.
struct SplitRect {
    int left, top, right, bottom;
};

struct Split {
    bool made;       // false: the halves would fall below the minimum, nothing is cut
    SplitRect kept;  // what the active child keeps
    SplitRect freed; // the new window's half
};

constexpr int kMinimumHalf = 40;

// Halves a window across when it is taller than wide, else side by side; the kept part takes the odd pixel.
Split SplitWindowRect(const SplitRect& r);
