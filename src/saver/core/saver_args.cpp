#include "saver/core/saver_args.h"

#include <cstring>

namespace {

SaverMode ModeFromLetter(char letter) {
    switch (letter) {
    case 's':
    case 'S': return SaverMode::kFullScreen;
    case 'p':
    case 'P': return SaverMode::kPreview;
    case 'c':
    case 'C': return SaverMode::kSettings;
    case 'a':
    case 'A': return SaverMode::kPassword;
    default: return SaverMode::kInvalid;
    }
}

// Decimal digits only, at least one, no overflow.
bool ParseHandle(const char* text, uint64_t& value) {
    value = 0;
    if (*text == '\0') return false;
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') return false;
        const auto digit = static_cast<uint64_t>(*text - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

} // namespace

SaverCommand ParseSaverCommand(int argc, const char* const* argv) {
    const SaverCommand invalid{SaverMode::kInvalid, 0};
    if (argc <= 0) return {SaverMode::kSettings, 0};
    const char* flag = argv[0];
    if ((flag[0] != '/' && flag[0] != '-') || flag[1] == '\0') return invalid;
    SaverCommand command{ModeFromLetter(flag[1]), 0};
    if (command.mode == SaverMode::kInvalid) return invalid;
    const char* handle = nullptr;
    int used = 1;
    if (flag[2] == ':') {
        handle = flag + 3;
    } else if (flag[2] != '\0') {
        return invalid;
    } else if (argc >= 2) {
        handle = argv[1];
        used = 2;
    }
    if (argc > used) return invalid;
    if (handle != nullptr && (!ParseHandle(handle, command.window) || command.window == 0)) return invalid;
    if (command.mode == SaverMode::kPreview && command.window == 0) return invalid;
    return command;
}
