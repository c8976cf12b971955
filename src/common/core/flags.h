#pragma once

// Index of the first keyword that arg is a case-insensitive prefix of, the terminating NUL included:
// "-Li" and "-lines" name "-lines", "-linesx" does not, and "" names the first keyword. -1 for none.
int MatchFlag(const char* arg, const char* const* keywords, int count);
