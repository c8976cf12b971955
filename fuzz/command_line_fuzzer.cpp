// Any bytes as a command line: NUL bytes split the input into arguments, so every count of arguments
// and every byte value reaches the shell's classification and both children's flag parsers. Each
// answer is checked against a plain reading of the matching rule written here independently.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bubbles/core/bubble_settings.h"
#include "common/core/flags.h"
#include "common/ids.h"
#include "lines/core/lines_flags.h"
#include "shell/core/command_line.h"

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// arg names keyword when it is no longer than the keyword and equals its start, ASCII case ignored.
bool Names(const std::string& arg, const char* keyword) {
    const std::string k(keyword);
    if (arg.size() > k.size()) return false;
    for (size_t i = 0; i < arg.size(); ++i)
        if (Fold(arg[i]) != Fold(k[i])) return false;
    return true;
}

int FirstNamed(const std::string& arg, const std::vector<const char*>& keywords) {
    for (size_t i = 0; i < keywords.size(); ++i)
        if (Names(arg, keywords[i])) return static_cast<int>(i);
    return -1;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckArgument(const std::string& arg) {
    const char* text = arg.c_str(); // stops at the argument's own end: arguments hold no NUL
    const int shell = FirstNamed(arg, {"-lines", "-bubbles", "-next"});
    const ArgumentAction expected[] = {ArgumentAction::kNewLines, ArgumentAction::kNewBubbles,
                                       ArgumentAction::kNextWindow};
    Check(ClassifyArgument(text) == (shell < 0 ? ArgumentAction::kChildFlag : expected[shell]));

    const std::vector<const char*> lines(linesFlags, linesFlags + kLinesFlagCount);
    Check(LinesFlagIndex(text) == FirstNamed(arg, lines));

    const int bubbles = FirstNamed(arg, {"/make", "/gravity", "/design", "/yeast"});
    const int commands[] = {IDM_BUBBLES_MAKE, IDM_BUBBLES_GRAVITY, IDM_BUBBLES_DESIGNER, IDM_BUBBLES_YEAST};
    Check(BubblesFlagCommand(text) == (bubbles < 0 ? 0 : commands[bubbles]));

    Check(MatchFlag(text, linesFlags, 0) == -1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string arg;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            CheckArgument(arg);
            arg.clear();
        } else {
            arg.push_back(static_cast<char>(data[i]));
        }
    }
    return 0;
}
