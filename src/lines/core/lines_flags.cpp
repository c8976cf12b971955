#include "lines/core/lines_flags.h"

#include "common/core/flags.h"

// "/lines" comes before "/lissajous", so "/l" and "/li" mean Lines.
const char* const linesFlags[kLinesFlagCount] = {"/erase", "/repeat", "/step",      "/lines",
                                                 "/boxes", "/ovals",  "/lissajous", "/plot"};

int LinesFlagIndex(const char* flag) {
    if (flag == nullptr) return -1;
    return MatchFlag(flag, linesFlags, kLinesFlagCount);
}
