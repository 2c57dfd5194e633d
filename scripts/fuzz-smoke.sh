#!/usr/bin/env bash
# Runs every fuzz target of a clang build for a while each and reports what each reached:
# fuzz-smoke.sh BUILD SECONDS. Fails when a target finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
seconds=${2:-20}
found=0
failed=0
report=""
for target in "$build"/bin/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    corpus="$build/fuzz-corpus/$name"
    mkdir -p "$corpus"
    seeds=fuzz/seeds/$name
    log="$build/fuzz-corpus/$name.log"
    echo "== $name (${seconds}s)"
    status=0
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=8192 \
        "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) >"$log" 2>&1 || status=$?
    tail -n 3 "$log"
    runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
    cov=$(sed -n 's/.*DONE *cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then result=clean; else result="FAULT (status $status, see $log)"; failed=1; fi
    report+=$(printf '%-26s %10s runs  cov %5s  ft %6s  %s' "$name" "${runs:-?}" \
        "${cov%% *}" "${cov##* }" "$result")$'\n'
done
[ "$found" -eq 1 ] || { echo "no fuzz targets in $build" >&2; exit 1; }
printf '\n%s' "$report"
exit "$failed"
