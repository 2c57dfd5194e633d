#!/usr/bin/env bash
# Our pcap export read by Wireshark: the generated "calls" capture exported as pcap and pcapng,
# dissected by tshark, and compared with the golden reading kept in tests/data/pcap/. A
# developer tool outside the build and the test suite (it needs tshark).
#   tools/oracle/pcap_agreement.sh [CLI] [--update]
set -euo pipefail
cd "$(dirname "$0")/../.."
cli=${1:-build/bin/quorvane-cli}
golden=tests/data/pcap/calls_tshark.txt
command -v tshark >/dev/null || { echo "tshark is not installed" >&2; exit 2; }
[ -x "$cli" ] || { echo "$cli: no such program (build quorvane-cli first)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" generate --scenario calls --layout realtime -o "$work/calls.lvt" >/dev/null
status=0
for ext in pcap pcapng; do
    "$cli" export "$work/calls.lvt" --pcap "$work/calls.$ext" >/dev/null
    tshark -n -r "$work/calls.$ext" -T fields -e frame.number -e lapd.direction -e lapd.cr \
        -e q931.message_type >"$work/calls.$ext.txt" 2>/dev/null
    if [ "${2:-}" = "--update" ] && [ "$ext" = pcap ]; then
        cp "$work/calls.$ext.txt" "$golden"
        echo "$golden: written again"
    elif ! diff -u "$golden" "$work/calls.$ext.txt"; then
        echo "calls.$ext: tshark reads it otherwise than the golden file" >&2
        status=1
    fi
done
# Every frame must carry a direction and a C/R bit that Wireshark could read.
if awk -F'\t' '$2 == "" || $3 == "" { bad = 1 } END { exit !bad }' "$work/calls.pcap.txt"; then
    echo "some frames have no lapd.direction or lapd.cr" >&2
    status=1
fi
[ $status -eq 0 ] && echo "tshark agrees: $(wc -l <"$golden") frames, pcap and pcapng"
exit $status
