#!/usr/bin/env python3
"""Decodes the call-control messages of real D-channel captures with the shipped notation tables.

Reads the pcap captures of /work/shared/captures/real (raw LAPD, link type 203, and Linux LAPD,
link type 177), takes every I or UI frame on SAPI 0 carrying protocol discriminator 08, removes
the call reference as the program does, decodes the message with `quorvane-cli pdu` against the
variant's notation folder and lists every message that yields a "DECODING ERROR" row.

    python3 tools/oracle/real_captures.py [--cli PATH] [--variant CODE] [CAPTURE ...]

Exit status 0 when no well-formed message gives a decoding error, 1 otherwise.
"""

import argparse
import glob
import os
import struct
import subprocess
import sys


def pcap_frames(path):
    data = open(path, "rb").read()
    if len(data) < 24:
        return
    magic, = struct.unpack("<I", data[:4])
    endian = "<" if magic == 0xA1B2C3D4 else ">"
    link, = struct.unpack(endian + "I", data[20:24])
    off = 24
    while off + 16 <= len(data):
        _, _, incl, _ = struct.unpack(endian + "IIII", data[off:off + 16])
        off += 16
        frame = data[off:off + incl]
        off += incl
        if link == 177:
            frame = frame[16:]
        elif link != 203:
            return
        yield frame


def q931_messages(frame):
    if len(frame) < 4 or frame[0] >> 2 != 0:
        return None
    control = frame[2]
    if control & 1 == 0:
        info = frame[4:]
    elif control & 0xEF == 0x03:
        info = frame[3:]
    else:
        return None
    if len(info) < 3 or info[0] != 0x08:
        return None
    c = info[1] & 0x0F
    return bytes([info[0]]) + info[2 + c:]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default=os.path.join(root, "build/bin/quorvane-cli"))
    parser.add_argument("--variant", default="EDSS")
    # The GSM Abis capture carries RSL, not Q.931, on SAPI 0: it is not a D-channel capture.
    parser.add_argument("captures", nargs="*",
                        default=sorted(p for p in glob.glob("/work/shared/captures/real/*.pcap")
                                       if "abis" not in os.path.basename(p)))
    args = parser.parse_args()
    folder = os.path.join(os.path.dirname(args.cli), "ISDNNOT", args.variant)
    checked = failed = 0
    for path in args.captures:
        for frame in pcap_frames(path):
            message = q931_messages(frame)
            if message is None:
                continue
            checked += 1
            run = subprocess.run([args.cli, "pdu", "--notation", folder, "--list",
                                  args.variant + "EN.LST", message.hex()],
                                 capture_output=True, text=True, errors="replace")
            if run.returncode != 0:
                sys.exit("%s: %s" % (args.cli, run.stderr.strip() or "failed"))
            out = run.stdout
            if "DECODING ERROR" in out:
                failed += 1
                print("%s: %s" % (os.path.basename(path), message.hex(" ")))
                for line in out.splitlines():
                    if "DECODING ERROR" in line:
                        print("    " + line)
    print("%d call-control messages decoded, %d with a decoding error" % (checked, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
