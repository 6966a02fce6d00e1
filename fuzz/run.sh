#!/usr/bin/env bash
# Runs each fuzzer for SECONDS on a scratch copy of its seed corpus; new finds stay in
# BUILD/corpus/NAME for a look, crashes in BUILD/crashes/NAME. A single allocation over 64 MB
# from an input of at most 64 kB counts as a crash: no input may allocate beyond its size.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
for name in jokes_data favorites; do
  corpus=$build/corpus/$name
  crashes=$build/crashes/$name
  mkdir -p "$corpus" "$crashes"
  cp -n "$root/tests/data/fuzz/$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name: ${seconds}s"
  "$build/bin/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -malloc_limit_mb=64 \
    -artifact_prefix="$crashes/" -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
done
