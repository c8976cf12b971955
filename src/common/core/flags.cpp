#include "common/core/flags.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool FlagMatches(const char* arg, const char* keyword) {
    for (; *arg != '\0'; ++arg, ++keyword) {
        // keyword ends before arg does: arg is longer, so no match
        if (*keyword == '\0' || LowerAscii(*arg) != LowerAscii(*keyword)) return false;
    }
    return true;
}

} // namespace

int MatchFlag(const char* arg, const char* const* keywords, int count) {
    for (int i = 0; i < count; ++i) {
        if (FlagMatches(arg, keywords[i])) return i;
    }
    return -1;
}
