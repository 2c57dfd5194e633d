#!/usr/bin/env python3
"""Writes tests/data/notation/V5/wireshark.jsonl: Wireshark's reading of every V5 corpus message.

    tools/oracle/v5_golden.py [--tshark PATH] [--corpus FILE] [--out FILE]

A developer tool outside the build and the tests (nothing depends on it). Each message of
tests/data/notation/V5/corpus.txt (from the protocol discriminator, layer 3 address included)
is written into a pcap file of link type 252 (Wireshark upper PDU export) whose tag names the
dissector "v52", so that tshark hands the octets straight to its V5.2 layer 3 dissector. The
PDML output gives, per message, the message type and the element identifiers in order:

    {"octets": "...", "message_type": N, "message_name": "...", "elements": [N, ...]}

message_type is null when Wireshark shows none (a protocol discriminator other than 48).
"""
import argparse
import json
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LINKTYPE_WIRESHARK_UPPER_PDU = 252
EXP_PDU_TAG_DISSECTOR_NAME = 12


def corpus(path):
    out = []
    for line in open(path, encoding="ascii"):
        text = line.split(";", 1)[0].strip().replace(" ", "")
        if text:
            out.append(text.upper())
    return out


def write_pcap(path, messages):
    name = b"v52\0"  # padded to four octets
    header = struct.pack(">HH", EXP_PDU_TAG_DISSECTOR_NAME, len(name)) + name + struct.pack(">HH", 0, 0)
    with open(path, "wb") as f:
        f.write(struct.pack("<IHHiIII", 0xA1B2C3D4, 2, 4, 0, 0, 65535, LINKTYPE_WIRESHARK_UPPER_PDU))
        for i, hexa in enumerate(messages):
            data = header + bytes.fromhex(hexa)
            f.write(struct.pack("<IIII", i, 0, len(data), len(data)))
            f.write(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tshark", default="tshark")
    parser.add_argument("--corpus", default=os.path.join(TOP, "tests", "data", "notation", "V5", "corpus.txt"))
    parser.add_argument("--out", default=os.path.join(TOP, "tests", "data", "notation", "V5", "wireshark.jsonl"))
    args = parser.parse_args()
    messages = corpus(args.corpus)
    with tempfile.TemporaryDirectory() as tmp:
        pcap = os.path.join(tmp, "v5.pcap")
        write_pcap(pcap, messages)
        env = dict(os.environ, WIRESHARK_CONFIG_DIR=tmp, XDG_CONFIG_HOME=tmp)
        r = subprocess.run([args.tshark, "-n", "-r", pcap, "-T", "pdml"], capture_output=True, env=env)
        if r.returncode != 0:
            sys.stderr.write(r.stderr.decode(errors="replace"))
            return 3
    root = ET.fromstring(r.stdout)
    packets = root.findall("packet")
    if len(packets) != len(messages):
        sys.stderr.write(f"tshark gave {len(packets)} packets for {len(messages)} messages\n")
        return 3
    with open(args.out, "w", encoding="ascii") as f:
        for hexa, packet in zip(messages, packets):
            v52 = packet.find("proto[@name='v52']")
            mtype, mname, elements = None, None, []
            if v52 is not None:
                # Each element is a subtree "Info Element: ..." directly below the protocol,
                # whose value starts with the identifier (single-octet elements have no
                # v52.info_element field, so the subtree is what is read).
                for field in v52.findall("field"):
                    name = field.get("name")
                    if name == "v52.msg_type" and mtype is None:
                        mtype = int(field.get("show"), 0)
                        text = field.get("showname", "")
                        mname = text.split(": ", 1)[1].rsplit(" (", 1)[0] if ": " in text else None
                    elif field.get("show", "").startswith("Info Element") and field.get("value"):
                        elements.append(int(field.get("value")[:2], 16))
            f.write(json.dumps({"octets": hexa, "message_type": mtype, "message_name": mname,
                                "elements": elements}) + "\n")
    print(f"{len(messages)} messages written to {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
