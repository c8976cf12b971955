#include "shell/core/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, ArgumentsAreClassifiedByTheFirstShellFlagTheyArePrefixesOf) {
    const std::pair<std::string, ArgumentAction> cases[] = {
        {"", ArgumentAction::kNewLines},
        {"-L", ArgumentAction::kNewLines},
        {"-b", ArgumentAction::kNewBubbles},
        {"-NEXT", ArgumentAction::kNextWindow},
        {"-nextt", ArgumentAction::kChildFlag},
        {"/make", ArgumentAction::kChildFlag},
        {"-l\xC9nes", ArgumentAction::kChildFlag},
        {"-lines" + std::string(32768, 'x'), ArgumentAction::kChildFlag},
        {std::string(32768, '-'), ArgumentAction::kChildFlag},
    };
    for (const auto& [arg, action] : cases)
        EXPECT_EQ(ClassifyArgument(arg.c_str()), action) << "argument of length " << arg.size();
    EXPECT_EQ(ClassifyArgument(nullptr), ArgumentAction::kChildFlag);
}

} // namespace
