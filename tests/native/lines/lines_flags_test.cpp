#include "lines/core/lines_flags.h"

#include <gtest/gtest.h>

namespace {

TEST(LinesFlags, MatchThePrefixOfTheFirstKeywordInOrder) {
    struct Case {
        const char* flag;
        int index;
    } cases[] = {
        {"/E", 0}, {"/erase", 0},  {"/", 0},        {"", 0},       {"/r", 1},      {"/s", 2},
        {"/l", 3}, {"/li", 3},     {"/LINES", 3},   {"/b", 4},     {"/o", 5},      {"/lis", 6},
        {"/p", 7}, {"/steps", -1}, {"/linesx", -1}, {"erase", -1}, {"-lines", -1}, {nullptr, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinesFlagIndex(c.flag), c.index) << (c.flag ? c.flag : "(null)");
}

} // namespace
