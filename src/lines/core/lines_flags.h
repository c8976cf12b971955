#pragma once

// The slash flags a Lines window understands, in the order they are tried. Flag k has the effect of the
// k-th Lines command: erase, repeat, step, then the five styles.
inline constexpr int kLinesFlagCount = 8;
extern const char* const linesFlags[kLinesFlagCount];

// Index of the first flag that flag is a case-insensitive prefix of, or -1 (also for a null pointer).
int LinesFlagIndex(const char* flag);
