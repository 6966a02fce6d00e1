#!/usr/bin/env bash
# Runs the benchmarks once and prints, from that one run, each figure beside its yardstick:
# a load's throughput beside reading the same file raw, and its peak memory beside the
# file's size. Medians of 5 repetitions.
set -euo pipefail
build=${1:-build-bench}
bin=$build/bin
data=$build/bench-data
mkdir -p "$data"
export JOKEPAD_BENCH_DATA=$data JOKEPAD_REGISTRY=$build/bench-registry

json=$build/store_bench.json
"$bin/store_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$json" --benchmark_out_format=json >/dev/null

peaks=$build/store_peak.txt
: >"$peaks"
for n in 1000 100000 1000000; do "$bin/store_peak" "$data" "$n" >>"$peaks"; done

"$bin/gdi_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$build/gdi_bench.json" --benchmark_out_format=json >/dev/null

"$bin/reader_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$build/reader_bench.json" --benchmark_out_format=json >/dev/null

python3 - "$json" "$peaks" "$build/gdi_bench.json" "$build/reader_bench.json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
med = {}
for r in runs:
    if r.get("aggregate_name") == "median":
        name, n = r["run_name"].split("/")[:2]
        med[(name, int(n))] = r
peak = {}
for line in open(sys.argv[2]):
    n, size, grown = map(int, line.split())
    peak[n] = (size, grown)
print("Jokes data file load (median of 5), beside a raw read of the same file")
print(f"{'jokes':>9} {'file MB':>8} {'load ms':>8} {'load MB/s':>10} {'raw ms':>8} {'raw MB/s':>9} {'ratio':>6} {'peak MB':>8} {'peak/file':>9}")
for n in (1000, 100000, 1000000):
    load, raw = med[("BM_LoadDocument", n)], med[("BM_RawRead", n)]
    size, grown = peak[n]
    mb = size / 1e6
    lt, rt = load["real_time"], raw["real_time"]
    print(f"{n:>9} {mb:>8.1f} {lt:>8.2f} {mb / lt * 1e3:>10.0f} {rt:>8.2f} {mb / rt * 1e3:>9.0f} {lt / rt:>6.2f} {grown / 1e6:>8.1f} {grown / size:>9.2f}")
print()
print("Drawing (median of 5)")
for r in json.load(open(sys.argv[3]))["benchmarks"]:
    if r.get("aggregate_name") == "median":
        print(f"  {r['run_name']:<48} {r['real_time']:>10.1f} {r['time_unit']} real, {r['cpu_time']:>10.1f} {r['time_unit']} cpu")
print()
print("The reader (median of 5), beside its goal")
goals = {
    "BM_SetText/60": ("SetText, a short joke", None),
    "BM_SetText/1000": ("SetText, a 1,000-character joke", 0.5),
    "BM_NextTapToFrame/0": ("Next, from the tap to the frame presented", 2.0),
    "BM_NextTapToFrame/1": ("  the same, the settings in memory (no disk wait)", 2.0),
    "BM_StartToFirstFrameHeadless/0/real_time": ("start to the first frame, headless, new process", 25.0),
    "BM_StartToFirstFrameHeadless/1/real_time": ("  the same for WJ.exe, its window linked in", None),
}
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
for r in json.load(open(sys.argv[4]))["benchmarks"]:
    if r.get("aggregate_name") != "median" or r["run_name"] not in goals:
        continue
    what, goal = goals[r["run_name"]]
    ms = r["real_time"] * scale[r["time_unit"]]
    verdict = "" if goal is None else (f"goal < {goal:g} ms: " + ("met" if ms < goal else "MISSED"))
    print(f"  {what:<50} {ms:>8.3f} ms   {verdict}")
PY
