#!/usr/bin/env bash
# Runs one end-to-end test under Wine in a private X display.
#
#   run_e2e.sh <test> [args...]   runs `e2e_driver.exe <test> [args...]`; exits with its code
#   run_e2e.sh --prepare          makes the Wine prefix afresh (the ctest fixture e2e.prepare)
#
# Environment (besides what wine_env.sh reads):
#   E2E_RUN_NAME      names the scratch folder, log and screenshots (default: the test's name)
#   E2E_TIMEOUT       the driver's hard limit in seconds (default 120)
#   E2E_REUSE_PREFIX  1: --prepare keeps a complete prefix from an earlier run
#   E2E_PROGRAM       another test program of the build folder to run instead of the driver,
#                     with the args but not the test's name (a GoogleTest binary, say)
#
# What a test gets, under the build folder (build/mingw):
#   e2e-work/<run>/           its current folder, empty at the start
#   e2e-work/<run>.log        the driver's output (also printed here as it comes)
#   screenshots/<run>-*.png   the screenshots it asked for
#
# Screenshots: the driver creates <name>.request in e2e-work/<run>.requests/, whose Windows
# path it finds in E2E_REQUEST_DIR. While the driver runs, this script looks for requests every
# 50 ms, saves the whole screen with ImageMagick's import as screenshots/<run>-<name>.png, and
# answers with <name>.done (<name>.failed if import failed); the driver waits for the answer.
# The request is removed before the answer appears, so a second request of the same name is
# never lost. When the driver runs out of time, the screen is saved as <run>-timeout.png
# before its programs are ended, and the exit code is 124.
#
# One Wine session per prefix at a time: the script holds build/mingw/wineprefix.lock while it
# runs (ctest also serialises the tests with a resource lock).

set -u

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if [ $# -lt 1 ]; then
    echo "usage: $0 <test> [args...] | --prepare" >&2
    exit 2
fi

if [ -z "${E2E_HOLDS_LOCK:-}" ]; then
    lock_dir="${E2E_BUILD_DIR:-$here/../../build/mingw}"
    mkdir -p "$lock_dir"
    export E2E_HOLDS_LOCK=1
    # -o: the lock stays with flock itself, not with Xvfb or a wineserver started below.
    exec flock -o -w 900 -E 75 "$lock_dir/wineprefix.lock" bash "${BASH_SOURCE[0]}" "$@"
fi

# shellcheck source=wine_env.sh
source "$here/wine_env.sh"

if [ "$1" = --prepare ]; then
    trap e2e_cleanup EXIT
    e2e_ensure_locale
    e2e_start_display
    e2e_end_wine
    if [ "${E2E_REUSE_PREFIX:-0}" = 1 ] && e2e_prefix_ready; then
        e2e_log "reusing the Wine prefix $WINEPREFIX"
    else
        e2e_create_prefix
    fi
    exit 0
fi

test_name="$1"
shift
run="${E2E_RUN_NAME:-$test_name}"
timeout_s="${E2E_TIMEOUT:-120}"
driver="$E2E_BUILD_DIR/${E2E_PROGRAM:-e2e_driver.exe}"
[ -f "$driver" ] || e2e_die "$driver is missing: build with cmake --build --preset mingw"

work_root="$E2E_BUILD_DIR/e2e-work"
work="$work_root/$run"
requests="$work_root/$run.requests"
log="$work_root/$run.log"
shots="$E2E_BUILD_DIR/screenshots"
rm -rf "$work" "$requests"
mkdir -p "$work" "$requests" "$shots"
rm -f "$shots/$run-"*.png "$log"
: >"$log"

session_started=$SECONDS
e2e_start_session
setup_s=$((SECONDS - session_started))
export E2E_REQUEST_DIR
E2E_REQUEST_DIR="$(e2e_windows_path "$requests")"

serve_requests() {
    local request name out
    for request in "$requests"/*.request; do
        [ -e "$request" ] || continue
        name="$(basename "$request" .request)"
        rm -f "$request"
        out="$shots/$run-$name.png"
        if e2e_screenshot "$out.tmp.png" && mv -f "$out.tmp.png" "$out"; then
            : >"$requests/$name.done"
        else
            rm -f "$out.tmp.png"
            : >"$requests/$name.failed"
        fi
    done
}

shown=0
show_new_output() {
    local size
    size=$(stat -c %s "$log" 2>/dev/null || echo 0)
    if [ "$size" -gt "$shown" ]; then
        tail -c +"$((shown + 1))" "$log" | head -c "$((size - shown))"
        shown=$size
    fi
}

# The time limit is kept here rather than by timeout(1), so that the screen can be saved while
# the programs are still on it; timeout(1) only backs it up in case ending Wine hangs.
if [ -n "${E2E_PROGRAM:-}" ]; then program_args=("$@"); else program_args=("$test_name" "$@"); fi
driver_started=$SECONDS
timed_out=""
(cd "$work" && exec timeout -k 10 "$((timeout_s + 60))" wine "$driver" "${program_args[@]}") \
    </dev/null >>"$log" 2>&1 &
driver_pid=$!
while kill -0 "$driver_pid" 2>/dev/null; do
    serve_requests
    show_new_output
    if [ -z "$timed_out" ] && [ $((SECONDS - driver_started)) -ge "$timeout_s" ]; then
        timed_out=1
        e2e_log "$run: the driver did not finish within ${timeout_s} s"
        e2e_screenshot "$shots/$run-timeout.png" && e2e_log "screen saved as $shots/$run-timeout.png"
        e2e_end_wine
    fi
    sleep 0.05
done
wait "$driver_pid"
rc=$?
serve_requests
show_new_output
driver_s=$((SECONDS - driver_started))

if [ -n "$timed_out" ] || [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
    rc=124
elif [ "$rc" = 0 ] && ! grep -Eq '^[0-9]+ passed, 0 failed$|^\[  PASSED  \] [0-9]+ tests?\.' "$log"; then
    e2e_log "$run: the driver exited 0 without reporting its checks"
    rc=1
fi
e2e_log "$run: exit code $rc; session setup ${setup_s} s, driver ${driver_s} s"
exit "$rc"
