#!/usr/bin/env bash
# Builds everything and runs every test: unit tests (also under AddressSanitizer and
# UndefinedBehaviorSanitizer), static checks, the Windows program's end-to-end tests under
# Wine in a virtual display, the release package test, a short fuzzing run and the README's
# first command (scripts/run_palette.sh) as a newcomer runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

step() { printf '\n==== %s\n' "$*"; }

step "Unit tests"
cmake --preset host >/dev/null
cmake --build --preset host -j2
ctest --preset host -j2

step "Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset host-sanitize >/dev/null
cmake --build --preset host-sanitize -j2
ctest --preset host-sanitize -j2

step "Static checks"
bash scripts/lint.sh

if [[ -x fuzz/run_fuzz.sh ]]; then
  step "Fuzzing smoke run"
  bash fuzz/run_fuzz.sh "${FUZZ_SECONDS:-30}"
fi

step "Windows program: end-to-end tests under Wine, release package"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
ctest --preset mingw

step "The README's first command, without a display: exit status and screenshot"
rm -f build/mingw/palette.png
newcomer=$(mktemp -d)  # run from a folder without group files, as the README says
(cd "$newcomer" && env -u DISPLAY bash "$OLDPWD/scripts/run_palette.sh")
rm -rf "$newcomer"
[[ -s build/mingw/palette.png ]] || { echo "scripts/run_palette.sh saved no screenshot" >&2; exit 1; }
