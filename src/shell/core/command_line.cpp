#include "shell/core/command_line.h"

#include "common/core/flags.h"

ArgumentAction ClassifyArgument(const char* arg) {
    static const char* const shellFlags[] = {"-lines", "-bubbles", "-next"};
    if (arg == nullptr) return ArgumentAction::kChildFlag;
    switch (MatchFlag(arg, shellFlags, 3)) {
    case 0: return ArgumentAction::kNewLines;
    case 1: return ArgumentAction::kNewBubbles;
    case 2: return ArgumentAction::kNextWindow;
    default: return ArgumentAction::kChildFlag;
    }
}
