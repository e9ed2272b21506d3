#!/usr/bin/env python3
"""Relay between xboard and one engine that turns a crash into a resignation.

Owns what match.sh does about engines that die.  xboard 4.9.1 handles an
engine that dies badly: a death before its first move can leave xboard
spinning with the game never ending, and a death later in a game is scored
as a loss on time, after which the next game fails with "Error writing to
first chess program" and the match stops.

The guard relays every line unchanged both ways (and passes SIGINT and
SIGTERM on to the engine).  When the engine exits without having been sent
"quit" it prints "# engine_guard: crashed (signal 11)" (or "(exit 3)"): a
comment line, which xboard ignores but writes into its debug log, so that
match_summary.py counts the game as a crash; then "resign", so that the game
ends at once and the match goes on (match.sh runs xboard with -xreuse, so
each game gets a fresh engine).

  engine_guard.py [--log FILE] ENGINE_CMD...

With --log, one line per engine run is appended to FILE: how the engine
ended, "exit 0 after quit" when all went well.  xboard sends SIGTERM right
after "quit" to an engine that has not declared sigterm=0 (as no protocol-1
engine can); the guard passes it on, and an engine that it stops logs
"signal 15 after quit".  An engine still running 3 s after "quit" is killed
("killed: still running 3 s after quit").
"""
import signal
import subprocess
import sys
import threading
import time


def how(status):
    return "signal %d" % -status if status < 0 else "exit %d" % status


def main():
    args = sys.argv[1:]
    log = None
    if args[:1] == ["--log"] and len(args) >= 2:
        log, args = args[1], args[2:]
    if not args:
        sys.exit(__doc__)
    started = []

    def note(text):
        if log:
            try:
                with open(log, "a") as f:
                    f.write("%s %s: %s\n" % (
                        time.strftime("%H:%M:%S"), " ".join(args), text))
            except OSError:
                pass

    def forward(signum, _frame):
        for p in started:
            try:
                p.send_signal(signum)
            except ProcessLookupError:
                pass
    # before the engine starts, so that no early SIGINT kills the guard
    signal.signal(signal.SIGINT, forward)
    signal.signal(signal.SIGTERM, forward)
    eng = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                           bufsize=0)
    started.append(eng)
    quitting = threading.Event()
    crashed = threading.Event()
    out = sys.stdout.buffer

    def pump():
        for line in iter(eng.stdout.readline, b""):
            try:
                out.write(line)
                out.flush()
            except (BrokenPipeError, ValueError):
                pass
        status = eng.wait()
        if not quitting.is_set():
            crashed.set()
            note("crashed (%s)" % how(status))
            try:
                out.write(b"# engine_guard: crashed (%s)\nresign\n"
                          % how(status).encode())
                out.flush()
            except (BrokenPipeError, ValueError):
                pass
    t = threading.Thread(target=pump, daemon=True)
    t.start()

    for line in iter(sys.stdin.buffer.readline, b""):
        if line.split()[:1] == [b"quit"]:
            quitting.set()
        try:
            eng.stdin.write(line)
            eng.stdin.flush()
        except (BrokenPipeError, ValueError):
            pass
        if quitting.is_set():
            break
    quitting.set()
    try:
        eng.stdin.close()
    except (BrokenPipeError, ValueError):
        pass
    try:
        status = how(eng.wait(timeout=3))
    except subprocess.TimeoutExpired:
        eng.kill()
        eng.wait()
        status = "killed: still running 3 s after quit"
    if not crashed.is_set():
        note(status if status.startswith("killed") else status + " after quit")
    t.join(timeout=1)


if __name__ == "__main__":
    main()
