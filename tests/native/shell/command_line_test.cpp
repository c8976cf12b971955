#include "shell/core/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ArgumentCase {
    std::string arg;
    ArgumentAction action;
};

TEST(CommandLine, ArgumentsAreClassifiedByTheFirstShellFlagTheyArePrefixesOf) {
    const ArgumentCase cases[] = {
        {"", ArgumentAction::kNewLines},
        {"-", ArgumentAction::kNewLines},
        {"-l", ArgumentAction::kNewLines},
        {"-LINES", ArgumentAction::kNewLines},
        {"-linesx", ArgumentAction::kChildFlag},
        {"-b", ArgumentAction::kNewBubbles},
        {"-BuBbLeS", ArgumentAction::kNewBubbles},
        {"-n", ArgumentAction::kNextWindow},
        {"-next", ArgumentAction::kNextWindow},
        {"-nextt", ArgumentAction::kChildFlag},
        {"/make", ArgumentAction::kChildFlag},
        {"lines", ArgumentAction::kChildFlag},
        // Only ASCII letters fold: bytes above 0x7F never equal a flag's letters.
        {"-\xCC", ArgumentAction::kChildFlag},
        {"-l\xC9nes", ArgumentAction::kChildFlag},
        {"\xFF\xFE", ArgumentAction::kChildFlag},
        {"-lines" + std::string(32768, 'x'), ArgumentAction::kChildFlag},
        {std::string(32768, '-'), ArgumentAction::kChildFlag},
    };
    for (const ArgumentCase& c : cases)
        EXPECT_EQ(ClassifyArgument(c.arg.c_str()), c.action) << "argument of length " << c.arg.size();
}

TEST(CommandLine, NullArgumentIsLeftToTheChild) {
    EXPECT_EQ(ClassifyArgument(nullptr), ArgumentAction::kChildFlag);
}

} // namespace
