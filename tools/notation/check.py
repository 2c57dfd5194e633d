#!/usr/bin/env python3
"""Checks notation tables against their test corpus without a build of the tables.

    tools/notation/check.py [--cli PATH] [--update-pinned] CODE [CODE ...]

For each variant code (or V5) the folder is written from data/notation as the build writes it
(cmake -P cmake/NotationFolders.cmake), then every message of
tests/data/notation/<CODE>/corpus.txt is decoded with `quorvane-cli pdu --protocol CODE` (or
--v5): a loader message or a "DECODING ERROR" row is reported. The decodes pinned in
tests/data/notation/<CODE>/pinned.txt are compared with what the tables give now;
--update-pinned writes what they give now instead (read it through before committing it).

corpus.txt: one message per line, in hexadecimal from the protocol discriminator, as a frame
carries it (call reference or V5 address included); ";" starts a comment.
pinned.txt: blocks of "> HEX ; comment", the rows as quorvane-cli pdu prints them, a blank line.
"""
import argparse
import os
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def messages(path):
    out = []
    if not os.path.exists(path):
        return out
    for line in open(path, encoding="ascii"):
        text = line.split(";", 1)[0].strip()
        if text:
            out.append(text.replace(" ", ""))
    return out


def pinned_blocks(path):
    blocks = []
    if not os.path.exists(path):
        return blocks
    current = None
    for line in open(path, encoding="ascii"):
        line = line.rstrip("\n")
        if line.startswith("> "):
            current = [line, []]
            blocks.append(current)
        elif line == "":
            current = None
        elif current is not None:
            current[1].append(line)
    return blocks


def decode(cli, home, code, hexa):
    mode = ["--v5"] if code == "V5" else ["--protocol", code]
    r = subprocess.run([cli, "pdu", "--home", home] + mode + [hexa],
                       capture_output=True, text=True)
    return r.returncode, r.stdout.splitlines(), r.stderr.strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default=os.path.join(TOP, "build", "bin", "quorvane-cli"))
    parser.add_argument("--update-pinned", action="store_true")
    parser.add_argument("codes", nargs="+")
    args = parser.parse_args()
    failures = 0
    with tempfile.TemporaryDirectory() as home:
        for code in args.codes:
            folder = os.path.join(home, "ISDNNOT", code)
            subprocess.run(["cmake", f"-DCODE={code}", f"-DOUT={folder}", "-P",
                            os.path.join(TOP, "cmake", "NotationFolders.cmake")], check=True)
            data = os.path.join(TOP, "tests", "data", "notation", code)
            corpus = messages(os.path.join(data, "corpus.txt"))
            bad = 0
            for hexa in corpus:
                rc, rows, err = decode(args.cli, home, code, hexa)
                errors = [r for r in rows if "DECODING ERROR" in r]
                if rc != 0 or err or errors:
                    bad += 1
                    print(f"{code} {hexa}: rc {rc} {err}")
                    for r in errors:
                        print("    " + r)
            pinned = pinned_blocks(os.path.join(data, "pinned.txt"))
            changed = 0
            for block in pinned:
                hexa = block[0][2:].split(";", 1)[0].strip().replace(" ", "")
                _, rows, _ = decode(args.cli, home, code, hexa)
                if rows != block[1]:
                    changed += 1
                    if not args.update_pinned:
                        print(f"{code} pinned {hexa} differs; now:")
                        print("\n".join("    " + r for r in rows))
                    block[1] = rows
            if args.update_pinned and pinned:
                with open(os.path.join(data, "pinned.txt"), "w", encoding="ascii") as f:
                    for head, rows in pinned:
                        f.write(head + "\n" + "".join(r + "\n" for r in rows) + "\n")
            print(f"{code}: {len(corpus)} messages, {bad} with errors; "
                  f"{len(pinned)} pinned, {changed} {'rewritten' if args.update_pinned else 'differ'}")
            failures += bad + (0 if args.update_pinned else changed)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
