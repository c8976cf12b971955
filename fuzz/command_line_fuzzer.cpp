// Any bytes as a command line, NUL bytes splitting the arguments: the shell's classification and both
// children's flag parsers answer as a plain reading of the matching rule, written here, does.
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "bubbles/core/bubbles_settings.h"
#include "common/ids.h"
#include "lines/core/lines_flags.h"
#include "shell/core/command_line.h"

// 1 + the index of the first keyword that arg is the start of, ASCII letters in either case; 0 for none.
static int Named(const std::string& arg, const std::vector<std::string>& keywords) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto same = [&fold](char a, char b) { return fold(a) == fold(b); };
    for (size_t i = 0; i < keywords.size(); ++i)
        if (arg.size() <= keywords[i].size() && std::equal(arg.begin(), arg.end(), keywords[i].begin(), same))
            return static_cast<int>(i) + 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using enum ArgumentAction;
    const ArgumentAction actions[] = {kChildFlag, kNewLines, kNewBubbles, kNextWindow};
    const int commands[] = {0, IDM_BUBBLES_MAKE, IDM_BUBBLES_GRAVITY, IDM_BUBBLES_DESIGNER,
                            IDM_BUBBLES_YEAST};
    const std::vector<std::string> lines(linesFlags, linesFlags + kLinesFlagCount);
    std::istringstream line(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string arg; std::getline(line, arg, '\0');) {
        if (ClassifyArgument(arg.c_str()) != actions[Named(arg, {"-lines", "-bubbles", "-next"})] ||
            LinesFlagIndex(arg.c_str()) != Named(arg, lines) - 1 ||
            BubblesFlagCommand(arg.c_str()) !=
                commands[Named(arg, {"/make", "/gravity", "/design", "/yeast"})])
            std::abort();
    }
    return 0;
}
