#include "common/core/flags.h"
#include "common/core/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The generator written out independently of the code under test.
uint32_t Step(uint32_t& state) {
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFFu;
}

TEST(Random, FollowsTheLinearCongruentialFormulaForKnownSeeds) {
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu, 0x80000000u}) {
        SeedRandom(seed);
        uint32_t state = seed;
        for (int i = 0; i < 1000; ++i) {
            const uint32_t r = Step(state);
            const int n = 1 + (i * 97) % 1000;
            ASSERT_EQ(RandomBelow(n), static_cast<int>((static_cast<uint32_t>(n) * r) >> 15))
                << seed << " " << i;
        }
        EXPECT_EQ(GetRandomState(), state);
    }
}

TEST(Random, FirstValuesFromSeedZeroAreTheClassicSequence) {
    SeedRandom(0);
    EXPECT_EQ(NextRandom(), 38);
    EXPECT_EQ(NextRandom(), 7719);
    EXPECT_EQ(NextRandom(), 21238);
}

TEST(Random, BelowZeroIsZeroButStillDraws) {
    SeedRandom(7);
    EXPECT_EQ(RandomBelow(0), 0);
    uint32_t state = 7;
    Step(state);
    EXPECT_EQ(GetRandomState(), state);
}

TEST(Random, StaysInRangeUpToTheLargestSafeBound) {
    SeedRandom(99);
    for (int i = 0; i < 100000; ++i) {
        const int v = RandomBelow(131075);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 131075);
    }
    SeedRandom(3);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(RandomBelow(1), 0);
}

struct FlagCase {
    const char* arg;
    int expected; // index into -lines, -bubbles, -next, or -1
};

TEST(FlagMatching, ArgumentNamesTheFirstKeywordItIsACaseInsensitivePrefixOf) {
    static const char* const keywords[] = {"-lines", "-bubbles", "-next"};
    const FlagCase cases[] = {
        {"-lines", 0},   {"-LINES", 0},  {"-l", 0},       {"-Li", 0},      {"-", 0},
        {"", 0},         {"-b", 1},      {"-BuBbLeS", 1}, {"-n", 2},       {"-next", 2},
        {"-linesx", -1}, {"-nextt", -1}, {"lines", -1},   {"-x", -1},      {"/make", -1},
        {"-bubble", 1},  {"-ne", 2},     {"-\xCC", -1},   {"-lines ", -1}, {"-bubbles\t", -1},
    };
    for (const FlagCase& c : cases)
        EXPECT_EQ(MatchFlag(c.arg, keywords, 3), c.expected) << '"' << c.arg << '"';
}

TEST(FlagMatching, OnlyAsciiLettersFoldCase) {
    EXPECT_TRUE(FlagMatches("/ERASE", "/erase"));
    EXPECT_FALSE(FlagMatches("\xC9", "\xE9")); // Latin-1 capital and small e acute stay distinct
    EXPECT_FALSE(FlagMatches("[", "{"));       // 0x5B and 0x7B differ by the case bit but are no letters
    EXPECT_FALSE(FlagMatches("@", "`"));
}

} // namespace
