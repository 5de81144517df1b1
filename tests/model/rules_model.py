#!/usr/bin/env python3
"""An independent model of Vantorel's rules, written from the rules alone (not from the engine's
code), that prints the same per-tick state lines as the trace runner. The comparison test runs
both on many generated scripts and reports the first line where they differ."""

import sys

WALL, STONE = 15, 7
DEFAULTS = dict(minChain=3, showPans=1, infoMode=3, previewCount=2, dropInterval=41)
KEYS = {0x41: "L", 0x64: "L", 0x44: "R", 0x53: "R", 0x66: "R", 0x58: "D", 0x5A: "D", 0x62: "D"}


def trunc_div(a, b):
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b > 0) else -q


class Model:
    def __init__(self, seed):
        self.seed = seed
        self.rand = 0
        self.board = [[0] * 19 for _ in range(8)]
        self.marks = [[0] * 19 for _ in range(8)]
        self.weight = [0] * 8
        self.tilt = [0] * 8
        self.col = 0
        self.half = 0
        self.queue = [0, 0, 0]
        self.settings = dict(DEFAULTS)
        self.score = 0
        self.level = 0
        self.keys = {"L": 0, "R": 0, "D": 0}
        self.phase = 0
        self.drop = 0
        self.chain = 0
        self.timer = False
        # window creation: defaults written, a new game, the timer stopped
        self.new_game()

    # piece supply
    def next_random(self):
        self.rand = (self.rand * 1103515245 + 12345) & 0xFFFFFFFF
        return (self.rand >> 16) & 32767

    def advance_queue(self):
        self.queue[0], self.queue[1] = self.queue[1], self.queue[2]
        self.half, self.col = 6, 3
        band = (self.level - 1) // 10
        if band <= 3:
            base, size = 0, band + 3
        elif band <= 5:
            base, size = band - 3, 10 - band
        else:
            base, size = 3, 4
        self.queue[2] = base + self.next_random() % size + 1

    # falling piece
    def row_of(self, column, half):
        return trunc_div(half - self.tilt[column], 2)

    def fall_step(self):
        tc = self.col - self.keys["L"] + self.keys["R"]
        self.drop = (self.drop - 1) & 0xFFFFFFFF
        th = self.half
        if self.keys["D"]:
            self.drop = self.settings["dropInterval"]
            th += 1
        elif self.drop == 0:
            self.drop = self.settings["dropInterval"]
            th += 1
        if self.board[tc][self.row_of(tc, th)] != 0:
            tc, th = self.col, self.half
        self.col, self.half = tc, th & 0xFF
        r = self.row_of(self.col, self.half)
        if self.board[self.col][r + 1] != 0:
            self.board[self.col][r] = self.queue[0]
            self.queue[0] = 0
            return 2
        return 1

    # weighing and tilt
    @staticmethod
    def pair_tilt(left, right):
        d = left - right
        if d == 0:
            return 0
        return (1 if d > 0 else -1) * (abs(d) // 5)

    def weigh(self):
        for c in range(1, 7):
            self.weight[c] = sum(self.board[c][r] % 7 for r in range(2, 17)) & 0xFF
        for left in (1, 3, 5):
            t = self.pair_tilt(self.weight[left], self.weight[left + 1])
            self.tilt[left], self.tilt[left + 1] = t, -t

    def spawn_blocked_or_overloaded(self):
        if any(abs(self.tilt[c]) > 2 for c in range(1, 7)):
            return True
        return self.board[3][trunc_div(6 - self.tilt[3], 2)] != 0

    # chain detection
    def neighbour(self, c, r, k):
        if k == 0:
            return c, r - 1
        if k == 3:
            return c, r + 1
        other = c + 1 if k in (1, 2) else c - 1
        d = self.tilt[c] - self.tilt[other]
        shift = (d // 2) if k in (1, 5) else -((-d) // 2)  # floor for the upper, ceil for the lower
        return other, r + shift

    def flood(self, c, r):
        self.marks[c][r] = 1
        count, v = 1, self.board[c][r]
        for k in range(6):
            nc, nr = self.neighbour(c, r, k)
            if self.board[nc][nr] == v and self.marks[nc][nr] == 0:
                count += self.flood(nc, nr)
            if self.board[nc][nr] == STONE:
                self.marks[nc][nr] = 1
        return count & 0xFF

    def clear_marks(self):
        for c in range(1, 7):
            for r in range(2, 17):
                self.marks[c][r] = 0

    def find_chains(self):
        for c in range(1, 7):
            for r in range(2, 17):
                if 1 <= self.board[c][r] <= 6:
                    if self.flood(c, r) < self.settings["minChain"]:
                        self.clear_marks()
                    else:
                        for rr in range(2, 17):
                            for cc in range(1, 7):
                                if self.marks[cc][rr]:
                                    self.marks[cc][rr] = 0
                                    self.board[cc][rr] += 7

    # removal, scoring, level, gravity
    def remove_marked(self):
        count = heaviest = 0
        for c in range(1, 7):
            for r in range(2, 17):
                if self.board[c][r] > 7:
                    heaviest = max(heaviest, self.board[c][r] - 7)
                    self.board[c][r] = 0
                    count += 1
        self.chain = (self.chain + 1) & 0xFF if count else 0
        self.score = min(99999999, self.score + 20 * self.chain * count * heaviest)
        self.level = min(99, self.score // 500 + 1)
        self.settings["dropInterval"] = max(1, 41 - (self.level - 1))
        if self.level > 20:
            self.settings["infoMode"] = 1
        if self.level > 50:
            self.settings["infoMode"] = 0
        return 4 if count else 1

    def gravity_step(self):
        moved = False
        for r in range(15, 1, -1):
            for c in range(1, 7):
                if self.board[c][r] != 0 and self.board[c][r + 1] == 0:
                    self.board[c][r], self.board[c][r + 1] = 0, self.board[c][r]
                    moved = True
        return 4 if moved else 2

    # game start and turn cycle
    def new_game(self):
        self.rand = self.seed
        for c in range(8):
            for r in range(19):
                edge = c in (0, 7) or r in (0, 1, 17, 18)
                self.board[c][r] = WALL if edge else 0
        self.weigh()
        self.clear_marks()
        self.keys = {"L": 0, "R": 0, "D": 0}
        self.settings = dict(DEFAULTS)
        self.score, self.level = 0, 1
        self.drop = self.settings["dropInterval"]
        for _ in range(3):
            self.advance_queue()
        self.phase = 1

    def set_up_hard(self):
        for c in range(1, 7):
            for r in range(2, 8):
                self.board[c][r] = STONE
        self.score, self.level, self.phase = 20000, 41, 4

    def tick(self):
        if self.queue[0] == 0:
            self.advance_queue()
            if self.spawn_blocked_or_overloaded():
                self.phase = 20
        p = self.phase
        if p == 1:
            self.phase = self.fall_step()
        elif p == 2:
            self.weigh()
            self.phase = 20 if self.spawn_blocked_or_overloaded() else 3
        elif p == 3:
            self.find_chains()
            self.phase = self.remove_marked()
        elif p == 4:
            self.phase = self.gravity_step()
        elif p == 5:
            self.timer = False
            self.settings["infoMode"] = 3
        else:
            self.phase = p - 1

    def event(self, name, arg):
        if name == "easy":
            self.new_game()
            self.timer = True
        elif name == "hard":
            self.new_game()
            self.set_up_hard()
            self.timer = True
        elif name in ("keydown", "keyup"):
            flag = KEYS.get(arg)
            if flag:
                self.keys[flag] = 1 if name == "keydown" else 0
        # paint and shot change nothing of the state

    def line(self, t):
        rows = "/".join("".join("%x" % self.board[c][r] for c in range(1, 7)) for r in range(2, 17))
        return ("t=%d phase=%d score=%d level=%d chain=%d queue=%d,%d,%d piece=%d,%d drop=%d "
                "interval=%d info=%d keys=%d%d%d weights=%s tilts=%s board=%s" % (
                    t, self.phase, self.score, self.level, self.chain, *self.queue, self.col,
                    self.half, self.drop, self.settings["dropInterval"], self.settings["infoMode"],
                    self.keys["L"], self.keys["R"], self.keys["D"],
                    ",".join(str(self.weight[c]) for c in range(1, 7)),
                    ",".join(str(self.tilt[c]) for c in range(1, 7)), rows))


def parse_script(text):
    events = []
    for raw in text.splitlines():
        line = raw.split("#", 1)[0].split()
        if not line:
            continue
        at, name = int(line[0]), line[1]
        arg = int(line[2], 16) if name in ("keydown", "keyup") else None
        events.append((at, name, arg))
    return events


def run(seed, ticks, script_text):
    model = Model(seed)
    events = parse_script(script_text)
    out = []
    i = 0

    def apply(at):
        nonlocal i
        while i < len(events) and events[i][0] == at:
            model.event(events[i][1], events[i][2])
            i += 1

    apply(0)
    out.append(model.line(0))
    t = 0
    while model.timer and t < ticks:
        model.tick()
        t += 1
        out.append(model.line(t))
        apply(t)
    return out


if __name__ == "__main__":
    import argparse
    ap = argparse.ArgumentParser()
    ap.add_argument("--seed", type=int, required=True)
    ap.add_argument("--ticks", type=int, default=100000)
    ap.add_argument("--script")
    a = ap.parse_args()
    text = open(a.script).read() if a.script else ""
    sys.stdout.write("\n".join(run(a.seed, a.ticks, text)) + "\n")
