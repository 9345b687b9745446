#!/usr/bin/env bash
# Builds the load benchmarks with the 'host' preset (optimised, with debug info) and runs them
# with repetitions, printing the median of each and how the full load compares with 1 ms.
#   bench/run_host_bench.sh [repetitions]      (default 15)
set -euo pipefail

repetitions="${1:-15}"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

cmake --preset host >/dev/null
cmake --build --preset host -j2 --target load_bench

results="$repo/build/host/bench/load_bench.json"
"$repo/build/host/bench/load_bench" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results" --benchmark_out_format=json >/dev/null

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$results" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
medians = {r["run_name"]: r for r in runs if r.get("aggregate_name") == "median"}
print(f"{'benchmark (median)':34} {'real':>11} {'cpu':>11}")
for name, r in medians.items():
    print(f"{name:34} {r['real_time']:8.1f} {r['time_unit']} {r['cpu_time']:8.1f} {r['time_unit']}")
# CPU time is what the load itself costs; on a busy machine real time adds the waits for a core.
for name, r in medians.items():
    if name.startswith("BM_FullLoad/") or name.startswith("BM_StartUp/"):
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[r["time_unit"]]
        cpu, real = r["cpu_time"] * scale, r["real_time"] * scale
        print(f"{name}: cpu {cpu:.3f} ms ({cpu * 100:.0f}% of the 1 ms goal), real {real:.3f} ms")
PY
