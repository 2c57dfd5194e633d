#!/usr/bin/env python3
"""Records Wireshark's reading of a generated corpus of X.25 packets on LAPD SAPI 16.

Builds a deterministic corpus of X.25 packets (every packet type of the packet layer, modulo 8
and modulo 128, both address formats, facilities, user data, boundary causes and diagnostics,
both directions) in LAPD I frames for SAPI 16 TEI 64, has Wireshark decode them through
/work/shared/tools/lapd_oracle.py, and writes one JSON object per packet to
tests/data/x25/wireshark.jsonl: the frame's direction and octets, the values the generator put
into the packet ("built_*") and the values Wireshark found ("ws_*"). The test suite compares
the program's decoding with that file, so it needs no Wireshark. Run it again (it needs tshark)
only to change the corpus:

    python3 tools/oracle/x25_golden.py [--seed N] [--count N] [--oracle PATH] [--out FILE]
"""

import argparse
import json
import os
import random
import re
import subprocess
import sys
import tempfile

CLEARING_CAUSES = [0x00, 0x01, 0x02, 0x03, 0x05, 0x09, 0x0B, 0x0D, 0x11, 0x13, 0x15, 0x19,
                   0x21, 0x29, 0x39, 0x80, 0x85, 0x7F]
RESETTING_CAUSES = [0x00, 0x01, 0x03, 0x05, 0x07, 0x09, 0x0F, 0x11, 0x1D, 0x80, 0x8F, 0x13]
RESTARTING_CAUSES = [0x00, 0x01, 0x03, 0x07, 0x7F, 0x80]
REGISTRATION_CAUSES = [0x7F, 0x03, 0x13, 0x05]
DIAGNOSTICS = [0, 1, 2, 16, 17, 20, 29, 32, 38, 40, 43, 48, 49, 53, 64, 66, 67, 72, 78, 80,
               84, 96, 112, 122, 3, 15, 31, 47, 54, 63, 79, 85, 95, 97, 111, 123, 128, 200, 255]

# Packet kinds, cycled through in this order.
KINDS = ["data8", "data128", "rr8", "rr128", "rnr8", "rnr128", "rej8", "rej128", "call",
         "call_fac", "call_acc", "call_conn", "clear", "clear_ext", "clear_conf",
         "clear_conf_ext", "intr", "intr_conf", "reset", "reset_conf", "restart",
         "restart_conf", "diag", "reg_req", "reg_conf", "call_typed", "unknown"]

UNKNOWN_TYPES = [0x03, 0x07, 0x0D, 0x11, 0x15, 0x19, 0x2B, 0x33, 0x37, 0xF5, 0xF9, 0xFD]


def number(rng, low=0, high=15):
    return "".join(rng.choice("0123456789") for _ in range(rng.randint(low, high)))


def semi_octets(nibbles):
    if len(nibbles) % 2:
        nibbles = nibbles + [0]
    return [nibbles[k] * 16 + nibbles[k + 1] for k in range(0, len(nibbles), 2)]


def plain_addresses(called, calling):
    """The A = 0 address block: length octet, then called and calling digits."""
    return [len(calling) * 16 + len(called)] + semi_octets([int(c) for c in called + calling])


def typed_addresses(called, calling, toa=1, npi=3):
    """The A = 1 address block: called and calling lengths in semi-octets with type and plan."""
    a = [toa, npi] + [int(c) for c in called] if called is not None else []
    b = [toa, npi] + [int(c) for c in calling] if calling is not None else []
    return [len(a), len(b)] + semi_octets(a + b)


def facilities(rng, allow_rest):
    """A facility field: its octets and the codes of its entries."""
    pool = [
        [0x42, rng.choice([4, 5, 6, 7, 8, 9, 10, 11, 12]), rng.choice([4, 7, 8, 10])],
        [0x43, rng.randint(1, 7), rng.randint(1, 127)],
        [0x02, rng.randint(3, 13) * 16 + rng.randint(3, 13)],
        [0x03, rng.randint(0, 9) * 16 + rng.randint(0, 9)],
        [0x09, rng.randint(0, 9) * 16 + rng.randint(0, 9)],
        [0x47, rng.randint(0, 0x99) & 0x99, rng.randint(0, 0x99) & 0x99],
        [0x48, 0x12, 0x34],
        [0x41, 0x00, 0x42],
        [0xC6, 2, rng.randint(0, 255), rng.randint(0, 255)],
    ]
    chosen = [f for f in pool if rng.random() < 0.35] or [pool[0]]
    rng.shuffle(chosen)
    if allow_rest and rng.random() < 0.25:
        # Reverse charging: a code the program lists without decoding, and it takes the rest.
        chosen.insert(rng.randint(0, len(chosen)), [0x01, 0x01])
    octets = [o for f in chosen for o in f]
    return [len(octets)] + octets, [f[0] for f in chosen]


def packet(rng, kind, side, lcn):
    """The octets of one packet and what the generator put into it."""
    gfi8, gfi128 = 0x10, 0x20
    group, channel = lcn >> 8, lcn & 0xFF
    built = {"type": None, "called": None, "calling": None, "facilities": [], "cause": None,
             "diagnostic": None, "ps": None, "pr": None, "a_bit": 0}

    def head(gfi, t, logical=True):
        built["type"] = t
        return [gfi | (group if logical else 0), channel if logical else 0, t]

    if kind in ("data8", "data128"):
        ps, pr = rng.randint(0, 7 if kind == "data8" else 127), rng.randint(0, 7 if kind ==
                                                                              "data8" else 127)
        m = rng.randint(0, 1)
        q = rng.choice([0, 0x80])
        built.update(ps=ps, pr=pr, type=0)
        body = bytes(rng.randint(0, 255) for _ in range(rng.randint(0, 12)))
        if kind == "data8":
            return [q | gfi8 | group, channel, (pr << 5) | (m << 4) | (ps << 1)] + list(body), \
                built
        return [q | gfi128 | group, channel, ps << 1, (pr << 1) | m] + list(body), built
    if kind in ("rr8", "rr128", "rnr8", "rnr128", "rej8", "rej128"):
        t = {"rr": 0x01, "rn": 0x05, "re": 0x09}[kind[:2]]
        built["type"] = t
        if kind.endswith("8") and not kind.endswith("128"):
            pr = rng.randint(0, 7)
            built["pr"] = pr
            return [gfi8 | group, channel, (pr << 5) | t], built
        pr = rng.randint(0, 127)
        built["pr"] = pr
        return [gfi128 | group, channel, t, pr << 1], built
    if kind in ("call", "call_fac", "call_acc", "call_conn", "call_typed"):
        t = 0x0B if kind in ("call", "call_fac", "call_typed") else 0x0F
        gfi = rng.choice([gfi8, gfi128])
        called, calling = number(rng), number(rng)
        if kind in ("call_acc", "call_conn") and rng.random() < 0.3:
            return head(gfi, t), built  # the basic format: no address block
        if kind == "call_typed":
            built["a_bit"] = 1
            called, calling = number(rng, 1, 12), number(rng, 0, 12)
            octets = head(0x80 | gfi, t) + typed_addresses(called, calling or None)
            calling = calling or "-"
        else:
            octets = head(gfi, t) + plain_addresses(called, calling)
        built["called"], built["calling"] = called or "-", calling or "-"
        if kind == "call_fac" or rng.random() < 0.4:
            field, codes = facilities(rng, allow_rest=True)
            built["facilities"] = codes
            octets += field
        else:
            octets += [0]
        if t == 0x0B and rng.random() < 0.7:
            octets += [0x01, 0x00, 0x00, 0x00] + [rng.randint(0, 255)
                                                  for _ in range(rng.randint(0, 12))]
        return octets, built
    if kind in ("clear", "clear_ext"):
        cause, diag = rng.choice(CLEARING_CAUSES), rng.choice(DIAGNOSTICS)
        built.update(cause=cause, diagnostic=diag)
        if kind == "clear":
            octets = head(gfi8, 0x13) + [cause, diag]
            return (octets if rng.random() < 0.8 else octets[:4]), built
        called, calling = number(rng, 0, 10), number(rng, 0, 10)
        built["called"], built["calling"] = called or "-", calling or "-"
        field, codes = facilities(rng, allow_rest=False)
        built["facilities"] = codes
        octets = head(gfi128, 0x13) + [cause, diag] + plain_addresses(called, calling) + field
        if rng.random() < 0.5:
            octets += [rng.randint(0, 255) for _ in range(rng.randint(1, 16))]
        return octets, built
    if kind in ("clear_conf", "clear_conf_ext"):
        if kind == "clear_conf":
            return head(rng.choice([gfi8, gfi128]), 0x17), built
        called, calling = number(rng, 0, 10), number(rng, 0, 10)
        built["called"], built["calling"] = called or "-", calling or "-"
        octets = head(gfi8, 0x17) + plain_addresses(called, calling)
        return (octets + [0] if rng.random() < 0.7 else octets), built
    if kind == "intr":
        return head(rng.choice([gfi8, gfi128]), 0x23) + [rng.randint(0, 255)], built
    if kind == "intr_conf":
        return head(rng.choice([gfi8, gfi128]), 0x27), built
    if kind == "reset":
        cause, diag = rng.choice(RESETTING_CAUSES), rng.choice(DIAGNOSTICS)
        built.update(cause=cause, diagnostic=diag)
        return head(rng.choice([gfi8, gfi128]), 0x1B) + [cause, diag], built
    if kind == "reset_conf":
        return head(rng.choice([gfi8, gfi128]), 0x1F), built
    if kind == "restart":
        cause, diag = rng.choice(RESTARTING_CAUSES), rng.choice(DIAGNOSTICS)
        built.update(cause=cause, diagnostic=diag)
        return head(gfi8, 0xFB, logical=False) + [cause, diag], built
    if kind == "restart_conf":
        return head(gfi8, 0xFF, logical=False), built
    if kind == "diag":
        diag = rng.choice(DIAGNOSTICS)
        built["diagnostic"] = diag
        return head(gfi8, 0xF1, logical=False) + [diag, gfi8 | group, channel, 0x0B], built
    if kind == "reg_req":
        called, calling = number(rng, 1, 15), number(rng, 1, 15)
        built["called"], built["calling"] = called, calling
        return head(gfi8, 0xF3, logical=False) + plain_addresses(called, calling) + [0], built
    if kind == "reg_conf":
        cause = rng.choice(REGISTRATION_CAUSES)
        called, calling = number(rng, 1, 15), number(rng, 1, 15)
        built.update(cause=cause, diagnostic=0, called=called, calling=calling)
        return head(gfi8, 0xF7, logical=False) + [cause, 0] + plain_addresses(called, calling) + \
            [0], built
    t = rng.choice(UNKNOWN_TYPES)
    return head(gfi8, t) + [rng.randint(0, 255)], built


def corpus(seed, count):
    rng = random.Random(seed)
    frames = []
    ns = {"U": 0, "N": 0}
    i = 0
    while len(frames) < count:
        kind = KINDS[i % len(KINDS)]
        i += 1
        if kind in ("call", "call_fac", "call_typed", "reg_req"):
            side = "U" if kind == "reg_req" else rng.choice("UN")
        elif kind in ("call_acc",):
            side = "U"
        elif kind in ("call_conn", "reg_conf"):
            side = "N"
        else:
            side = rng.choice("UN")
        lcn = rng.choice([1, 5, 0x0FF, 0x105, 0x7FF, 0xFFF, rng.randint(1, 0xFFF)])
        octets, built = packet(rng, kind, side, lcn)
        address = [0x40, 0x81] if side == "U" else [0x42, 0x81]
        control = [(ns[side] << 1) & 0xFE, (ns["N" if side == "U" else "U"] << 1) & 0xFE]
        ns[side] = (ns[side] + 1) % 128
        frames.append((side, kind, address + control + octets, built))
    return frames


CODE = re.compile(r"^\s*Code: .*\(0x([0-9a-fA-F]{2})\)$")
LABELLED = re.compile(r"^\s*(DCE address|DTE address|Cause): (.*)$")


def from_labels(labels):
    """What the oracle's summary leaves out: facility codes, registration addresses, cause."""
    found = {"facilities": [], "dce": None, "dte": None, "cause": None}
    for label in labels:
        m = CODE.match(label)
        if m:
            found["facilities"].append(int(m.group(1), 16))
            continue
        m = LABELLED.match(label)
        if not m:
            continue
        if m.group(1) == "DCE address":
            found["dce"] = m.group(2)
        elif m.group(1) == "DTE address":
            found["dte"] = m.group(2)
        else:
            value = re.search(r"\((0x[0-9a-fA-F]+|\d+)\)$", m.group(2))
            if value:
                found["cause"] = int(value.group(1), 0)
    return found


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=25)
    parser.add_argument("--count", type=int, default=270)
    parser.add_argument("--oracle", default="/work/shared/tools/lapd_oracle.py")
    parser.add_argument("--out", default=os.path.join(root, "tests/data/x25/wireshark.jsonl"))
    args = parser.parse_args()
    frames = corpus(args.seed, args.count)
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        for side, _, octets, _ in frames:
            f.write(side + " " + " ".join("%02X" % o for o in octets) + "\n")
        listing = f.name
    try:
        out = subprocess.run([sys.executable, args.oracle, "--no-labels", "--all-labels",
                              listing], capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(listing)
    records = [json.loads(line) for line in out.splitlines() if line.strip()]
    if len(records) != len(frames):
        sys.exit("the oracle answered %d of %d frames" % (len(records), len(frames)))
    os.makedirs(os.path.dirname(args.out), exist_ok=True)
    with open(args.out, "w") as f:
        for (side, kind, octets, built), r in zip(frames, records):
            x = r.get("x25") or {}
            labels = from_labels((r.get("labels") or {}).get("x25", []))
            kept = {
                "dir": side,
                "kind": kind,
                "octets": " ".join("%02X" % o for o in octets),
                "malformed": r.get("malformed", False),
                "ws_lcn": x.get("lcn"),
                "ws_type": x.get("type"),
                "ws_ps": x.get("ps"),
                "ws_pr": x.get("pr"),
                "ws_called": x.get("called") if x.get("called") is not None else labels["dce"],
                "ws_calling": x.get("calling") if x.get("calling") is not None
                else labels["dte"],
                "ws_cause": x.get("cause") if x.get("cause") is not None else labels["cause"],
                "ws_diagnostic": x.get("diagnostic"),
                "ws_facilities": labels["facilities"],
            }
            for key, value in built.items():
                kept["built_" + key] = value
            f.write(json.dumps(kept, sort_keys=True) + "\n")
    print("%d packets written to %s" % (len(frames), args.out))


if __name__ == "__main__":
    main()
