#pragma once

// Screen rectangles and points as plain numbers, so the centring rule is testable without a window.
struct CenterRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct CenterPoint {
    int x;
    int y;
};

// Top-left corner that centres a box of width x height in outer. Each halving truncates toward zero,
// and the result is not clamped to any screen: a window centred on a half-hidden one is half-hidden too.
CenterPoint CenteredTopLeft(const CenterRect& outer, int width, int height);
