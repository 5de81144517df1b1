#!/usr/bin/env python3
"""Runs the trace runner and the independent rules model on generated scripts (Easy and Hard
games, held and released keys of every kind, new games at random moments, long games that reach
cascades, level changes and both kinds of game over) and fails at the first differing line.

Usage: compare_with_model.py --trace PATH [--cases N] [--seed S] [--keep DIR]"""

import argparse
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import rules_model  # noqa: E402

GAME_KEYS = [0x41, 0x64, 0x44, 0x53, 0x66, 0x58, 0x5A, 0x62]
OTHER_KEYS = [0x00, 0x25, 0x26, 0x27, 0x28, 0x42, 0x65, 0x61, 0x63, 0xFF]


def make_script(rng, length):
    """A script of `length` ticks: a game command at 0 and a random player."""
    lines = ["0 %s" % rng.choice(["easy", "hard"])]
    held = set()
    style = rng.choice(["calm", "busy", "dropper"])
    t = 0
    while t < length:
        t += rng.choice([0, 1, 1, 2, 3, 5, 8, 13, 40]) if style != "calm" else rng.randint(0, 60)
        if t >= length:
            break
        roll = rng.random()
        if roll < 0.004:
            lines.append("%d %s" % (t, rng.choice(["easy", "hard"])))
        elif roll < 0.03:
            lines.append("%d keydown 0x%02x" % (t, rng.choice(OTHER_KEYS)))
        elif held and roll < 0.5:
            key = rng.choice(sorted(held))
            held.discard(key)
            lines.append("%d keyup 0x%02x" % (t, key))
        else:
            key = rng.choice(GAME_KEYS)
            if style == "dropper" and rng.random() < 0.5:
                key = rng.choice([0x58, 0x5A, 0x62])
            held.add(key)
            lines.append("%d keydown 0x%02x" % (t, key))
    return "\n".join(lines) + "\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--trace", required=True)
    ap.add_argument("--cases", type=int, default=60)
    ap.add_argument("--seed", type=int, default=20261211)
    ap.add_argument("--keep", help="folder for the script of a failing case")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    covered = {"cascade": 0, "level": 0, "overtilt": 0, "blocked": 0, "hard": 0}
    for case in range(a.cases):
        seed = rng.choice([0, 1, 4294967295, rng.randrange(1 << 32)])
        length = rng.choice([200, 1500, 4000, 12000])
        script = make_script(rng, length)
        with tempfile.NamedTemporaryFile("w", suffix=".trace", delete=False) as f:
            f.write(script)
            path = f.name
        try:
            got = subprocess.run([a.trace, "--seed", str(seed), "--ticks", str(length),
                                  "--script", path], capture_output=True, text=True, check=False)
        finally:
            pass
        want = rules_model.run(seed, length, script)
        lines = got.stdout.splitlines()
        if got.returncode != 0 or lines != want:
            keep = a.keep or tempfile.mkdtemp(prefix="vantorel-model-")
            os.makedirs(keep, exist_ok=True)
            kept = os.path.join(keep, "case%d.trace" % case)
            with open(kept, "w") as f:
                f.write(script)
            print("case %d (seed %d, %d ticks): trace runner and model differ; script kept in %s"
                  % (case, seed, length, kept))
            print("exit status %d, stderr: %s" % (got.returncode, got.stderr.strip()))
            for i, (g, w) in enumerate(zip(lines, want)):
                if g != w:
                    print("first difference at output line %d:\n  trace: %s\n  model: %s" % (i, g, w))
                    break
            else:
                print("output lengths differ: trace %d lines, model %d lines" % (len(lines), len(want)))
            os.unlink(path)
            return 1
        os.unlink(path)
        for ln in want:
            fields = dict(kv.split("=", 1) for kv in ln.split(" "))
            if int(fields["chain"]) >= 2:
                covered["cascade"] += 1
            if int(fields["level"]) > 1 and int(fields["level"]) != 41:
                covered["level"] += 1
        final = dict(kv.split("=", 1) for kv in want[-1].split(" "))
        if final["phase"] == "5":
            tilts = [abs(int(x)) for x in final["tilts"].split(",")]
            covered["overtilt" if max(tilts) > 2 else "blocked"] += 1
        if "hard" in script:
            covered["hard"] += 1
    print("model and trace runner agree on %d cases; lines seen with: %s" % (a.cases, covered))
    print("%d passed, 0 failed" % a.cases)
    return 0


if __name__ == "__main__":
    sys.exit(main())
