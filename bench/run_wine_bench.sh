#!/usr/bin/env bash
# The Wine benchmarks of the palette: runs each measurement of wine_bench.exe N times, in turn
# with its baseline measured in the same run, prints medians and ratios, and writes the table
# of results into bench/README.md (between its "wine-results" markers).
#
#   bash bench/run_wine_bench.sh [N]      N runs of each measurement, default 7
#
# Needs the mingw build: cmake --preset mingw && cmake --build --preset mingw -j2
# The Wine session (Xvfb, prefix, code page 950, DPI 96) is the end-to-end tests' own, from
# tests/e2e/wine_env.sh; the script holds the same prefix lock as they do, so it waits while a
# test runs rather than disturbing it. The figures are wall-clock times on a shared machine:
# compare ratios, not milliseconds, and run again when the machine is busy.

set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source_dir="$(cd "$here/.." && pwd)"
runs="${1:-7}"
case "$runs" in '' | *[!0-9]* | 0) echo "usage: $0 [runs]" >&2 && exit 2 ;; esac

export E2E_BUILD_DIR="${E2E_BUILD_DIR:-$source_dir/build/mingw}"
if [ -z "${E2E_HOLDS_LOCK:-}" ]; then
    mkdir -p "$E2E_BUILD_DIR"
    export E2E_HOLDS_LOCK=1
    exec flock -o -w 1800 -E 75 "$E2E_BUILD_DIR/wineprefix.lock" bash "${BASH_SOURCE[0]}" "$@"
fi

# shellcheck source=../tests/e2e/wine_env.sh
source "$source_dir/tests/e2e/wine_env.sh"

for program in wine_bench.exe minimal_window.exe controls_window.exe quillaro_palette.exe \
    stand_in_editor.exe; do
    [ -f "$E2E_BUILD_DIR/$program" ] ||
        e2e_die "$E2E_BUILD_DIR/$program is missing: build with cmake --build --preset mingw"
done

e2e_start_session
# One wineserver for the whole run, so that no measurement pays for starting it.
wineserver -p
results="$E2E_BUILD_DIR/bench-results"
rm -rf "$results" "$E2E_BUILD_DIR/bench-work"
mkdir -p "$results"

# bench <file> <wine_bench.exe arguments...>: one run; appends "<name> <value>" lines to
# $results/<file>.<name>.
bench() {
    local file="$1" out
    shift
    out="$(cd "$E2E_BUILD_DIR" && timeout 300 wine "$E2E_BUILD_DIR/wine_bench.exe" "$@" 2>/dev/null |
        tr -d '\r')" || true
    if ! echo "$out" | grep -q '^[a-z_]* [0-9.]*$'; then
        e2e_log "wine_bench.exe $* failed: $out"
        [ "$file" = warmup ] || echo "$file ($*)" >>"$results/failed"
        return 1
    fi
    echo "$out" | while read -r name value; do echo "$value" >>"$results/$file.$name"; done
}

# The Unix process of a Wine program of this build, by the Windows path in its command line.
unix_pid_of() { # <program.exe>
    local want pid
    want="$(e2e_windows_path "$E2E_BUILD_DIR/$1")"
    for pid in $(pgrep -f "$1"); do
        if [ "$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n 1)" = "$want" ]; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# The wineserver of this prefix: it works in /tmp/wine-*/server-<device>-<inode of the prefix>.
wineserver_pid() {
    local dir pid
    dir="$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")"
    for pid in $(pgrep wineserver); do
        case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$dir") echo "$pid" && return 0 ;; esac
    done
    return 1
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }

wait_for_line() { # <file> <line> <seconds>
    local deadline=$((SECONDS + $3))
    until grep -q "^$2" "$1" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.02
    done
}

# idle <file> <palette|minimal> <program.exe> [--cursor-away]: processor time of the program
# and of the wineserver between wine_bench.exe's idle_begin and idle_end, in % of one core.
idle() {
    local file="$1" log="$results/idle.out" program server bench_pid p0 s0 t0 p1 s1 t1
    : >"$log"
    (cd "$E2E_BUILD_DIR" && timeout 120 wine "$E2E_BUILD_DIR/wine_bench.exe" idle "$2" "${@:4}" \
        >"$log" 2>/dev/null) &
    bench_pid=$!
    if ! wait_for_line "$log" idle_begin 90 || ! program=$(unix_pid_of "$3") ||
        ! server=$(wineserver_pid); then
        e2e_log "idle $2: no measurement ($(cat "$log"))"
        echo "$file (idle $2 ${*:4})" >>"$results/failed"
        wait "$bench_pid"
        return 1
    fi
    p0=$(cpu_ticks "$program") s0=$(cpu_ticks "$server") t0=$(date +%s.%N)
    wait_for_line "$log" idle_end 60
    p1=$(cpu_ticks "$program") s1=$(cpu_ticks "$server") t1=$(date +%s.%N)
    wait "$bench_pid"
    sed -n 's/^wakes \([0-9.]*\).*/\1/p' "$log" | tr -d '\r' >>"$results/$file.wakes"
    if [ "$2" = palette ] && ! grep -q '^wakes' "$log"; then
        echo "$file (idle $2 ${*:4}: no wake count)" >>"$results/failed"
    fi
    awk -v p="$((p1 - p0))" -v s="$((s1 - s0))" -v t0="$t0" -v t1="$t1" -v hz="$(getconf CLK_TCK)" \
        -v out="$results/$file" 'BEGIN {
            wall = t1 - t0
            printf "%f\n", 100 * p / hz / wall >>(out ".program_percent")
            printf "%f\n", 100 * s / hz / wall >>(out ".server_percent")
            printf "%f\n", 100 * (p + s) / hz / wall >>(out ".total_percent") }'
}

median() { # <file of numbers>
    sort -g "$1" | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "nan"; exit }
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# --- the floor: the palette's 70 controls without the palette ------------------------------
# controls_window.exe (the minimal window with the palette's controls, built like the palette).
# The floor of a click is the driver's own SendInput into the editor (click-to-text's typed_ms),
# and that of idling the minimal window, both measured in the main run. Beside the click's floor
# the main run measures a click on the minimal window that types (minimal_click_ms): what a
# click costs with the mouse's delivery in it.

floor_warmup() { bench warmup startup controls || true; }

floor_run() {
    # Five start-ups of each, in back-to-back pairs: the goal is the median of the pairs' ratios.
    bench startup_pair startup-pair controls palette --rounds=5
    idle idle_controls controls controls_window.exe
    bench memory_controls memory controls
}

# The goals against the floor, as table rows; reads the palette's medians from the main table.
floor_table() {
    local startup startup_paired idle_floor peak r_s r_1 r_20 more d_idle d_away
    startup=$(m startup_pair.floor_ms)
    startup_paired=$(m startup_pair.program_ms)
    idle_floor=$(m idle_controls.total_percent)
    peak=$(m memory_controls.peak_working_set_kib)
    r_s=$(fmt "$(m startup_pair.ratio)" 2)
    r_1=$(ratio "$click1" "$typed1")
    r_20=$(ratio "$click20" "$typed20")
    more=$(awk -v a="$peak_pal" -v b="$peak" 'BEGIN { printf "%+.2f", (a - b) / 1024 }')
    d_idle=$(awk -v a="$idle_pal" -v b="$idle_min" 'BEGIN { printf "%+.2f", a - b }')
    d_away=$(awk -v a="$idle_away_pal" -v b="$idle_away_min" 'BEGIN { printf "%+.2f", a - b }')
    echo "| Measurement | Floor | Palette | Ratio or difference | Goal | |
|---|---|---|---|---|---|
| Start-up to page 1 shown, median of paired ratios | 70 controls $(fmt "$startup") ms (minimal window $(fmt "$startup_min") ms) | $(fmt "$startup_paired") ms | $r_s | ≤ 1.3 | $(verdict "$r_s" "<=" 1.3) |
| Click to text, 1 symbol | direct SendInput $(fmt "$typed1" 1) ms | $(fmt "$click1" 1) ms | $r_1 | ≤ 1.2 | $(verdict "$r_1" "<=" 1.2) |
| Click to text, 20 units | direct SendInput $(fmt "$typed20" 1) ms | $(fmt "$click20" 1) ms | $r_20 | ≤ 1.2 | $(verdict "$r_20" "<=" 1.2) |
| Idle 10 s, cursor resting on a key | minimal window $(fmt "$idle_min" 2) % (70 controls $(fmt "$idle_floor" 2) %) | $(fmt "$idle_pal" 2) %, woke $(fmt "$wakes_pal") times | $d_idle points | ≤ +0.3 | $(verdict "$d_idle" "<=" 0.3) |
| Idle 10 s, cursor elsewhere | minimal window $(fmt "$idle_away_min" 2) % | $(fmt "$idle_away_pal" 2) %, woke $(fmt "$wakes_away_pal") times | $d_away points | ≤ +0.3 | $(verdict "$d_away" "<=" 0.3) |
| Peak working set | 70 controls $(fmt "$peak") KiB | $(fmt "$peak_pal") KiB | $more MiB | ≤ +2 MiB | $(verdict "$more" "<=" 2) |"
}

# Where start-up time goes: each phase's end, in milliseconds from the palette's process start,
# the phase's own share, and the working set at its end; beside them the 70 controls' own marks
# at the phases they share with the palette.
startup_marks_table() {
    local previous=0 phase at floor
    echo "| Phase ends | ms from the process start | phase | working set KiB | 70 controls: ms, KiB |
|---|---|---|---|---|"
    for phase in entered common_controls folder_watch window key_table controls settings_and_place \
        fonts first_page foreground_hook shown_and_painted tooltips hotkey; do
        at=$(m "marks.${phase}_ms")
        floor=""
        if [ -s "$results/marks_controls.${phase}_ms" ]; then
            floor="$(fmt "$(m "marks_controls.${phase}_ms")" 1), $(fmt "$(m "marks_controls.${phase}_kib")")"
        fi
        echo "| $phase | $(fmt "$at" 1) | $(fmt "$(awk -v a="$at" -v b="$previous" 'BEGIN { print a - b }')" 1) | $(fmt "$(m "marks.${phase}_kib")") | $floor |"
        previous=$at
    done
}

# Group files, each next to its baseline: start-up and a reload in the hostile folder against
# the palette with no group files (or one small one), and the peak working set with 16 files of
# 64 MiB against none, both with set 3 shown.
bench_group_files() {
    bench gf_startup_empty startup palette
    bench gf_startup_hostile startup palette --hostile
    bench gf_reload_small reload
    bench gf_reload_hostile reload --hostile
    bench gf_memory_none memory-set3
    bench gf_memory_big memory-set3 --big-files
    # The first run writes 1 GiB of big group files; still being written back to the disk, they
    # slowed the next run's start-ups in the hostile folder to twice their time.
    sync
}

group_files_table() {
    local s0 s1 r0 r1 m0 m1
    s0=$(m gf_startup_empty.startup_ms) s1=$(m gf_startup_hostile.startup_ms)
    r0=$(m gf_reload_small.reload_ms) r1=$(m gf_reload_hostile.reload_ms)
    m0=$(m gf_memory_none.peak_working_set_kib) m1=$(m gf_memory_big.peak_working_set_kib)
    echo "| Measurement | Baseline | Palette | Ratio or difference |
|---|---|---|---|
| Start-up | no group files $(fmt "$s0") ms | hostile folder $(fmt "$s1") ms | $(ratio "$s1" "$s0") |
| Reload after a change, 300 ms wait included | one small file $(fmt "$r0") ms | hostile folder $(fmt "$r1") ms | +$(fmt "$(awk -v a="$r1" -v b="$r0" 'BEGIN { print a - b }')") ms |
| Peak working set, set 3 shown | no group files $(fmt "$m0") KiB | 16 files of 64 MiB $(fmt "$m1") KiB | $(awk -v a="$m1" -v b="$m0" 'BEGIN { printf "%+.2f", (a - b) / 1024 }') MiB |"
}

# Warm the caches (program files, fonts, the hostile folder) before anything is measured.
e2e_log "warming up"
bench warmup startup minimal || true
bench warmup startup palette || true
bench warmup startup palette --hostile || true
floor_warmup

for i in $(seq 1 "$runs"); do
    e2e_log "run $i of $runs"
    floor_run
    # Each measurement next to its baseline, so that a busy moment of the machine hits both.
    bench startup_minimal startup minimal
    bench startup_palette startup palette
    bench startup_hostile startup palette --hostile
    bench marks startup-marks
    bench marks_controls startup-marks controls
    bench click1 click-to-text --units=1
    bench click20 click-to-text --units=20
    idle idle_minimal minimal minimal_window.exe
    idle idle_palette palette quillaro_palette.exe
    idle idle_away_minimal minimal minimal_window.exe --cursor-away
    idle idle_away_palette palette quillaro_palette.exe --cursor-away
    bench memory_minimal memory minimal
    bench memory_palette memory palette
    bench_group_files
done

m() { median "$results/$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "nan" }'; }
fmt() { awk -v v="$1" -v d="${2:-0}" 'BEGIN { printf "%.*f", d, v }'; }
verdict() { # <value> <op> <goal>
    awk -v v="$1" -v op="$2" -v g="$3" 'BEGIN {
        ok = (op == "<=") ? (v <= g) : (v < g); print (ok ? "met" : "**missed**") }'
}

startup_min=$(m startup_minimal.startup_ms)
startup_pal=$(m startup_palette.startup_ms)
startup_hos=$(m startup_hostile.startup_ms)
click1=$(m click1.click_ms)
typed1=$(m click1.typed_ms)
click20=$(m click20.click_ms)
typed20=$(m click20.typed_ms)
mouse1=$(m click1.minimal_click_ms)
mouse20=$(m click20.minimal_click_ms)
idle_min=$(m idle_minimal.total_percent)
idle_pal=$(m idle_palette.total_percent)
idle_pal_own=$(m idle_palette.program_percent)
idle_pal_server=$(m idle_palette.server_percent)
wakes_pal=$(m idle_palette.wakes)
wakes_away_pal=$(m idle_away_palette.wakes)
idle_away_min=$(m idle_away_minimal.total_percent)
idle_away_pal=$(m idle_away_palette.total_percent)
peak_min=$(m memory_minimal.peak_working_set_kib)
peak_pal=$(m memory_palette.peak_working_set_kib)

r_startup=$(ratio "$startup_pal" "$startup_min")
r_hostile=$(ratio "$startup_hos" "$startup_pal")
r_click1=$(ratio "$click1" "$mouse1")
r_click20=$(ratio "$click20" "$mouse20")
memory_more=$(awk -v a="$peak_pal" -v b="$peak_min" 'BEGIN { printf "%+.2f", (a - b) / 1024 }')

table="| Measurement | Baseline | Palette | Ratio or difference | Goal | |
|---|---|---|---|---|---|
| Start-up to page 1 shown | minimal window $(fmt "$startup_min") ms | $(fmt "$startup_pal") ms | $r_startup | | |
| Start-up in the hostile folder | no group files $(fmt "$startup_pal") ms | $(fmt "$startup_hos") ms | $r_hostile | ≤ 2 | $(verdict "$r_hostile" "<=" 2) |
| Click to text, 1 symbol | a click on the minimal window typing it $(fmt "$mouse1" 1) ms | $(fmt "$click1" 1) ms | $r_click1 | | |
| Click to text, 20 units | a click on the minimal window typing it $(fmt "$mouse20" 1) ms | $(fmt "$click20" 1) ms | $r_click20 | | |
| Idle 10 s, cursor resting on the window | minimal window $(fmt "$idle_min" 2) % | $(fmt "$idle_pal" 2) % of one core ($(fmt "$idle_pal_own" 2) % itself, $(fmt "$idle_pal_server" 2) % in the wineserver) | | < 1 % | $(verdict "$idle_pal" "<" 1) |
| Idle 10 s, cursor elsewhere | minimal window $(fmt "$idle_away_min" 2) % | $(fmt "$idle_away_pal" 2) % of one core | | < 1 % | $(verdict "$idle_away_pal" "<" 1) |
| Peak working set | minimal window $(fmt "$peak_min") KiB | $(fmt "$peak_pal") KiB | $memory_more MiB | | |"

gf_table="$(group_files_table)"

when="$(date -u '+%Y-%m-%d %H:%M UTC')"
about="Medians of $runs runs, $when, $(wine --version), LC_ALL=$LC_ALL, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)."
echo
echo "$about"
echo
floor="$(floor_table)"
echo "$floor"
echo
echo "$table"
marks="$(startup_marks_table)"
echo
echo "$marks"

readme="$here/README.md"
if grep -q '<!-- wine-results -->' "$readme" && grep -q '<!-- /wine-results -->' "$readme"; then
    block="$(printf '<!-- wine-results -->\n%s\n\nAgainst the floor (the goals):\n\n%s\n\nAgainst the minimal window and plain typing:\n\n%s\n\nWhere start-up time goes (wine_bench.exe startup-marks):\n\n%s\n<!-- /wine-results -->' \
        "$about" "$floor" "$table" "$marks")"
    BLOCK="$block" awk '
        /<!-- wine-results -->/ { print ENVIRON["BLOCK"]; skip = 1; next }
        /<!-- \/wine-results -->/ { skip = 0; next }
        !skip { print }' "$readme" >"$readme.tmp" && mv "$readme.tmp" "$readme"
    echo
    echo "bench/README.md updated"
fi
echo
echo "$gf_table"
if grep -q '<!-- group-file-results -->' "$readme" && grep -q '<!-- /group-file-results -->' "$readme"; then
    block="$(printf '<!-- group-file-results -->\n%s\n\n%s\n<!-- /group-file-results -->' "$about" "$gf_table")"
    BLOCK="$block" awk '
        /<!-- group-file-results -->/ { print ENVIRON["BLOCK"]; skip = 1; next }
        /<!-- \/group-file-results -->/ { skip = 0; next }
        !skip { print }' "$readme" >"$readme.tmp" && mv "$readme.tmp" "$readme"
fi
# The 16 files of 64 MiB take 1 GiB: not kept between runs.
rm -rf "$E2E_BUILD_DIR/bench-work/big"

# Every measurement must have finished in every run; say which did not.
if [ -s "$results/failed" ]; then
    echo
    echo "Benchmarks that failed (their figures above are from the runs that finished):"
    sort "$results/failed" | uniq -c
    exit 1
fi
