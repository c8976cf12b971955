#include "common/core/flags.h"
#include "common/core/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Random, FollowsTheLinearCongruentialFormulaForAnyBound) {
    // 0 gives 0 but still draws; 131075 is the largest bound whose product cannot overflow.
    constexpr int bounds[] = {0, 1, 9, 256, 1000, 131075};
    SeedRandom(0);
    EXPECT_EQ(NextRandom(), 38) << "the classic sequence";
    EXPECT_EQ(NextRandom(), 7719);
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu, 0x80000000u}) {
        SeedRandom(seed);
        uint32_t state = seed; // the generator written out independently of the code under test
        for (int i = 0; i < 1200; ++i) {
            state = state * 214013u + 2531011u;
            const uint32_t r = (state >> 16) & 0x7FFFu;
            const int n = bounds[i % 6];
            ASSERT_EQ(RandomBelow(n), static_cast<int>((static_cast<uint32_t>(n) * r) >> 15))
                << seed << " " << i;
        }
        EXPECT_EQ(GetRandomState(), state);
    }
}

TEST(FlagMatching, ArgumentNamesTheFirstKeywordItIsACaseInsensitiveAsciiPrefixOf) {
    static const char* const keywords[] = {"-lines", "-bubbles", "-next"};
    const std::pair<const char*, int> cases[] = {
        {"-lines", 0}, {"-LINES", 0},   {"-Li", 0},    {"-", 0},        {"", 0},
        {"-b", 1},     {"-BuBbLeS", 1}, {"-ne", 2},    {"-linesx", -1}, {"lines", -1},
        {"/make", -1}, {"-lines ", -1}, {"-\xCC", -1}, // bytes above 0x7F never equal a letter
    };
    for (const auto& [arg, index] : cases)
        EXPECT_EQ(MatchFlag(arg, keywords, 3), index) << '"' << arg << '"';
    EXPECT_FALSE(FlagMatches("\xC9", "\xE9")); // Latin-1 capital and small e acute stay distinct
    EXPECT_FALSE(FlagMatches("[", "{"));       // 0x5B and 0x7B differ by the case bit but are no letters
    EXPECT_FALSE(FlagMatches("@", "`"));
}

} // namespace
