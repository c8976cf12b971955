#include "shell/core/split_rule.h"

#include <gtest/gtest.h>

// Found by argument-dependent lookup, so they live beside SplitRect in the global namespace.
static bool operator==(const SplitRect& a, const SplitRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

[[maybe_unused]] static void PrintTo(const SplitRect& r, std::ostream* os) {
    *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

struct SplitCase {
    const char* name;
    SplitRect active;
    bool made;
    SplitRect kept;
    SplitRect freed;
};

TEST(SplitRule, HalvesAcrossWhenTallerElseSideBySideAndRefusesHalvesBelowForty) {
    const SplitCase cases[] = {
        {"wide 400x300", {10, 20, 410, 320}, true, {10, 20, 210, 320}, {210, 20, 410, 320}},
        {"tall 300x401 keeps the odd pixel", {0, 0, 300, 401}, true, {0, 0, 300, 201}, {0, 201, 300, 401}},
        {"square cuts side by side", {0, 0, 300, 300}, true, {0, 0, 150, 300}, {150, 0, 300, 300}},
        {"79 wide gives a 39 half", {0, 0, 79, 60}, false, {}, {}},
        {"80x79 gives two 40 wide", {5, 5, 85, 84}, true, {5, 5, 45, 84}, {45, 5, 85, 84}},
        {"60x79 would give 39 high", {0, 0, 60, 79}, false, {}, {}},
        {"odd width 401 keeps 201", {0, 0, 401, 100}, true, {0, 0, 201, 100}, {201, 0, 401, 100}},
        {"negative origin", {-30, -10, 70, 90}, true, {-30, -10, 20, 90}, {20, -10, 70, 90}},
        {"wide but too flat", {0, 0, 400, 39}, false, {}, {}},
    };
    for (const SplitCase& c : cases) {
        const Split s = SplitWindowRect(c.active);
        EXPECT_EQ(s.made, c.made) << c.name;
        if (!c.made) continue;
        EXPECT_EQ(s.kept, c.kept) << c.name;
        EXPECT_EQ(s.freed, c.freed) << c.name;
    }
}

TEST(SplitRule, FourWindowsInAnEmptyClientHalveTheNewestEachTime) {
    SplitRect newest{0, 0, 800, 600};
    const SplitRect expected[] = {{400, 0, 800, 600}, {400, 300, 800, 600}, {600, 300, 800, 600}};
    const SplitRect keptExpected[] = {{0, 0, 400, 600}, {400, 0, 800, 300}, {400, 300, 600, 600}};
    for (int i = 0; i < 3; ++i) {
        const Split s = SplitWindowRect(newest);
        ASSERT_TRUE(s.made);
        EXPECT_EQ(s.kept, keptExpected[i]) << i;
        EXPECT_EQ(s.freed, expected[i]) << i;
        newest = s.freed;
    }
}

} // namespace
