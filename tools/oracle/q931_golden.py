#!/usr/bin/env python3
"""Records Wireshark's reading of a generated corpus of Q.931 / EDSS-1 messages.

Builds a deterministic corpus of call-control messages (every Q.931 and Q.932 message type,
realistic and boundary information elements, both directions, call references of 0, 1 and 2
octets), has Wireshark decode it through /work/shared/tools/lapd_oracle.py, and writes one JSON
object per message to tests/data/q931/wireshark.jsonl: the frame's direction and octets and the
values Wireshark found. The test suite compares the program's decoding with that file, so it
needs no Wireshark. Run it again (it needs tshark) only to extend the corpus:

    python3 tools/oracle/q931_golden.py [--seed N] [--oracle PATH] [--out FILE]
"""

import argparse
import json
import os
import random
import subprocess
import sys
import tempfile

MESSAGE_TYPES = [0x01, 0x02, 0x03, 0x05, 0x07, 0x0D, 0x0F, 0x20, 0x21, 0x22, 0x24, 0x25, 0x26,
                 0x28, 0x2D, 0x2E, 0x30, 0x31, 0x33, 0x37, 0x45, 0x46, 0x4D, 0x4E, 0x5A, 0x60,
                 0x62, 0x64, 0x6E, 0x75, 0x79, 0x7B, 0x7D]


def ie(ident, content):
    return [ident, len(content)] + list(content)


def digits(text):
    return [ord(c) for c in text]


def elements(rng):
    """The information elements a message may carry, each as its octets."""
    number = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 15)))
    other = "".join(rng.choice("0123456789*#") for _ in range(rng.randint(1, 20)))
    cause = rng.choice([1, 2, 3, 6, 16, 17, 18, 19, 21, 22, 27, 28, 31, 34, 41, 44, 47, 57, 58,
                        63, 65, 79, 81, 88, 95, 96, 97, 100, 102, 111, 127])
    location = rng.choice([0, 1, 2, 3, 4, 5, 7, 10])
    return {
        "bearer": rng.choice([
            ie(0x04, [0x80, 0x90, 0xA3]),
            ie(0x04, [0x80, 0x90, 0xA2]),
            ie(0x04, [0x88, 0x90]),
            ie(0x04, [0x89, 0x90]),
            ie(0x04, [0x90, 0x90, 0xA3]),
            ie(0x04, [0x91, 0x90, 0xA5]),
            ie(0x04, [0x88, 0x18, 0x82, 0xC1, 0x40, 0x81]),
            ie(0x04, [0x98, 0x90]),
        ]),
        "channel": rng.choice([
            ie(0x18, [0x81]), ie(0x18, [0x82]), ie(0x18, [0x83]), ie(0x18, [0x89]),
            ie(0x18, [0x8A]), ie(0x18, [0x80]), ie(0x18, [0x8C]),
            ie(0x18, [0xA9, 0x83, 0x80 | rng.randint(1, 30)]),
            ie(0x18, [0xA1, 0x83, 0x80 | rng.randint(1, 30)]),
        ]),
        "calling": rng.choice([
            ie(0x6C, [0x81] + digits(number)),
            ie(0x6C, [0x21, 0x80] + digits(number)),
            ie(0x6C, [0x41, 0xA3] + digits(number)),
            ie(0x6C, [0x11, 0x81] + digits(number)),
        ]),
        "called": rng.choice([
            ie(0x70, [0x81] + digits(number)),
            ie(0x70, [0xA1] + digits(number)),
            ie(0x70, [0xC1] + digits(number)),
            ie(0x70, [0x80] + digits(other)),
            ie(0x70, [0x89] + digits(number)),
        ]),
        "cause": rng.choice([
            ie(0x08, [0x80 | location, 0x80 | cause]),
            ie(0x08, [location, 0x80, 0x80 | cause]),
            ie(0x08, [0x80 | location, 0x80 | cause, rng.randint(0, 255)]),
        ]),
        "progress": ie(0x1E, [0x80 | rng.choice([0, 1, 2, 3, 4, 5, 7, 10]),
                              0x80 | rng.choice([1, 2, 3, 4, 5, 8])]),
        "display": ie(0x28, digits(rng.choice(["Nenad", "Call from 0301234", "A", "Z" * 32]))),
        "keypad": ie(0x2C, digits(other)),
        "signal": ie(0x34, [rng.choice([0x00, 0x01, 0x02, 0x03, 0x04, 0x3F, 0x40, 0x4F])]),
        "datetime": ie(0x29, [rng.randint(0, 99), rng.randint(1, 12), rng.randint(1, 28),
                              rng.randint(0, 23), rng.randint(0, 59)]),
        "hlc": ie(0x7D, [0x91, rng.choice([0x81, 0x84, 0xA1, 0xA4, 0xB5, 0xC1])]),
        "llc": ie(0x7C, [0x88, 0x90, 0x21]),
        "useruser": ie(0x7E, [0x04] + digits("hello")),
        "callstate": ie(0x14, [rng.choice([0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 12, 19, 25])]),
        "notification": ie(0x27, [0x80 | rng.choice([0, 1, 2])]),
        "restart": ie(0x79, [0x80 | rng.choice([0, 6, 7])]),
        "facility": ie(0x1C, [0x91, 0xA1, 0x03, 0x02, 0x01, 0x01]),
        "callid": ie(0x10, digits("ab")),
        "nsf": ie(0x20, [0x00, 0x01, 0x02]),
        "calledsub": ie(0x71, [0x80, 0x50, 0x31, 0x32]),
        "callingsub": ie(0x6D, [0x80, 0x50, 0x33]),
        "redirecting": ie(0x74, [0x01, 0x81, 0x8F] + digits(number)),
        "transit": ie(0x78, [0xA1] + digits("0123")),
        "infrate": ie(0x40, [0x8B, 0x8B, 0x8F, 0x8F]),
        "sending": [0xA1],
        "moredata": [0xA0],
        "congestion": [0xB0 | rng.choice([0, 15])],
        "repeat": [0xD1],
        "shift": [rng.choice([0x95, 0x96, 0x9D, 0x9E])],
    }


def call_reference(rng):
    kind = rng.choice([0, 1, 1, 1, 2, 2])
    if kind == 0:
        return [0x00]
    if kind == 1:
        return [0x01, (rng.randint(0, 1) << 7) | rng.randint(0, 127)]
    value = rng.randint(0, 0x7FFF)
    return [0x02, (rng.randint(0, 1) << 7) | (value >> 8), value & 0xFF]


CONTENT = {
    0x05: ["sending", "bearer", "channel", "progress", "display", "keypad", "calling",
           "callingsub", "called", "calledsub", "transit", "llc", "hlc", "useruser"],
    0x01: ["channel", "progress", "display", "signal", "hlc"],
    0x02: ["channel", "progress", "display", "hlc"],
    0x03: ["bearer", "cause", "progress", "display", "hlc"],
    0x07: ["bearer", "channel", "progress", "display", "datetime", "signal", "llc", "hlc"],
    0x0D: ["channel", "progress", "display", "signal"],
    0x0F: ["display", "signal", "channel"],
    0x45: ["cause", "progress", "display", "signal", "useruser"],
    0x4D: ["cause", "display", "signal", "useruser"],
    0x5A: ["cause", "display", "signal", "useruser"],
    0x46: ["channel", "display", "restart"],
    0x4E: ["channel", "display", "restart"],
    0x7B: ["sending", "display", "keypad", "signal", "called"],
    0x7D: ["cause", "callstate", "display"],
    0x75: ["display"],
    0x6E: ["notification", "display"],
    0x62: ["facility", "display"],
    0x25: ["callid"],
    0x26: ["callid"],
    0x2E: ["channel", "display"],
    0x22: ["cause", "display"],
    0x21: ["cause", "display"],
    0x20: ["moredata", "useruser"],
    0x79: ["congestion", "cause", "display"],
}


def message(rng, mtype):
    pool = elements(rng)
    names = list(CONTENT.get(mtype, ["display", "cause"]))
    chosen = [n for n in names if rng.random() < 0.6]
    if mtype in (0x45, 0x4D, 0x5A) and "cause" not in chosen:
        chosen.insert(0, "cause")
    if mtype == 0x05:
        for n in ("bearer", "called"):
            if n not in chosen:
                chosen.append(n)
        chosen.sort(key=names.index)
    octets = [0x08] + call_reference(rng) + [mtype]
    for n in chosen:
        octets += pool[n]
    if rng.random() < 0.05:
        octets += pool["shift"]
    return octets


def corpus(seed, count):
    rng = random.Random(seed)
    frames = []
    ns = {"U": 0, "N": 0}
    i = 0
    while len(frames) < count:
        mtype = MESSAGE_TYPES[i % len(MESSAGE_TYPES)]
        i += 1
        side = rng.choice("UN")
        address = [0x00, 0x81] if side == "U" else [0x02, 0x81]
        control = [(ns[side] << 1) & 0xFE, 0x00]
        ns[side] = (ns[side] + 1) % 128
        frames.append((side, address + control + message(rng, mtype)))
    return frames


def label_codes(labels):
    """Codes Wireshark names in its tree: type of number and numbering plan of the called and
    calling numbers, and the progress descriptions."""
    codes = {"progress": []}
    element = None
    for label in labels:
        if not label.startswith(" "):
            element = label.split(":")[0]
            continue
        if "= " not in label or not label.rstrip().endswith(")"):
            continue
        name, code = label.split("= ", 1)[1].rsplit("(", 1)
        value = int(code.rstrip(")"), 16)
        field = name.split(":")[0]
        if element in ("Called party number", "Calling party number"):
            side = "called" if element.startswith("Called") else "calling"
            if field == "Number type":
                codes[side + "_type"] = value
            elif field == "Numbering plan":
                codes[side + "_plan"] = value
        elif element == "Progress indicator" and field == "Progress description":
            codes["progress"].append(value)
    return codes


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=931)
    parser.add_argument("--count", type=int, default=330)
    parser.add_argument("--oracle", default="/work/shared/tools/lapd_oracle.py")
    parser.add_argument("--out", default=os.path.join(root, "tests/data/q931/wireshark.jsonl"))
    args = parser.parse_args()
    frames = corpus(args.seed, args.count)
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        for side, octets in frames:
            f.write(side + " " + " ".join("%02X" % o for o in octets) + "\n")
        listing = f.name
    try:
        out = subprocess.run([sys.executable, args.oracle, listing],
                             capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(listing)
    records = [json.loads(line) for line in out.splitlines() if line.strip()]
    if len(records) != len(frames):
        sys.exit("the oracle answered %d of %d frames" % (len(records), len(frames)))
    with open(args.out, "w") as f:
        for (side, octets), r in zip(frames, records):
            q = r.get("q931") or {}
            kept = {
                "dir": side,
                "octets": " ".join("%02X" % o for o in octets),
                "malformed": r.get("malformed", False),
            }
            for key in ("msg_type", "msg_name", "cr_len", "cr_value", "cr_flag", "ies", "causes",
                        "called_digits", "calling_digits", "chan_selection", "chan_numbers",
                        "itc", "itc_name"):
                if key in q:
                    kept[key] = q[key]
            kept.update(label_codes(r.get("q931_labels") or []))
            f.write(json.dumps(kept, sort_keys=True) + "\n")
    print("%d messages written to %s" % (len(frames), args.out))


if __name__ == "__main__":
    main()
