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

# The Windows code with clang for the mingw target, with the project's warnings: it must stay
# free of one compiler's extensions, since it is also built with other compilers. clang takes
# the C++ library of the mingw-w64 compiler from that compiler's own search list.
mingw_cxx=x86_64-w64-mingw32-g++-posix
if command -v "$mingw_cxx" >/dev/null; then
  mapfile -t system_includes < <("$mingw_cxx" -E -x c++ -v /dev/null 2>&1 |
    grep '^ .*/include/c++' | sed 's/^ */-isystem/')
  mapfile -t win32 < <(git ls-files 'src/win32/*.cpp')
  for source in "${win32[@]}"; do
    clang++ --target=x86_64-w64-mingw32 -fsyntax-only -std=c++20 -nostdinc++ \
      "${system_includes[@]}" -Isrc -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
      -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -Wall -Wextra -Wpedantic -Wshadow -Wconversion \
      -Wsign-conversion -Werror "$source"
  done
else
  echo "lint: $mingw_cxx missing, src/win32 not checked with clang (scripts/setup.sh installs it)"
fi
echo "lint: clean"
