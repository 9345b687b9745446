#!/usr/bin/env bash
# Builds the load and search benchmarks with the 'host' preset (optimised, with debug info) and
# runs them with repetitions, printing the median of each, how the full load and a search
# keystroke compare with 1 ms, and a keystroke's ratio to a plain scan of the same items.
#   bench/run_host_bench.sh [repetitions]      (default 15)
set -euo pipefail

repetitions="${1:-15}"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

cmake --preset host >/dev/null
cmake --build --preset host -j2 --target load_bench search_bench

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for bench in load_bench search_bench; do
results="$repo/build/host/bench/$bench.json"
"$repo/build/host/bench/$bench" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=json >/dev/null

python3 - "$results" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
medians = {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}
print(f"{'benchmark (median)':34} {'real':>11} {'cpu':>11}")
for name, r in medians.items():
    extra = f"  allocations/keystroke {r['allocations']:.0f}" if "allocations" in r else ""
    print(f"{name:34} {r['real_time']:8.1f} {r['time_unit']} {r['cpu_time']:8.1f} {r['time_unit']}{extra}")
# CPU time is what the work itself costs; on a busy machine real time adds the waits for a core.
floor = medians.get("BM_ScanFloor")
for name, r in medians.items():
    if name.startswith(("BM_FullLoad/", "BM_StartUp/", "BM_SearchKeystroke/")):
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[r["time_unit"]]
        cpu, real = r["cpu_time"] * scale, r["real_time"] * scale
        ratio = f", {r['cpu_time'] / floor['cpu_time']:.1f}x the scan floor" if floor and name.startswith("BM_Search") else ""
        print(f"{name}: cpu {cpu:.3f} ms ({cpu * 100:.0f}% of the 1 ms goal){ratio}, real {real:.3f} ms")
PY
done
