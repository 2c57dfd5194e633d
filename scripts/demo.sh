#!/usr/bin/env bash
# Sets up, builds and shows the bundled demo capture: in the desktop program when a display is
# available, otherwise through the command line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
sample=data/samples/demo.lvt
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/quorvane "$sample"
fi
build/bin/quorvane-cli info "$sample"
build/bin/quorvane-cli summary "$sample"
echo
echo "Calls of data/samples/calls.lvt:"
build/bin/quorvane-cli summary data/samples/calls.lvt --columns 0,2,3,28,29,30,31,35 | sed -n '1,41p'
echo
echo "Detail of frame 4:"
build/bin/quorvane-cli detail "$sample" --frame 4 --hexa
