#!/usr/bin/env python3
"""Agreement check of Quorvane's LAPD decoding against Wireshark.

Generates a deterministic corpus of LAPD frames (I, S and U frames, TEI
management, over-long and malformed ones), writes it both as a scenario for
the capture synthesiser and as a frame list for the Wireshark-backed
reference decoder, decodes it with both, and compares per frame:

    SAPI, TEI, command/response, frame type, N(S), N(R), P/F (role),
    TEI management: MEI, message type, Ri, Ai, Ai extension bit, multiple Ai.

Usage:
    lapd_agreement.py [--seed S] [--frames N] [--cli PATH] [--oracle PATH]
                      [--keep DIR] [--corpus-only]

A disagreement that follows from one of Quorvane's documented display rules
(an over-long frame refused with "?", a TEI management error shown as "?",
the P/F column naming the bit's role rather than its value) or from a known
Wireshark habit (HDLC names SARM and RD, no dissection of a UI frame with
P=1) is listed as expected; any other disagreement is unexpected.

Exit status: 0 when there is no unexpected disagreement, 1 when there is one,
2 for bad usage or a tool that failed (generation, summary, oracle).

This is a developer tool: it needs tshark and belongs to neither the build nor
the test suite.
"""

import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

# --------------------------------------------------------------------------
# LAPD octets
# --------------------------------------------------------------------------

S_CONTROL = {"RR": 0x01, "RNR": 0x05, "REJ": 0x09}
U_CONTROL = {"SABME": 0x6F, "DM": 0x0F, "DISC": 0x43, "UA": 0x63,
             "FRMR": 0x87, "UI": 0x03, "XID": 0xAF}
# The role each U frame normally has (XID may be either).
U_NATURAL_ROLE = {"SABME": "command", "DISC": "command", "UI": "command",
                  "DM": "response", "UA": "response", "FRMR": "response",
                  "XID": None}

N201 = 260                 # default maximum number of information octets
FRMR_INFO_OCTETS = 5       # the FRMR information field with modulo 128

TEI_MSG_NAMES = {1: "ID.REQUEST", 2: "ID.ASSIGN", 3: "ID.DENIED",
                 4: "ID.CHK.REQ", 5: "ID.CHK.RES", 6: "ID.REMOVE",
                 7: "ID.VERIFY"}
# Side that normally sends each TEI management message.
TEI_MSG_SENDER = {1: "te", 2: "nt", 3: "nt", 4: "nt", 5: "te", 6: "nt",
                  7: "te"}
TEI_MEI = 0x0F

ORACLE_DIR = {"te": "U", "nt": "N"}


def cr_bit(direction, role):
    """C/R bit of a frame: commands from the user side carry 0, from the
    network side 1; responses the opposite."""
    command = role == "command"
    return (0 if command else 1) if direction == "te" else (1 if command else 0)


def address(sapi, tei, direction, role):
    return [(sapi << 2) | (cr_bit(direction, role) << 1), (tei << 1) | 1]


class Frame:
    """One corpus frame with what the generator put into it."""

    def __init__(self, category, direction, octets, **truth):
        self.category = category
        self.direction = direction
        self.octets = bytes(octets)
        self.number = 0
        self.truth = truth            # sapi, tei, role, ftype, ns, nr, pf, ...
        self.overlong = truth.pop("overlong", False)
        self.bad_mei = truth.pop("bad_mei", False)

    @property
    def hex(self):
        return " ".join(f"{b:02X}" for b in self.octets)

    def short_hex(self, limit=24):
        """The hex octets, the middle of a long frame left out."""
        if len(self.octets) <= limit + 8:
            return self.hex
        head = " ".join(f"{b:02X}" for b in self.octets[:limit])
        tail = " ".join(f"{b:02X}" for b in self.octets[-4:])
        return f"{head} ... ({len(self.octets) - limit - 4} octets) ... {tail}"


def i_frame(category, direction, sapi, tei, role, ns, nr, p, info, overlong=False):
    octets = address(sapi, tei, direction, role) + [ns << 1, (nr << 1) | p] + list(info)
    return Frame(category, direction, octets, sapi=sapi, tei=tei, role=role,
                 ftype="I", ns=ns, nr=nr, pf=p, overlong=overlong)


def s_frame(category, direction, sapi, tei, role, name, nr, pf, trailing=()):
    octets = (address(sapi, tei, direction, role) + [S_CONTROL[name], (nr << 1) | pf]
              + list(trailing))
    return Frame(category, direction, octets, sapi=sapi, tei=tei, role=role,
                 ftype=name, ns=None, nr=nr, pf=pf, overlong=bool(trailing))


def u_frame(category, direction, sapi, tei, role, name, pf, info=(), overlong=False,
            tei_mgmt=None, bad_mei=False):
    octets = (address(sapi, tei, direction, role) + [U_CONTROL[name] | (pf << 4)]
              + list(info))
    return Frame(category, direction, octets, sapi=sapi, tei=tei, role=role,
                 ftype=name, ns=None, nr=None, pf=pf, overlong=overlong,
                 tei_mgmt=tei_mgmt, bad_mei=bad_mei)


def tei_message(msg, ri, ais, mei=TEI_MEI):
    """TEI management information field; ais is the list of Ai values."""
    octets = [mei, ri >> 8, ri & 0xFF, msg]
    for k, ai in enumerate(ais):
        octets.append((ai << 1) | (1 if k == len(ais) - 1 else 0))
    return octets


# --------------------------------------------------------------------------
# corpus
# --------------------------------------------------------------------------

Q931_MESSAGES = [0x05, 0x0D, 0x02, 0x01, 0x07, 0x0F, 0x45, 0x4D, 0x5A, 0x7B,
                 0x75, 0x7D, 0x62, 0x6E]
Q931_IES = [[0x04, 0x03, 0x80, 0x90, 0xA3], [0x18, 0x01, 0x89],
            [0x18, 0x01, 0x8A], [0x08, 0x02, 0x80, 0x90],
            [0x70, 0x05, 0x81, 0x31, 0x32, 0x33, 0x34], [0x1E, 0x02, 0x82, 0x88],
            [0x6C, 0x04, 0x01, 0x80, 0x35, 0x36], [0xA1]]


class Corpus:
    def __init__(self, seed):
        self.rng = random.Random(seed)

    # random pieces ---------------------------------------------------------
    def direction(self):
        return self.rng.choice(("te", "nt"))

    def tei(self):
        return self.rng.randrange(128)

    def bit(self):
        return self.rng.randrange(2)

    def seq(self):
        return self.rng.randrange(128)

    def q931(self, length=None):
        r = self.rng
        cref = r.randrange(1, 128) | (0x80 if r.random() < 0.5 else 0)
        octets = [0x08, 0x01, cref, r.choice(Q931_MESSAGES)]
        for _ in range(r.randrange(0, 3)):
            octets += r.choice(Q931_IES)
        if length is not None:
            # Fill with a user-user style tail up to the wanted length.
            octets = (octets + [0x55] * length)[:length]
        return octets

    def x25(self):
        r = self.rng
        lcn = r.randrange(1, 4096)
        kind = r.choice(([0x0B, 0x00, 0x00], [0x13, 0x01, 0x42], [0x01],
                         [(r.randrange(8) << 5) | 0x01], [0x00, 0x41, 0x42]))
        return [0x10 | (lcn >> 8), lcn & 0xFF] + kind

    def payload(self, sapi):
        if sapi == 0:
            return self.q931()
        if sapi == 16:
            return self.x25()
        return [self.rng.randrange(256) for _ in range(self.rng.randrange(1, 12))]

    def role(self, natural, share=0.8):
        if natural is None:
            return self.rng.choice(("command", "response"))
        other = "response" if natural == "command" else "command"
        return natural if self.rng.random() < share else other

    # frame makers ----------------------------------------------------------
    def make_i(self, sapi, length=None, category=None, overlong=False):
        info = self.payload(sapi) if length is None else self.q931(length)
        return i_frame(category or f"I SAPI {sapi}", self.direction(), sapi, self.tei(),
                       self.role("command"), self.seq(), self.seq(), self.bit(), info,
                       overlong=overlong)

    def make_s(self, name=None, trailing=0):
        name = name or self.rng.choice(tuple(S_CONTROL))
        tail = [self.rng.randrange(256) for _ in range(trailing)]
        sapi = self.rng.choice((0, 0, 0, 16, 1))
        return s_frame("S over-long" if trailing else f"S {name}", self.direction(), sapi,
                       self.tei(), self.role(None), name, self.seq(), self.bit(), tail)

    def make_u(self, name=None, trailing=0):
        name = name or self.rng.choice(("SABME", "DM", "DISC", "UA"))
        tail = [self.rng.randrange(256) for _ in range(trailing)]
        sapi = self.rng.choice((0, 0, 0, 16, 1))
        return u_frame("U over-long" if trailing else f"U {name}", self.direction(), sapi,
                       self.tei(), self.role(U_NATURAL_ROLE[name]), name, self.bit(),
                       tail, overlong=bool(trailing))

    def make_frmr(self, extra=0):
        r = self.rng
        rejected = r.choice((
            [r.randrange(128) << 1, r.randrange(256)],             # an I frame
            [r.choice(tuple(S_CONTROL.values())), r.randrange(256)],
            [r.choice((0x6F, 0x43, 0x0F, 0x63)) | (r.randrange(2) << 4), 0x00]))
        info = rejected + [r.randrange(128) << 1, (r.randrange(128) << 1) | r.randrange(2),
                           r.choice((0x01, 0x03, 0x04, 0x08, 0x00))]
        info += [r.randrange(256) for _ in range(extra)]
        return u_frame("FRMR over-long" if extra else "U FRMR", self.direction(),
                       r.choice((0, 0, 16)), self.tei(), self.role("response"), "FRMR",
                       self.bit(), info, overlong=bool(extra))

    def make_xid(self, with_info):
        r = self.rng
        info = []
        if with_info:
            info = r.choice(([0x82, 0x80, 0x00], [0x82, 0x80, 0x03, 0x05, 0x01, 0x07],
                             [r.randrange(256) for _ in range(r.randrange(1, 20))]))
        return u_frame("U XID with info" if with_info else "U XID", self.direction(),
                       r.choice((0, 0, 16, 1)), self.tei(), self.role(None), "XID",
                       self.bit(), info)

    def make_ui(self, sapi=0, length=None, overlong=False, category=None):
        r = self.rng
        tei = 127 if r.random() < 0.6 else self.tei()
        info = self.q931(length) if sapi == 0 else self.payload(sapi)
        return u_frame(category or f"UI SAPI {sapi}", self.direction(), sapi, tei,
                       self.role("command", 0.85), "UI", self.bit(), info,
                       overlong=overlong)

    def ai_list(self, msg, multiple):
        r = self.rng
        if multiple:
            return [r.randrange(128) for _ in range(r.randrange(2, 6))]
        if msg == 1:
            return [127 if r.random() < 0.8 else r.randrange(64, 127)]
        if msg in (4, 6):
            return [127 if r.random() < 0.4 else r.randrange(128)]
        return [r.randrange(128)]

    def make_tei(self, msg=None, ri=None, ais=None, multiple=False, mei=TEI_MEI,
                 category=None, tei=127, length=None, pf=0):
        r = self.rng
        msg = r.randrange(1, 8) if msg is None else msg
        ri = r.randrange(65536) if ri is None else ri
        ais = self.ai_list(msg, multiple) if ais is None else ais
        sender = TEI_MSG_SENDER.get(msg) or self.direction()
        if r.random() < 0.15:
            sender = "nt" if sender == "te" else "te"
        info = tei_message(msg, ri, ais, mei)
        overlong = False
        if length is not None:
            info = (info + [0xFF] * length)[:length]
            overlong = length > N201
        truth = {"mei": mei, "msg": msg, "ri": ri, "ais": ais}
        if category is None:
            category = "TEI multiple Ai" if len(ais) > 1 else "TEI single Ai"
        return u_frame(category, sender, 63, tei, self.role("command", 0.85), "UI",
                       pf, info, overlong=overlong, tei_mgmt=truth,
                       bad_mei=mei != TEI_MEI)

    # the whole corpus --------------------------------------------------------
    def fixed_frames(self):
        """Frames every corpus holds: limits, boundaries and malformed ones."""
        out = []
        # Over-long: S and U frames with trailing octets, long I, UI, FRMR.
        for name in S_CONTROL:
            out += [self.make_s(name, trailing=1), self.make_s(name, trailing=3)]
        for name in ("SABME", "DM", "DISC", "UA"):
            out += [self.make_u(name, trailing=1), self.make_u(name, trailing=2)]
        out += [self.make_i(0, length=263, category="I over-long", overlong=True),
                self.make_i(16, length=263, category="I over-long", overlong=True)]
        out += [self.make_ui(0, length=263, overlong=True, category="UI over-long"),
                self.make_ui(0, length=263, overlong=True, category="UI over-long"),
                self.make_tei(msg=1, length=263, category="UI over-long")]
        out += [self.make_frmr(extra=1) for _ in range(3)]
        # The longest legal frames: N201 information octets.
        out += [self.make_i(0, length=N201, category="I longest legal"),
                self.make_i(16, length=N201, category="I longest legal"),
                self.make_ui(0, length=N201, category="UI longest legal")]
        # TEI management boundaries and malformed messages.
        for ri in (0x0000, 0x0001, 0x00FE, 0x00FF, 0x0100, 0xFFFF):
            out.append(self.make_tei(ri=ri, category="TEI Ri boundary"))
        for msg in range(1, 8):
            out.append(self.make_tei(msg=msg, ais=[64, 65, 127]))     # 80 82 FF
        for msg in (1, 2, 5):
            out.append(self.make_tei(msg=msg, mei=0x0E, category="TEI bad MEI"))
        for msg in (0, 8, 0, 8):
            out.append(self.make_tei(msg=msg, category="TEI bad type"))
        for msg in (1, 2, 5):
            out.append(self.make_tei(msg=msg, pf=1, category="TEI with P=1"))
        for tei in (0, 64, 126):
            out.append(self.make_tei(tei=tei, category="UI SAPI 63 other TEI"))
        return out

    def build(self, count):
        frames = self.fixed_frames()
        if count < len(frames):
            raise ValueError(f"--frames must be at least {len(frames)}")
        makers = [
            (20, lambda: self.make_i(0)),
            (5, lambda: self.make_i(16)),
            (4, lambda: self.make_i(1)),
            (22, lambda: self.make_s()),
            (14, lambda: self.make_u()),
            (3, lambda: self.make_frmr()),
            (2, lambda: self.make_xid(False)),
            (2, lambda: self.make_xid(True)),
            (6, lambda: self.make_ui(0)),
            (16, lambda: self.make_tei()),
            (6, lambda: self.make_tei(multiple=True)),
        ]
        weights = [w for w, _ in makers]
        while len(frames) < count:
            _, make = self.rng.choices(makers, weights)[0]
            frames.append(make())
        self.rng.shuffle(frames)
        for n, f in enumerate(frames, 1):
            f.number = n
        return frames


def write_scenario(path, frames, seed):
    with open(path, "w", encoding="ascii") as out:
        out.write(f"# LAPD agreement corpus, seed {seed}, {len(frames)} frames\n")
        for f in frames:
            ms = 36000000 + f.number - 1        # from 10:00:00.000, one every ms
            h, rest = divmod(ms, 3600000)
            m, rest = divmod(rest, 60000)
            s, rest = divmod(rest, 1000)
            out.write(f"06/12/2026 {h:02}:{m:02}:{s:02}.{rest:03} frame good "
                      f"{f.direction} {f.hex}\n")


def write_frame_list(path, frames, seed):
    with open(path, "w", encoding="ascii") as out:
        out.write(f"# LAPD agreement corpus, seed {seed}, {len(frames)} frames\n")
        for f in frames:
            out.write(f"{ORACLE_DIR[f.direction]} {f.hex} ; "
                      f"{(f.number - 1) / 1000:.3f}  # {f.number} {f.category}\n")


# --------------------------------------------------------------------------
# running the tools
# --------------------------------------------------------------------------

class ToolError(Exception):
    pass


def run(cmd, what, timeout=600):
    try:
        proc = subprocess.run(cmd, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=timeout)
    except (OSError, subprocess.TimeoutExpired) as e:
        raise ToolError(f"{what}: {e}") from None
    out = proc.stdout.decode("utf-8", "replace")
    err = proc.stderr.decode("utf-8", "replace").strip()
    if proc.returncode != 0:
        raise ToolError(f"{what} failed (status {proc.returncode}): "
                        f"{' '.join(cmd)}\n{err or out.strip()}")
    return out


def parse_rows(text):
    """Our summary output: a JSON array, or one JSON object a line."""
    text = text.strip()
    if not text:
        return []
    if text.startswith("["):
        rows = json.loads(text)
    else:
        try:
            whole = json.loads(text)
            rows = [whole] if isinstance(whole, dict) else whole
        except json.JSONDecodeError:
            rows = [json.loads(line) for line in text.splitlines() if line.strip()]
        if len(rows) == 1 and isinstance(rows[0], dict):
            for key in ("frames", "rows", "records"):
                if isinstance(rows[0].get(key), list):
                    rows = rows[0][key]
                    break
    if not all(isinstance(r, dict) for r in rows):
        raise ValueError("summary JSON holds something other than objects")
    return [{str(k): ("" if v is None else str(v)) for k, v in r.items()} for r in rows]


def our_summary(cli, lvt, long_forms):
    cmd = [cli, "summary", lvt, "--columns", "all", "--format", "json"]
    if long_forms:
        cmd.append("--long")
    text = run(cmd, "quorvane-cli summary")
    try:
        rows = parse_rows(text)
    except ValueError as e:
        raise ToolError(f"quorvane-cli summary: unreadable JSON: {e}") from None
    return rows, text


def by_number(rows, count):
    """Rows keyed by their 1-based "Number"; in order when it is missing."""
    out = {}
    for k, r in enumerate(rows, 1):
        try:
            n = int(r.get("Number", "").strip() or k)
        except ValueError:
            n = k
        out.setdefault(n, r)
    return out


# --------------------------------------------------------------------------
# comparison
# --------------------------------------------------------------------------

NOT_APPLICABLE = ("", "-")
_CONTROL_PF = re.compile(r"^Control field: [ISU] ([PF])\b")
_HEX = re.compile(r"^0[xX]([0-9A-Fa-f]+)$")

FIELDS = ["Direction", "SAPI", "TEI", "C/R", "Type", "N(S)", "N(R)", "P/F (role)", "MEI",
          "Msg.Type", "RI", "AI", "AI.Ext", "Multiple AI (first)",
          "Multiple AI (further)", "C/R (--long)", "P/F (--long)"]
TEI_FIELDS = ("MEI", "Msg.Type", "RI", "AI", "AI.Ext", "Multiple AI (first)",
              "Multiple AI (further)")
TEI_VALUE_FIELDS = tuple(f for f in TEI_FIELDS if f != "Msg.Type")
# Wireshark's names (HDLC) for two LAPD U frames sent with the other C/R value.
HDLC_NAMES = {("SARM", "DM"): "Wireshark: a DM sent as a command is named SARM "
                              "(the HDLC name of 0x0F as a command)",
              ("RD", "DISC"): "Wireshark: a DISC sent as a response is named RD "
                              "(the HDLC name of 0x43 as a response)"}
# Compared with something other than Wireshark, or for information only.
INFO_FIELDS = {"P/F (bit value)": "Wireshark shows P/F only when the bit is 1"}


def dec(text):
    text = (text or "").strip()
    return int(text) if re.fullmatch(r"\d+", text) else None


def hexnum(text):
    m = _HEX.match((text or "").strip())
    return int(m.group(1), 16) if m else None


def opt(v):
    return "-" if v is None else str(v)


class Checker:
    def __init__(self):
        self.stats = {f: [0, 0, 0, 0] for f in list(FIELDS) + list(INFO_FIELDS)}
        self.disagreements = []     # (frame, field, ours, theirs, cause or None)
        self.notes = []
        self.format_notes = []
        self.label_mismatch = []    # frames whose P/F letter differs from the C/R reading

    def record(self, frame, field, ours, theirs, agree, cause=None):
        s = self.stats[field]
        s[0] += 1
        if agree:
            s[1] += 1
            return
        if cause:
            s[2] += 1
        else:
            s[3] += 1
        self.disagreements.append((frame, field, ours, theirs, cause))

    def compare(self, frame, row, ws, long_row):
        g = lambda key: (row.get(key) or "").strip()
        refused = g("Type") == "?"
        tm = ws.get("tei_mgmt")
        m = _CONTROL_PF.match(ws.get("control") or "")
        ws_letter = m.group(1) if m else None
        ours_pf = None
        tei_msg = (frame.truth.get("tei_mgmt") or {}).get("msg")
        tei_error = frame.bad_mei or (tei_msg is not None and tei_msg not in TEI_MSG_NAMES)

        def cause_for(field, ours):
            if refused and frame.overlong and ours in ("?",) + NOT_APPLICABLE:
                return "our rule: an over-long frame is refused (Type '?')"
            if field == "Type" and (ws.get("ftype"), g("Type")) in HDLC_NAMES:
                return HDLC_NAMES[(ws.get("ftype"), g("Type"))]
            if (tm is None and frame.truth.get("tei_mgmt") and frame.truth["pf"]
                    and field in TEI_FIELDS):
                return ("Wireshark: a UI frame with P=1 goes to no further "
                        "dissector, so it shows no TEI management")
            if (field in ("P/F (role)", "P/F (--long)") and ws.get("ftype") == "I"
                    and ws_letter == "P" and ws.get("cr") == "response"
                    and ours_pf in ("P", "Poll")):
                return ("Wireshark: an I frame with the response C/R value is "
                        "read as a response but its bit labelled P; ours shows P too")
            if tei_error and field in TEI_VALUE_FIELDS and ours == "?":
                return ("our rule: a TEI management error (MEI not 0x0F, or message "
                        "type not 1..7) shows '?' in MEI, RI, AI, Multiple AI, AI.Ext")
            return None

        def check(field, ours, theirs, agree=None):
            if agree is None:
                agree = ours == theirs
            self.record(frame, field, ours, theirs, agree,
                        None if agree else cause_for(field, ours))

        if refused and not frame.overlong:
            self.notes.append(f"frame {frame.number}: refused ('?') although it is not "
                              f"over-long [{frame.category}] {frame.short_hex()}")
        if frame.overlong and not refused:
            self.notes.append(f"frame {frame.number}: over-long ({len(frame.octets)} "
                              f"octets, {frame.category}) but decoded, Type "
                              f"{g('Type')!r}")

        arrow = g("TE - NT") or g("AN - LE")
        ws_dir = {"User->Network": "TE->NT", "Network->User": "NT->TE"}.get(
            ws.get("lapd_direction"), "?")
        ours_dir = "TE->NT" if arrow.startswith("==>") else (
            "NT->TE" if arrow.endswith("<==") else arrow)
        check("Direction", ours_dir, ws_dir)
        check("SAPI", g("SAPI"), opt(ws.get("sapi")))
        check("TEI", g("TEI"), opt(ws.get("tei")))
        ws_cr = {"command": "C", "response": "R"}.get(ws.get("cr"), "?")
        check("C/R", g("C/R"), ws_cr)
        check("Type", g("Type"), ws.get("ftype") or "?")
        for key, name in (("N(S)", "ns"), ("N(R)", "nr")):
            ours = g(key)
            theirs = opt(ws.get(name))
            check(key, ours, theirs,
                  ours == theirs or (theirs == "-" and ours in NOT_APPLICABLE))

        # P/F: the role follows Wireshark's command/response reading.  Its
        # label writes P or F after the frame kind only when the bit is set,
        # and for I frames always P.
        ws_role = {"command": "P", "response": "F"}.get(ws.get("cr"), "?")
        if m and ws_letter != ws_role:
            self.label_mismatch.append(frame.number)
        ours_pf = g("P/F")
        check("P/F (role)", ours_pf, ws_role)
        if ws.get("pf") is not None:
            ws_bit_text = ws_role if ws.get("pf") else ""
            ours = g("P/F")
            agree = ours == ws_bit_text
            self.record(frame, "P/F (bit value)", ours, ws_bit_text or "(bit 0)",
                        agree, None if agree else
                        cause_for("P/F (bit value)", ours) or
                        "our rule: the P/F column names the role (P command, "
                        "F response), not the bit's value")

        if long_row is not None:
            lg = (long_row.get("C/R") or "").strip()
            want = {"C": "Command", "R": "Response"}.get(ws_cr, "?")
            check("C/R (--long)", lg, want)
            ours_pf = (long_row.get("P/F") or "").strip()
            want = {"P": "Poll", "F": "Final"}.get(ws_role, "?")
            check("P/F (--long)", ours_pf, want)

        # TEI management.
        if tm is None:
            # The TEI-only columns stay empty; Msg.Type is shared with the
            # layer-3 protocols and not compared here.
            for key in ("MEI", "RI", "AI", "AI.Ext"):
                ours = g(key)
                check(key, ours, "-", ours in NOT_APPLICABLE)
            return
        ours_mei = g("MEI")
        check("MEI", ours_mei, f"0x{tm['entity']:02X}",
              hexnum(ours_mei) == tm["entity"])
        multiple = tm.get("ai_ext") == 0
        if tm["entity"] != TEI_MEI:
            want_msg = "?"
        elif tm.get("msg") in TEI_MSG_NAMES:
            want_msg = TEI_MSG_NAMES[tm["msg"]] + ("+" if multiple else "")
        else:
            want_msg = "Unknown"
        check("Msg.Type", g("Msg.Type"), want_msg)

        ours_ri = g("RI")
        ri = tm.get("ri")
        check("RI", ours_ri, opt(ri if ri is None else f"0x{ri:04X}"),
              ri is not None and hexnum(ours_ri) == ri)
        if ri is not None and hexnum(ours_ri) == ri:
            want_text = f"0x{ri:02X}" if ri < 255 else f"0x{ri:04X}"
            if ours_ri != want_text:
                self.format_notes.append(f"frame {frame.number}: RI {ours_ri!r}, "
                                         f"documented form {want_text!r}")

        ai = tm.get("ai")
        ours_ai = g("AI")
        if multiple:
            check("AI", ours_ai, "-", ours_ai == "-")
        else:
            check("AI", ours_ai, opt(ai), dec(ours_ai) == ai)
        ext = tm.get("ai_ext")
        check("AI.Ext", g("AI.Ext"), opt(ext))

        listed = g("Multiple AI").split()
        if multiple:
            first = listed[0] if listed else ""
            check("Multiple AI (first)", first, opt(ai), dec(first) == ai)
            # Wireshark shows the first Ai only: the further ones are checked
            # against the octets of the frame.
            if frame.truth.get("tei_mgmt") and not frame.overlong:
                want = frame.truth["tei_mgmt"]["ais"][1:]
                got = listed[1:]
                self.record(frame, "Multiple AI (further)", " ".join(got),
                            " ".join(map(str, want)) + " (frame octets)",
                            [dec(x) for x in got] == want,
                            None if [dec(x) for x in got] == want
                            else cause_for("Multiple AI (further)", g("Multiple AI")))
            text = row.get("Multiple AI") or ""
            if listed and text != " ".join(listed) + " ":
                self.format_notes.append(f"frame {frame.number}: Multiple AI {text!r}, "
                                         "documented form: each value then one blank")
        else:
            ours = g("Multiple AI")
            check("Multiple AI (first)", ours, "(single Ai)",
                  ours in NOT_APPLICABLE or listed == [str(ai)])


def corpus_check(frames, oracle):
    """Differences between Wireshark and what the generator put into a frame:
    they would make the comparison itself doubtful."""
    out, named, unsplit = [], {}, 0
    for f, ws in zip(frames, oracle):
        t = f.truth
        want = {"sapi": t["sapi"], "tei": t["tei"], "cr": t["role"], "ftype": t["ftype"],
                "ns": t["ns"], "nr": t["nr"], "pf": t["pf"]}
        if (ws.get("ftype"), t["ftype"]) in HDLC_NAMES:
            want["ftype"] = ws.get("ftype")
            named[ws.get("ftype")] = named.get(ws.get("ftype"), 0) + 1
        for k, v in want.items():
            if ws.get(k) != v:
                out.append(f"frame {f.number}: {k} generated {v!r}, Wireshark {ws.get(k)!r}")
        tm, wtm = t.get("tei_mgmt"), ws.get("tei_mgmt")
        if tm:
            if not wtm:
                if t["pf"]:
                    unsplit += 1
                else:
                    out.append(f"frame {f.number}: no TEI management decoded by Wireshark")
                continue
            for k, v in (("entity", tm["mei"]), ("msg", tm["msg"]), ("ri", tm["ri"]),
                         ("ai", tm["ais"][0]),
                         ("ai_ext", 1 if len(tm["ais"]) == 1 else 0)):
                if wtm.get(k) != v:
                    out.append(f"frame {f.number}: TEI {k} generated {v!r}, "
                               f"Wireshark {wtm.get(k)!r}")
    known = [f"{n} frames named {name} by Wireshark ({HDLC_NAMES[(name, lapd)]})"
             for (name, lapd) in HDLC_NAMES for n in [named.get(name, 0)] if n]
    if unsplit:
        known.append(f"{unsplit} TEI messages in UI frames with P=1 not dissected by "
                     "Wireshark")
    return out, known


# --------------------------------------------------------------------------
# report
# --------------------------------------------------------------------------

def report(frames, checker, corpus_diffs, corpus_known, versions, seed, command):
    p = print
    p("LAPD agreement: Quorvane summary against Wireshark")
    p(f"command : {command}")
    p(f"oracle  : {versions}")
    cats = {}
    for f in frames:
        cats[f.category] = cats.get(f.category, 0) + 1
    p(f"corpus  : {len(frames)} frames, seed {seed}; "
      f"{sum(f.direction == 'te' for f in frames)} TE->NT, "
      f"{sum(f.direction == 'nt' for f in frames)} NT->TE, "
      f"{sum(f.overlong for f in frames)} over-long")
    for c in sorted(cats):
        p(f"          {cats[c]:4}  {c}")
    p("")
    p(f"{'field':24} {'compared':>8} {'agree':>6} {'expected':>9} {'unexpected':>11}")
    for field in FIELDS + list(INFO_FIELDS):
        n, a, e, u = checker.stats[field]
        if n == 0:
            continue
        extra = f"  ({INFO_FIELDS[field]}; not counted)" if field in INFO_FIELDS else ""
        if field == "Multiple AI (further)":
            extra = "  (against the frame octets: Wireshark shows the first Ai only)"
        p(f"{field:24} {n:8} {a:6} {e:9} {u:11}{extra}")
    p("")
    shown = [d for d in checker.disagreements if d[1] not in INFO_FIELDS]
    info = [d for d in checker.disagreements if d[1] in INFO_FIELDS]
    unexpected = [d for d in shown if not d[4]]
    p(f"disagreements: {len(shown)} ({len(shown) - len(unexpected)} expected, "
      f"{len(unexpected)} unexpected)")
    causes = {}
    for d in shown:
        if d[4]:
            causes[d[4]] = causes.get(d[4], 0) + 1
    for cause, n in sorted(causes.items(), key=lambda c: -c[1]):
        p(f"  {n:5} expected  {cause}")
    by_frame = {}
    for d in shown:
        by_frame.setdefault(d[0].number, []).append(d)
    for n in sorted(by_frame):
        f = by_frame[n][0][0]
        p(f"  frame {n} {f.direction} [{f.category}, {len(f.octets)} octets] "
          f"{f.short_hex()}")
        for _, field, ours, theirs, cause in by_frame[n]:
            verdict = f"expected: {cause}" if cause else "UNEXPECTED"
            p(f"      {field}: ours {ours!r}, Wireshark {theirs!r} -> {verdict}")
    if info:
        causes = {}
        for d in info:
            causes.setdefault(d[4], []).append(d[0].number)
        p("")
        for cause, nums in causes.items():
            p(f"P/F bit value: {len(nums)} frames where our column does not show the "
              f"bit's value -> expected: {cause}")
    if checker.label_mismatch:
        checker.notes.append(
            f"{len(checker.label_mismatch)} I frames with the response C/R value and the "
            "bit set: Wireshark reads them as responses but labels the bit P (frames "
            + ", ".join(map(str, checker.label_mismatch)) + "); the role compared is "
            "the one of its C/R reading")
    for title, lines in (("notes", checker.notes), ("text form", checker.format_notes),
                         ("Wireshark against the generated values",
                          [f"known: {k}" for k in corpus_known] + corpus_diffs)):
        if lines:
            p("")
            p(f"{title}:")
            for line in lines:
                p(f"  {line}")
    p("")
    p("result: " + ("agreement (no unexpected disagreement)" if not unexpected
                    else f"{len(unexpected)} unexpected disagreements"))
    return 0 if not unexpected else 1


# --------------------------------------------------------------------------
# command line
# --------------------------------------------------------------------------

def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--seed", type=int, default=20261206, help="corpus seed")
    ap.add_argument("--frames", type=int, default=720, help="corpus size (default 720)")
    ap.add_argument("--cli", default=os.path.join(root, "build", "bin", "quorvane-cli"),
                    help="quorvane-cli binary (default build/bin/quorvane-cli)")
    ap.add_argument("--oracle", default="/work/shared/tools/lapd_oracle.py",
                    help="the Wireshark-backed reference decoder")
    ap.add_argument("--keep", metavar="DIR", help="keep the generated files in DIR")
    ap.add_argument("--corpus-only", action="store_true",
                    help="write the corpus and run only the oracle (no quorvane-cli)")
    args = ap.parse_args(argv)

    try:
        frames = Corpus(args.seed).build(args.frames)
    except ValueError as e:
        ap.error(str(e))

    work = args.keep or tempfile.mkdtemp(prefix="lapd-agreement-")
    os.makedirs(work, exist_ok=True)
    paths = {k: os.path.join(work, v) for k, v in (
        ("scenario", "corpus.scenario"), ("frames", "corpus.frames"),
        ("lvt", "corpus.lvt"), ("summary", "summary.json"),
        ("summary_long", "summary-long.json"), ("oracle", "oracle.json"))}
    try:
        write_scenario(paths["scenario"], frames, args.seed)
        write_frame_list(paths["frames"], frames, args.seed)
        oracle_text = run([sys.executable, args.oracle, "--no-labels", paths["frames"]],
                          "lapd_oracle")
        with open(paths["oracle"], "w", encoding="utf-8") as f:
            f.write(oracle_text)
        oracle = [json.loads(l) for l in oracle_text.splitlines() if l.strip()]
        if len(oracle) != len(frames):
            raise ToolError(f"oracle returned {len(oracle)} frames for {len(frames)}")
        tshark = shutil.which("tshark")
        versions = run([tshark, "-v"], "tshark -v").splitlines()[0] if tshark else "?"
        corpus_diffs, corpus_known = corpus_check(frames, oracle)
        if args.corpus_only:
            print(f"corpus of {len(frames)} frames, seed {args.seed}, oracle {versions}")
            print("Wireshark against the generated values:")
            for line in corpus_known:
                print(f"  known: {line}")
            print(f"  {len(corpus_diffs)} other differences")
            for line in corpus_diffs:
                print("  " + line)
            return 0 if not corpus_diffs else 1

        run([args.cli, "generate", "--scenario", paths["scenario"], "--layout", "stored",
             "-o", paths["lvt"]], "quorvane-cli generate")
        rows, text = our_summary(args.cli, paths["lvt"], False)
        with open(paths["summary"], "w", encoding="utf-8") as f:
            f.write(text)
        try:
            long_rows, text = our_summary(args.cli, paths["lvt"], True)
            with open(paths["summary_long"], "w", encoding="utf-8") as f:
                f.write(text)
        except ToolError as e:
            long_rows = None
            print(f"note: --long not compared: {e}", file=sys.stderr)
    except ToolError as e:
        print(f"lapd_agreement: {e}", file=sys.stderr)
        return 2
    finally:
        if not args.keep:
            shutil.rmtree(work, ignore_errors=True)

    ours = by_number(rows, len(frames))
    longs = by_number(long_rows, len(frames)) if long_rows is not None else {}
    checker = Checker()
    missing_cols = sorted({"Number", "SAPI", "TEI", "C/R", "Type", "N(S)", "N(R)", "P/F",
                           "MEI", "RI", "AI", "Multiple AI", "AI.Ext", "Msg.Type"}
                          - set(rows[0] if rows else {}))
    if missing_cols:
        checker.notes.append("columns missing from the summary: " + ", ".join(missing_cols))
    if len(rows) != len(frames):
        checker.notes.append(f"summary has {len(rows)} rows for {len(frames)} frames")
    for f, ws in zip(frames, oracle):
        row = ours.get(f.number)
        if row is None:
            checker.record(f, "Type", "(no row)", ws.get("ftype") or "?", False)
            continue
        checker.compare(f, row, ws, longs.get(f.number) if long_rows is not None else None)

    command = " ".join(["python3", os.path.relpath(os.path.abspath(__file__))]
                       + (argv if argv is not None else sys.argv[1:]))
    status = report(frames, checker, corpus_diffs, corpus_known, versions, args.seed,
                    command)
    if missing_cols and status == 0:
        status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
