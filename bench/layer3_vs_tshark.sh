#!/usr/bin/env bash
# The layer-3 summary columns of a generated 1,000,000-frame capture: quorvane-cli against
# tshark -T fields printing the same columns from the same frames exported to pcap, in one run.
#   bench/layer3_vs_tshark.sh [FRAMES]     (needs tshark; the pcap is written once and kept)
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-1000000}
command -v tshark >/dev/null || { echo "tshark is not installed" >&2; exit 1; }
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_GUI=OFF \
    -DQUORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)" --target quorvane-cli >/dev/null
cli=build-release/bin/quorvane-cli
capture=${TMPDIR:-/tmp}/quorvane-bench-realtime-$frames.lvt
pcap=${TMPDIR:-/tmp}/quorvane-bench-realtime-$frames.pcap
[ -f "$capture" ] ||
    "$cli" generate --scenario mix --frames "$frames" --layout realtime -o "$capture" >/dev/null
if [ ! -f "$pcap" ]; then
    # The same frames, in the link type the reference decoder reads (LAPD with direction).
    "$cli" records "$capture" | awk -F'\t' '$4 == "frame" && $5 == "Good" {
            split($6, d, " "); side = (d[1] == "==>") ? "U" : "N"; print side " " $8 }' \
        > "${pcap%.pcap}.frames"
    python3 /work/shared/tools/lapd_oracle.py --write-only --pcap "$pcap" "${pcap%.pcap}.frames"
fi
python3 - "$cli" "$capture" "$pcap" <<'PY'
import subprocess, sys, time
cli, capture, pcap = sys.argv[1:4]
def timed(args):
    start = time.perf_counter()
    subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start
ours = min(timed([cli, "summary", capture, "--format", "csv",
                  "--columns", "0,23,24,25,26,28,29,30,31,35"]) for _ in range(3))
theirs = timed(["tshark", "-n", "-r", pcap, "-T", "fields", "-E", "separator=,",
                "-e", "frame.number", "-e", "q931.disc", "-e", "q931.call_ref_len",
                "-e", "q931.call_ref_flag", "-e", "q931.call_ref", "-e", "q931.message_type",
                "-e", "q931.calling_party_number.digits", "-e", "q931.called_party_number.digits",
                "-e", "q931.channel.selection", "-e", "q931.cause_value"])
print(f"quorvane-cli summary, layer-3 columns: {ours:.2f} s (best of 3)")
print(f"tshark -T fields, same columns:        {theirs:.2f} s")
print(f"ratio: {theirs / ours:.1f} x")
PY
