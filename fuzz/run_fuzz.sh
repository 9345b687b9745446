#!/usr/bin/env bash
# Builds the libFuzzer target with the 'fuzz' preset and runs it for a while.
#   fuzz/run_fuzz.sh [seconds]      (default 60)
# The committed seeds in fuzz/corpus/ are copied into build/fuzz/corpus/, which the fuzzer
# grows from run to run; crash reproducers land in build/fuzz/artifacts/. Exits nonzero when
# the fuzzer finds a crash, a leak, a timeout or a broken expectation. To replay a reproducer:
#   build/fuzz/fuzz/palette_fuzzer build/fuzz/artifacts/crash-...
set -euo pipefail

seconds="${1:-60}"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build/fuzz"

# libFuzzer's runtime ships apart from clang on Debian: libclang-rt-N-dev.
clang_major="$(clang++ -dumpversion | cut -d. -f1)"
if ! compgen -G "/usr/lib/llvm-$clang_major/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" \
    >/dev/null; then
    package="libclang-rt-$clang_major-dev"
    if [[ $(id -u) -ne 0 ]]; then
        echo "libFuzzer's runtime is missing: install $package (as root)" >&2
        exit 2
    fi
    echo "Installing libFuzzer's runtime for clang $clang_major ($package)" >&2
    apt-get install -y "$package" || { apt-get update && apt-get install -y "$package"; }
fi

cd "$repo"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2

mkdir -p "$build/corpus" "$build/artifacts"
cp -n fuzz/corpus/* "$build/corpus/"

"$build/fuzz/palette_fuzzer" \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -dict="$repo/fuzz/palette.dict" \
    -artifact_prefix="$build/artifacts/" \
    -print_final_stats=1 \
    "$build/corpus"
