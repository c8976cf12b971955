#pragma once

// What the Bubbles windows of the process have done, read by the benchmarks: relaxation steps, bubble
// draws asked for by the motion and the mouse, and bubble pictures actually put on a device context.
struct BubbleWorkCounts {
    long long steps = 0;
    long long draws = 0;
    long long drawn = 0;
};

inline BubbleWorkCounts bubbleWork;
