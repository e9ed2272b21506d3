#!/usr/bin/env python3
"""Fault injector: relays an xboard engine and spoils one of its moves.

Owns the made-up faults that check match_summary.py against what a real
xboard writes when an engine misbehaves (fault_check.sh runs it).

  fault_engine.py FAULT N ENGINE_CMD...

The engine's first N-1 moves pass unchanged; instead of its N-th move the
relay does FAULT:
  illegal   plays one of its own pieces onto another of its own pieces
  claim     claims a win ("1-0 {White mates}" or "0-1 {Black mates}")
  drawclaim claims a draw ("1/2-1/2 {Draw by repetition}")
  crash     dies by SIGSEGV (behind engine_guard.py: "crashed (signal 11)")
  hang      goes silent and swallows everything, so the clock runs out
Moves are read in coordinates, from xboard ("e2e4") and from the engine
("1. ... e2e4" or "move e2e4"); a rough board (which colour stands where)
is kept to find the illegal move.
"""
import os
import re
import signal
import subprocess
import sys
import threading

FAULTS = ("illegal", "claim", "drawclaim", "crash", "hang")
MOVE = re.compile(r"^([a-h][1-8])([a-h][1-8])[qrbn]?$")
ENGINE_MOVE = re.compile(r"^\s*(?:\d+\s*\.\s*\.\.\.|move)\s+(\S+)\s*$")


class Board:
    """Which colour stands on each square; enough to find an own piece."""

    def __init__(self):
        self.reset()

    def reset(self):
        self.colour = {}
        for f in "abcdefgh":
            for r in "12":
                self.colour[f + r] = "w"
            for r in "78":
                self.colour[f + r] = "b"
        self.to_move = "w"

    def play(self, move):
        m = MOVE.match(move)
        if not m:
            return
        a, b = m.groups()
        who = self.colour.pop(a, self.to_move)
        self.colour[b] = who
        if a in ("e1", "e8") and b[1] == a[1] and b[0] in "cg":  # castling
            rook = ("h" if b[0] == "g" else "a") + a[1]
            dest = ("f" if b[0] == "g" else "d") + a[1]
            if self.colour.get(rook) == who:
                self.colour[dest] = self.colour.pop(rook)
        self.to_move = "b" if self.to_move == "w" else "w"

    def own_onto_own(self):
        mine = sorted(s for s, c in self.colour.items() if c == self.to_move)
        return mine[0] + mine[1]


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in FAULTS or \
            not sys.argv[2].isdigit():
        sys.exit(__doc__)
    fault, at, cmd = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    signal.signal(signal.SIGINT, signal.SIG_IGN)
    eng = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                           bufsize=0)
    board, lock = Board(), threading.Lock()
    state = dict(moves=0, silent=False)
    out = sys.stdout.buffer

    def say(text):
        out.write(text.encode() + b"\n")
        out.flush()

    def pump():  # engine -> xboard
        for raw in iter(eng.stdout.readline, b""):
            line = raw.decode("latin-1").rstrip("\r\n")
            m = ENGINE_MOVE.match(line)
            with lock:
                if state["silent"]:
                    continue
                if m:
                    state["moves"] += 1
                    if state["moves"] == at:
                        spoil(line, m.group(1))
                        continue
                    board.play(m.group(1))
                out.write(raw)
                out.flush()

    def spoil(line, move):
        white = board.to_move == "w"
        if fault == "illegal":  # written the engine's own way
            bad = board.own_onto_own()
            say(line.replace(move, bad))
            board.play(bad)
        elif fault == "claim":
            say("1-0 {White mates}" if white else "0-1 {Black mates}")
        elif fault == "drawclaim":
            say("1/2-1/2 {Draw by repetition}")
        elif fault == "crash":
            eng.kill()
            os.kill(os.getpid(), signal.SIGSEGV)
        elif fault == "hang":
            state["silent"] = True

    threading.Thread(target=pump, daemon=True).start()
    for raw in iter(sys.stdin.buffer.readline, b""):
        line = raw.decode("latin-1").strip()
        with lock:
            if line == "new":
                board.reset()
                state["moves"] = 0
            elif MOVE.match(line):
                board.play(line)
            silent = state["silent"]
        if silent and line != "quit":
            continue
        try:
            eng.stdin.write(raw)
            eng.stdin.flush()
        except (BrokenPipeError, ValueError):
            pass
        if line == "quit":
            break
    try:
        eng.stdin.close()
        status = eng.wait(timeout=3)
    except (BrokenPipeError, ValueError, subprocess.TimeoutExpired):
        eng.kill()
        status = eng.wait()
    sys.exit(status if status >= 0 else 128 - status)  # the engine's own


if __name__ == "__main__":
    main()
