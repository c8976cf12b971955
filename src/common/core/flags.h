#pragma once

// True when arg is a case-insensitive prefix of keyword, the terminating NUL included:
// "-Li" and "-lines" match "-lines", "-linesx" does not, and "" matches everything.
bool FlagMatches(const char* arg, const char* keyword);

// Index of the first keyword that arg matches, or -1.
int MatchFlag(const char* arg, const char* const* keywords, int count);
