#!/usr/bin/env python3
"""How much of the time a UCI GUI gives Morvi its searches really use, seen
from outside: the engine runs as a GUI runs it, through pipes, and each "go"
is timed from writing it to reading its "bestmove".

    tools/timing/uci_time_use.py MORVI [--movetime 100,300,1000] [--positions 6]
                                       [--clock 60000+0,10000+100,1500+100] [--plies 80]

movetime: each N is asked for in several middlegame positions; the line
gives the time used as a share of N (least, median, most), the depth reached
and how often the answer came later than N.

clock: the engine plays a game against itself from a middlegame position,
each side's clock counted down by the time its move took (as a match runner
counts it) and given its increment; the line gives the time a move took
(median and most), the median share of the mover's clock a move used, the
least time left on a clock, the median and least depth, and any flag that fell. When
the engine writes its plan to its debug log ("Time plan: soft S hard H"), the
share of the soft limit used is given too. Stops after --plies plies or when
the game is over.
"""
import argparse
import os
import re
import shutil
import statistics
import sys
import tempfile
import time

from engine_pipe import EnginePipe

# Middlegame positions of our own games (White or Black to move).
POSITIONS = [
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "r2q1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P1b1/2NP1N2/PPP2PPP/R2Q1RK1 w - - 6 8",
    "r1bq1rk1/pp3ppp/2n1pn2/2bp4/2P5/2N1PN2/PP1B1PPP/R2QKB1R b KQ - 1 8",
    "r3k2r/pp1nbppp/2p1pn2/q7/2BP4/2N1PN2/PP1Q1PPP/R3K2R w KQkq - 2 11",
    "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB1QBPPP/2R2RK1 b - - 3 11",
    "r4rk1/1bqnbppp/p2ppn2/1p6/3NPP2/1BN1B3/PPP1Q1PP/2KR3R w - - 4 13",
]

DEPTH = re.compile(r"^info depth (\d+) ")
PLAN = re.compile(r"Time plan: soft (\d+) hard (\d+)")


class Engine(EnginePipe):
    """Morvi in UCI, its book off."""

    def __init__(self, binary, folder):
        super().__init__(binary, folder)
        self.send("uci")
        self.wait_for("uciok")
        self.send("setoption name OwnBook value false")

    def send(self, line):
        super().send(line + "\n")

    def next_line(self):
        line = self.read_line(60)
        if line is None:
            raise RuntimeError("no answer from the engine")
        return line.rstrip("\r")

    def wait_for(self, word):
        while not self.next_line().startswith(word):
            pass

    def ready(self):
        self.send("isready")
        self.wait_for("readyok")

    def go(self, position, go):
        """Sends the position and the go; returns (milliseconds, move, depth)."""
        self.send(position)
        self.ready()
        start = time.monotonic()
        self.send(go)
        depth = 0
        while True:
            line = self.next_line()
            found = DEPTH.match(line)
            if found:
                depth = int(found.group(1))
            if line.startswith("bestmove "):
                return (time.monotonic() - start) * 1000, line.split()[1], depth

    def plans(self):
        """The plans the engine logged so far (empty for an engine that logs none)."""
        if not os.path.exists(self.log):
            return []
        with open(self.log, errors="replace") as log:
            return [(int(m.group(1)), int(m.group(2))) for m in PLAN.finditer(log.read())]

    def quit(self):
        self.send("quit")
        self.proc.wait(timeout=10)


def movetime_line(engine, movetime, positions):
    shares, depths, late = [], [], 0
    for fen in POSITIONS[:positions]:
        ms, _, depth = engine.go("position fen " + fen, "go movetime %d" % movetime)
        shares.append(ms / movetime)
        depths.append(depth)
        late += ms > movetime
    return ("movetime %5d ms: used %3.0f%% / %3.0f%% / %3.0f%% (least/median/most), depth %s, late %d of %d" %
            (movetime, 100 * min(shares), 100 * statistics.median(shares), 100 * max(shares),
             statistics.median(depths), late, len(shares)))


def clock_line(engine, start_ms, increment_ms, plies):
    clocks = [start_ms, start_ms]  # White, Black
    fen = POSITIONS[1]
    side = 0 if fen.split()[1] == "w" else 1
    moves, times, shares, depths = [], [], [], []
    plans_before = len(engine.plans())
    least_left, flags = min(clocks), 0
    for _ in range(plies):
        position = "position fen " + fen + (" moves " + " ".join(moves) if moves else "")
        go = "go wtime %d btime %d winc %d binc %d" % (clocks[0], clocks[1], increment_ms, increment_ms)
        ms, move, depth = engine.go(position, go)
        if move == "0000":
            break
        shares.append(ms / clocks[side])
        clocks[side] -= ms
        flags += clocks[side] < 0
        least_left = min(least_left, clocks[side])
        clocks[side] += increment_ms
        times.append(ms)
        depths.append(depth)
        moves.append(move)
        side = 1 - side
    plans = engine.plans()[plans_before:]
    text = ("clock %6d+%-4d: %d moves, a move took %4.0f ms median, %5.0f most, %4.1f%% of the clock median, "
            "least left %6.0f ms, depth %s median, %d least, %d flags" %
            (start_ms, increment_ms, len(times), statistics.median(times), max(times),
             100 * statistics.median(shares), least_left, statistics.median(depths), min(depths), flags))
    if len(plans) >= len(times) and plans:
        used = [ms / soft for ms, (soft, _) in zip(times, plans) if soft > 0]
        if used:
            text += ", %.0f%% of the soft limit median" % (100 * statistics.median(used))
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("morvi")
    parser.add_argument("--movetime", default="100,300,1000")
    parser.add_argument("--positions", type=int, default=6)
    parser.add_argument("--clock", default="60000+0,10000+100,1500+100")
    parser.add_argument("--plies", type=int, default=80)
    args = parser.parse_args()
    folder = tempfile.mkdtemp(prefix="morvi-time-use-")
    try:
        engine = Engine(os.path.abspath(args.morvi), os.path.join(folder, "engine"))
        for movetime in filter(None, args.movetime.split(",")):
            print(movetime_line(engine, int(movetime), args.positions), flush=True)
        for clock in filter(None, args.clock.split(",")):
            start, increment = clock.split("+")
            print(clock_line(engine, int(start), int(increment), args.plies), flush=True)
        engine.quit()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
