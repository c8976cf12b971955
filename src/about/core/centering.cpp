#include "about/core/centering.h"

namespace {

// The sum is taken in 64 bits so that rectangles near the ends of the int range cannot overflow.
int CenteredStart(int low, int high, int extent) {
    return static_cast<int>((static_cast<long long>(low) + high) / 2 - extent / 2);
}

} // namespace

CenterPoint CenteredTopLeft(const CenterRect& outer, int width, int height) {
    return {CenteredStart(outer.left, outer.right, width), CenteredStart(outer.top, outer.bottom, height)};
}
