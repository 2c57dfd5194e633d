#!/usr/bin/env bash
# Runs every fuzz target of a clang build for a few seconds each: fuzz-smoke.sh BUILD SECONDS.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
seconds=${2:-20}
found=0
for target in "$build"/bin/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus="$build/fuzz-corpus/$name"
    mkdir -p "$corpus"
    seeds=fuzz/seeds/$name
    echo "== $name (${seconds}s)"
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=8192 -print_final_stats=0 \
        "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) 2>&1 | tail -n 3
done
[ "$found" -eq 1 ] || { echo "no fuzz targets in $build" >&2; exit 1; }
