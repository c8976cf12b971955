#include "shell/core/split_rule.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::tuple<int, int, int, int> Box(const SplitRect& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST(SplitRule, HalvesAcrossWhenTallerElseSideBySideAndRefusesHalvesBelowForty) {
    const struct {
        const char* name;
        SplitRect active;
        bool made;
        SplitRect kept, freed;
    } cases[] = {
        {"wide 400x300", {10, 20, 410, 320}, true, {10, 20, 210, 320}, {210, 20, 410, 320}},
        {"tall 300x401 keeps the odd pixel", {0, 0, 300, 401}, true, {0, 0, 300, 201}, {0, 201, 300, 401}},
        {"square cuts side by side", {0, 0, 300, 300}, true, {0, 0, 150, 300}, {150, 0, 300, 300}},
        {"odd width 401 keeps 201", {0, 0, 401, 100}, true, {0, 0, 201, 100}, {201, 0, 401, 100}},
        {"80x79 gives two 40 wide", {5, 5, 85, 84}, true, {5, 5, 45, 84}, {45, 5, 85, 84}},
        {"negative origin", {-30, -10, 70, 90}, true, {-30, -10, 20, 90}, {20, -10, 70, 90}},
        {"79 wide gives a 39 half", {0, 0, 79, 60}, false, {}, {}},
        {"60x79 would give 39 high", {0, 0, 60, 79}, false, {}, {}},
        {"wide but too flat", {0, 0, 400, 39}, false, {}, {}},
    };
    for (const auto& c : cases) {
        const Split s = SplitWindowRect(c.active);
        EXPECT_EQ(s.made, c.made) << c.name;
        if (!c.made) continue;
        EXPECT_EQ(Box(s.kept), Box(c.kept)) << c.name;
        EXPECT_EQ(Box(s.freed), Box(c.freed)) << c.name;
    }
}

} // namespace
