#!/usr/bin/env bash
# clang-tidy and cppcheck over the platform-free core, clang-format over all C++; all must report nothing.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

build lint --preset native -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DDERODAZO_SANITIZE=OFF --target
cd "$ROOT"
mapfile -t core < <(git ls-files 'src/*/core/*.cpp')
log "clang-tidy on ${#core[@]} core files"
printf '%s\n' "${core[@]}" | xargs -P "$JOBS" -n 4 clang-tidy -p "$BUILD/lint" --quiet 2>/dev/null
log "cppcheck on the core"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --enable=warning,performance,portability \
         --inline-suppr --suppress=missingIncludeSystem -I src "${core[@]}"
log "clang-format on every C++ file"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
