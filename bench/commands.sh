#!/usr/bin/env bash
# Whole-command timings on a generated large capture, release build:
#   bench/commands.sh [FRAMES]   (default 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-1000000}
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_GUI=OFF \
    -DQUORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)" --target quorvane-cli >/dev/null
cli=build-release/bin/quorvane-cli
# The same traffic in both layouts: a PC capture (real-time layout) and a tester's stored file.
for layout in realtime stored; do
    capture=${TMPDIR:-/tmp}/quorvane-bench-$layout-$frames.lvt
    [ -f "$capture" ] ||
        "$cli" generate --scenario mix --frames "$frames" --layout "$layout" -o "$capture" >/dev/null
    echo "== $layout layout, $frames frames"
    python3 - "$cli" "$capture" "$frames" <<'PY'
import statistics, subprocess, sys, time
cli, capture, frames = sys.argv[1], sys.argv[2], int(sys.argv[3])

def timed(args, runs):
    subprocess.run(args, stdout=subprocess.DEVNULL, check=True)  # warm the page cache
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(args, stdout=subprocess.DEVNULL, check=True)
        times.append(time.perf_counter() - start)
    return times

summary = timed([cli, "summary", capture, "--format", "csv"], 3)
best = min(summary)
print(f"summary --format csv, default columns: best {best:.3f} s of 3 "
      f"= {frames / best / 1e6:.2f} M frames/s")
tracked = timed([cli, "summary", capture, "--format", "csv", "--local", "0301234567",
                 "--remote", "*4321"], 3)
best = min(tracked)
print(f"summary --format csv --local 0301234567 --remote '*4321' (call tracking): best "
      f"{best:.3f} s of 3 = {frames / best / 1e6:.2f} M frames/s")
for option, out in (("--lvt", capture + ".copy.lvt"), ("--pcap", capture + ".pcap")):
    export = timed([cli, "export", capture, option, out], 3)
    best = min(export)
    print(f"export {option} (every frame): best {best:.3f} s of 3 = "
          f"{frames / best / 1e6:.2f} M frames/s")
calls = timed([cli, "calls", capture], 3)
best = min(calls)
print(f"calls (call list): best {best:.3f} s of 3 = {frames / best / 1e6:.2f} M frames/s")
for command in ("expert", "stats"):
    walked = timed([cli, command, capture], 3)
    best = min(walked)
    print(f"{command} (every frame): best {best:.3f} s of 3 = {frames / best / 1e6:.2f} M frames/s")
detail = timed([cli, "detail", capture, "--frame", str(frames // 2), "--hexa"], 21)
print(f"detail --frame {frames // 2} --hexa: median {statistics.median(detail) * 1000:.1f} ms, "
      f"worst {max(detail) * 1000:.1f} ms of 21")
start = timed(["/bin/true"], 21)
print(f"(process start of /bin/true: median {statistics.median(start) * 1000:.1f} ms)")
PY
done
