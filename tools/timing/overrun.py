#!/usr/bin/env python3
"""Measures how far Morvi's moves overrun their search limits, seen from
outside: two engines play each other through pipes as a GUI drives them
(xboard protocol, "level", "time", "otim", moves both ways, no pondering),
this script times each move from sending the opponent's move (or "go") to
reading the "N. ... move" line, and each engine's debug log gives the limit
its search was handed ("Search limit: L", centiseconds). The overrun of a
move is its time minus 1.1 x L x 10 ms (the search stops at 1.1 times its
limit); what is left over is the poll interval, the centisecond rounding,
writing the move, the pipes and the scheduler.

    tools/timing/overrun.py MORVI [--games N] [--parallel K] [--level "40 0:10 0"]

K games run side by side (K = 2 loads both cores of this machine the way a
match with pondering does). Prints one line per game and the worst, 99th
percentile and median overrun over all searched moves.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from engine_pipe import EnginePipe

MOVE_LINE = re.compile(r"^(\d+)\. \.\.\. ([a-h][1-8][a-h][1-8][nbrq]?)$")
RESULT_LINE = re.compile(r"^(1-0|0-1|1/2-1/2) \{")


class Engine(EnginePipe):
    """One engine process in the xboard protocol."""

    def wait_for_move(self, timeout):
        """The engine's move (or None at a result or silence), and the time it took."""
        while True:
            line = self.read_line(timeout)
            if line is None or RESULT_LINE.match(line):
                return None, line
            match = MOVE_LINE.match(line)
            if match:
                return match.group(2), line

    def quit(self):
        try:
            self.send("quit\n")
            self.proc.wait(timeout=10)
        except (BrokenPipeError, subprocess.TimeoutExpired):
            self.proc.kill()

    def searched_limits(self):
        """For each move of the engine in order: its search limit, or None (book)."""
        limits, limit = [], None
        with open(os.path.join(self.folder, "morvi.log"), errors="replace") as log:
            for record in log:
                if "Engine: Search limit: " in record:
                    limit = int(record.rsplit(":", 1)[1])
                elif re.search(r"Engine: \d+\. \.\.\. ", record):
                    limits.append(limit)
                    limit = None
        return limits


def play(binary, folder, level, max_plies=160):
    """One game; returns the list of (measured ms, limit cs) of searched moves."""
    engines = [Engine(binary, os.path.join(folder, "white")), Engine(binary, os.path.join(folder, "black"))]
    base, increment = level_clock(level)
    clocks = [base, base]  # centiseconds
    times = [[], []]
    for e in engines:
        e.send("xboard\nnew\neasy\nnopost\nlevel %s\n" % level)
    engines[0].send("force\n")
    time.sleep(1.0)  # both engines past their start-up calibration
    mover, last = 0, None
    for ply in range(max_plies):
        e, other = engines[mover], engines[1 - mover]
        e.send("time %d\notim %d\n" % (max(clocks[mover], 0), max(clocks[1 - mover], 0)))
        start = time.monotonic()
        e.send("go\n" if last is None else last + "\n")
        move, _ = e.wait_for_move(timeout=max(clocks[mover], 0) / 100 + 30)
        spent = (time.monotonic() - start) * 1000
        if move is None:
            break
        times[mover].append(spent)
        clocks[mover] -= int(spent / 10)
        clocks[mover] += increment
        if ply == 0:
            other.send("force\n")
        last, mover = move, 1 - mover
        if ply == 0:
            # The second engine plays the other side from now on.
            other.send(move + "\ngo\n")
            start = time.monotonic()
            reply, _ = other.wait_for_move(timeout=clocks[mover] / 100 + 30)
            spent = (time.monotonic() - start) * 1000
            if reply is None:
                break
            times[mover].append(spent)
            clocks[mover] -= int(spent / 10)
            last, mover = reply, 1 - mover
    for e in engines:
        e.quit()
    samples = []
    for side in (0, 1):
        for spent, limit in zip(times[side], engines[side].searched_limits()):
            if limit is not None:
                samples.append((spent, limit))
    return samples, min(clocks)


def level_clock(level):
    fields = level.split()
    base = fields[1]
    seconds = int(base.split(":")[0]) * 60 + (int(base.split(":")[1]) if ":" in base else 0)
    return seconds * 100, int(fields[2]) * 100


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("morvi")
    parser.add_argument("--games", type=int, default=2)
    parser.add_argument("--parallel", type=int, default=1)
    parser.add_argument("--level", default="40 0:10 0")
    args = parser.parse_args()
    root = tempfile.mkdtemp(prefix="morvi-overrun-")
    results = []
    lock = threading.Lock()

    def worker(index):
        samples, lowest = play(os.path.abspath(args.morvi), os.path.join(root, "game%d" % index), args.level)
        overruns = [spent - 11 * limit for spent, limit in samples]
        with lock:
            results.extend(overruns)
            worst = max(overruns) if overruns else 0
            print("game %d: %d searched moves, worst overrun %.1f ms, lowest clock %d cs" %
                  (index, len(samples), worst, lowest), flush=True)

    for first in range(0, args.games, args.parallel):
        threads = [threading.Thread(target=worker, args=(i,)) for i in range(first, min(first + args.parallel, args.games))]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
    shutil.rmtree(root, ignore_errors=True)
    if not results:
        print("no searched moves")
        return 1
    results.sort()
    p99 = results[min(len(results) - 1, int(len(results) * 0.99))]
    print("overrun: %d moves, worst %.1f ms, 99%% %.1f ms, median %.1f ms" %
          (len(results), results[-1], p99, statistics.median(results)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
