#!/usr/bin/env bash
# Style and static checks: clang-format over every source, clang-tidy and cppcheck over the
# portable core. Needs the host build's compile_commands.json (scripts/test_all.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

mapfile -t core < <(git ls-files 'src/symbols/*.cpp' 'src/palette/*.cpp' 'src/about/*.cpp')
clang-tidy -p build/host --quiet "${core[@]}"
cppcheck --enable=warning,style,performance,portability --std=c++20 --error-exitcode=1 \
  --inline-suppr --suppress=missingIncludeSystem -q -I src src/symbols src/palette src/about
echo "lint: clean"
