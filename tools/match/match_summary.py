#!/usr/bin/env python3
"""Scores an xboard match from engine 1's (Morvi's) side: used by match.sh.

  match_summary.py PGN DEBUGLOG NAME1 GAMES [EXITS1 EXITS2]
  match_summary.py --self-test

Owns reading xboard 4.9's PGN and debug log, telling how each game ended,
and the closing line with the Elo estimate.

Where the facts come from (all seen in real xboard runs):
- The debug log marks each game with "New game (K): ... (w)" ("w": engine 1
  has White), ends it with "GE(CODE, REASON, WHO)" (CODE 26 = 1-0, 27 = 0-1,
  28 = draw, 29 = none) and sends "result 1-0 {REASON}" to both engines.
  A false claim first shows "GameEnds" with the claimed result: the "result"
  line sent afterwards is the one that counts.
- The PGN holds the same REASON as the last comment.  xboard saves no game
  that ended before its first move, so the debug log fills those in.
- REASON for the faults:
    illegal move  "Xboard: Forfeit due to invalid move: a1a2 (a1a2 via ...)"
    false claim   "False win claim: 'White mates'"
                  "False draw claim: 'Draw by repetition'"
    time          "Black wins on time"
- A crash: engine_guard.py writes "# engine_guard: crashed (signal 11)"
  (the debug log shows "<first : # engine_guard: ...") and then resigns
  for the engine, so REASON reads "White resigns": the guard's line makes it
  a crash.  A guard line after xboard sent that engine "quit" comes from the
  engine started for the next game (xboard restarts both every game).
  Without the guard a crash shows only as a loss on time.
- A hung engine loses on time; the game's line adds "silent after xboard's
  last line to it: hung?" when the loser said nothing after its last input.
- EXITS1 and EXITS2 are engine_guard.py's --log files: one line per engine
  process, "exit 0 after quit" when it ended well ("signal 15 after quit"
  is xboard's SIGTERM, see bad_exits).

Prints one line per game, then one closing line, for example
  W-D-L: 12-3-5 score 13.5/20 Elo +127 [-8, +318] illegal=0 claims=0
  crashes=0 timeouts=0 unfinished=0 bad-exits=0 | opponent: illegal=0
  claims=0 crashes=0 timeouts=1 bad-exits=0
(on one line).  illegal (illegal moves), claims (false claims), crashes and
timeouts (lost on time, hung engines too) count engine 1's games lost so
(crashes: every game in which its process died, even after the result);
unfinished counts games with no result (xboard hung and was stopped, or
games never played); bad-exits (only with the exits files) counts engine
processes that ended badly after "quit" (a status other than 0, a signal,
or still running 3 s later).  "opponent:" gives the same for engine 2.
Elo = -400 log10(1/score - 1); the 95% interval maps score +- 1.96 sqrt(var/n)
(var: the variance of the per-game results 1, 0.5, 0) through the same
formula.  A score of 1 (or 0) gives an infinite estimate; its finite bound is
the exact one for n wins in n games (the win rate p with p^n = 0.025), and
the line says so.  Exits 0 only when GAMES games all have a result.
"""
import math
import re
import sys

CODES = {"26": "1-0", "27": "0-1", "28": "1/2-1/2", "29": "*"}
KINDS = ("illegal", "claims", "crashes", "timeouts")
WORDS = dict(illegal="illegal move", claims="false claim", crashes="crash",
             timeouts="time")


def read(path):
    try:
        with open(path, encoding="latin-1") as f:
            return f.read()
    except OSError:
        return ""


def new_game(white):
    # silent: the engines that said nothing after xboard's last line to
    # them (a time loss then looks like a hang rather than a slow search)
    return dict(white=white, result="*", why="", crash={}, silent=set())


# ---- the debug log ------------------------------------------------------

def from_debug(text):
    """game number -> game dict (see new_game), from xboard's debug log."""
    games, cur = {}, None
    pending = {}            # crashes of engines started for the next game
    quit_sent = {1: False, 2: False}
    last = {"<": {1: -1, 2: -1}, ">": {1: -1, 2: -1}}  # line numbers
    for number, line in enumerate(text.splitlines()):
        m = re.match(r"\d+ ([<>])(first |second): ?(.*)$", line)
        if m:
            eng = 1 if m.group(2) == "first " else 2
            said = m.group(3)
            last[m.group(1)][eng] = number
            if m.group(1) == ">":
                if said.split()[:1] == ["quit"]:
                    quit_sent[eng] = True
                r = re.match(r"result (1-0|0-1|1/2-1/2|\*) \{(.*)\}$", said)
                if r and cur is not None and not cur["sent"]:
                    cur["result"], cur["why"] = r.groups()
                    cur["sent"] = True
                continue
            g = re.match(r"# engine_guard: (.*)", said)
            if g:
                if cur is None or quit_sent[eng]:
                    pending[eng] = g.group(1)
                elif eng not in cur["crash"]:
                    cur["crash"][eng] = g.group(1) + (
                        " after the result" if cur["ended"] else "")
            continue
        m = re.match(r"New game \((\d+)\): .* \(([wb])\)$", line)
        if m:
            cur = games[int(m.group(1))] = new_game(m.group(2) == "w")
            cur.update(ended=False, sent=False, crash=dict(pending))
            pending.clear()
            quit_sent = {1: False, 2: False}
            continue
        m = re.match(r"GE\((2[6-9]), (.*), \d+\)", line)
        if m and cur is not None and not cur["ended"]:
            cur["ended"] = True
            cur["result"], cur["why"] = CODES[m.group(1)], m.group(2)
            cur["silent"] = {e for e in (1, 2) if last["<"][e] < last[">"][e]}
    return games


# ---- the PGN ------------------------------------------------------------

def from_pgn(text, me, games):
    """Overlay the PGN's games (by Round) on the debug log's."""
    for g in re.split(r"\n(?=\[Event )", text):
        tags = dict(re.findall(r'^\[(\w+) "(.*)"\]', g, re.M))
        if not tags.get("Round", "").isdigit():
            continue
        i = int(tags["Round"])
        old = games.get(i) or new_game(i % 2 == 1)
        if tags.get("White") == me:
            white = True
        elif tags.get("Black") == me:
            white = False
        else:
            white = old["white"]
        moves = g.split("\n\n", 1)[1] if "\n\n" in g else ""
        m = re.search(r"\{([^{}]*)\}\s*(1-0|0-1|1/2-1/2|\*)\s*$", moves)
        games[i] = dict(old, white=white, result=tags.get("Result", "*"),
                        why=m.group(1) if m else old["why"])
    return games


# ---- how a game ended ---------------------------------------------------

def loser(game):
    """1 or 2: the engine that lost the game, or None for a draw/no result."""
    if game["result"] not in ("1-0", "0-1"):
        return None
    return 1 if (game["result"] == "1-0") != game["white"] else 2


def classify(game):
    """[(engine, kind)]: the faults of the game, kind as in KINDS."""
    faults = [(e, "crashes") for e in sorted(game["crash"])]
    why, lost = game["why"].lower(), loser(game)
    if lost is None or lost in game["crash"]:
        return faults
    if re.search(r"exited|crash|unexpected|error writing|connection lost",
                 why):
        kind = "crashes"            # xboard's own words, without the guard
    elif re.search(r"false .*claim", why):
        kind = "claims"
    elif re.search(r"on time|flag fell|out of time|time forfeit", why):
        kind = "timeouts"
    elif re.search(r"invalid move|illegal move|forfeit", why):
        kind = "illegal"
    else:
        return faults
    return faults + [(lost, kind)]


# ---- Elo ----------------------------------------------------------------

def elo(score):
    if score <= 0:
        return -math.inf
    if score >= 1:
        return math.inf
    return -400 * math.log10(1 / score - 1)


def elo_interval(w, d, l):
    """(estimate, low, high, note) for w wins, d draws and l losses."""
    n = w + d + l
    s = (w + d / 2) / n
    if s in (0, 1):  # the spread is 0: bound it by p^n = 0.025 instead
        p = 0.025 ** (1 / n)
        if s == 1:
            return (math.inf, elo(p), math.inf,
                    "all won: low bound from p^n=0.025")
        return (-math.inf, -math.inf, elo(1 - p),
                "all lost: high bound from p^n=0.025")
    var = (w * (1 - s) ** 2 + d * (0.5 - s) ** 2 + l * s ** 2) / n
    half = 1.96 * math.sqrt(var / n)
    note = "all games alike: no spread" if var == 0 else ""
    return elo(s), elo(s - half), elo(s + half), note


def fmt_elo(x):
    return "%+d" % round(x) if math.isfinite(x) else \
        ("+inf" if x > 0 else "-inf")


# ---- the summary --------------------------------------------------------

def bad_exits(text):
    """How many engine runs in an exits file ended badly after quit.

    xboard sends SIGTERM right after "quit" to an engine that has not
    declared sigterm=0, which a protocol-1 engine cannot: "signal 15 after
    quit" is xboard's doing, not a fault."""
    return sum(1 for line in text.splitlines()
               if re.search(r"after quit$", line) and not re.search(
                   r": (exit 0|signal 15) after quit$", line))


def summarize(games, me, wanted, exits=None):
    lines = []
    n = dict(W=0, D=0, L=0, open=0)
    faults = {e: dict.fromkeys(KINDS, 0) for e in (1, 2)}
    for i in range(1, max([wanted] + list(games)) + 1):
        g = games.get(i) or dict(new_game(i % 2 == 1), why="not played")
        lost = loser(g)
        if g["result"] == "1/2-1/2":
            n["D"] += 1
            mark = "="
        elif lost is not None:
            n["L" if lost == 1 else "W"] += 1
            mark = "-" if lost == 1 else "+"
        else:
            n["open"] += 1
            mark = "?"
        notes = []
        for e, kind in classify(g):
            faults[e][kind] += 1
            who = me if e == 1 else "opponent"
            note = "%s: %s" % (who, WORDS[kind])
            if kind == "crashes":
                note += " " + re.sub(r"^crashed ", "",
                                     g["crash"].get(e, "(xboard's words)"))
            if kind == "timeouts" and e in g["silent"]:
                note += ", silent after xboard's last line to it: hung?"
            notes.append(note)
        lines.append("game %d: %s %s %s (%s)%s  {%s}" % (
            i, me, "white" if g["white"] else "black", g["result"], mark,
            "".join("  [%s]" % x for x in notes), g["why"]))
    played = n["W"] + n["D"] + n["L"]
    if played:
        est, lo, hi, note = elo_interval(n["W"], n["D"], n["L"])
        elo_text = "Elo %s [%s, %s]%s" % (
            fmt_elo(est), fmt_elo(lo), fmt_elo(hi),
            " (%s)" % note if note else "")
    else:
        elo_text = "Elo n/a"

    def counts(e, more=""):
        return " ".join(["%s=%d" % (k, faults[e][k]) for k in KINDS] +
                        ([more] if more else []) +
                        (["bad-exits=%d" % exits[e - 1]] if exits else []))
    lines.append("W-D-L: %d-%d-%d score %g/%d %s %s | opponent: %s" % (
        n["W"], n["D"], n["L"], n["W"] + n["D"] / 2, played, elo_text,
        counts(1, "unfinished=%d" % n["open"]), counts(2)))
    return lines, played == wanted and n["open"] == 0


# ---- a self-check on made-up logs shaped like xboard's ------------------

def pgn_game(rnd, white, black, result, why):
    return ('[Event "Computer Chess Game"]\n[Round "%d"]\n[White "%s"]\n'
            '[Black "%s"]\n[Result "%s"]\n\n1. e4 {+0.10/5} e5 2. Nf3 Nc6\n'
            '{%s} %s\n' % (rnd, white, black, result, why, result))


def debug_game(k, colour, body):
    return "New game (%d): fairymax (%s)\n%s\n" % (k, colour, body)


def self_test():
    bad = []

    def check(what, got, want):
        if got != want:
            bad.append("%s: got %r, want %r" % (what, got, want))

    # Elo: the formula and its interval
    check("elo 0.5", round(elo(0.5), 6), 0)
    check("elo 0.75", round(elo(0.75), 1), 190.8)
    check("elo 0.25", round(elo(0.25), 1), -190.8)
    est, lo, hi, note = elo_interval(10, 0, 10)   # sd 0.5, se 0.1118
    check("10-0-10", (round(est), round(lo), round(hi), note),
          (0, -163, 163, ""))
    est, lo, hi, note = elo_interval(12, 3, 5)
    check("12-3-5 estimate", round(est), 127)       # score 0.675
    check("12-3-5 interval", (round(lo), round(hi)), (-8, 318))
    est, lo, hi, note = elo_interval(20, 0, 0)    # 0.025^(1/20) = 0.8316
    check("20-0-0", (est, round(lo), hi), (math.inf, 277, math.inf))
    check("20-0-0 note", "p^n=0.025" in note, True)
    est, lo, hi, _ = elo_interval(0, 0, 4)        # 1 - 0.025^(1/4) = 0.602
    check("0-0-4", (est, lo, round(hi)), (-math.inf, -math.inf, 72))
    check("0-4-0", elo_interval(0, 4, 0)[3], "all games alike: no spread")
    check("fmt", (fmt_elo(95.4), fmt_elo(-0.2), fmt_elo(-math.inf)),
          ("+95", "+0", "-inf"))

    # One game for each way to end, Morvi (engine 1) playing both colours.
    fm = "fairymax"
    pgn = "\n".join([
        pgn_game(1, "Morvi", fm, "1-0", "White mates"),
        pgn_game(2, fm, "Morvi", "1-0", "Xboard: Forfeit due to invalid "
                 "move: a7a8 (a7a8 via `0, `0) res=24"),
        pgn_game(3, "Morvi", fm, "0-1", "False win claim: 'White mates'"),
        pgn_game(4, fm, "Morvi", "1-0",
                 "False draw claim: 'Draw by repetition'"),
        pgn_game(5, "Morvi", fm, "0-1", "White resigns"),
        pgn_game(6, fm, "Morvi", "1-0", "White wins on time"),
        pgn_game(7, "Morvi", fm, "1-0", "Black wins on time"),
        pgn_game(8, fm, "Morvi", "1/2-1/2", "Draw by repetition"),
        pgn_game(9, "Morvi", fm, "1-0", "Black resigns"),
        # 10: ended before its first move, so only in the debug log
        pgn_game(11, fm, "Morvi", "*", "game unfinished"),
        # 12: never started (the watchdog stopped xboard)
    ])
    debug = "".join([
        debug_game(1, "w", "100 <first : 23. ... h5f7\nGE(26, White mates"
                   ", 4) bare king k=16 color=0\n100 >first : result 1-0 "
                   "{White mates}"),
        debug_game(3, "w", "200 <first : 1-0 {White mates}\nGameEnds(26, "
                   "White mates, 5)\nGE(27, False win claim: 'White mates', "
                   "5) bare king k=16 color=66\n200 >first : result 0-1 "
                   "{False win claim: 'White mates'}"),
        debug_game(5, "w", "300 <first : # engine_guard: crashed (signal 11)"
                   "\nGE(27, White resigns, 5) bare king k=16 color=66\n"
                   "300 >first : result 0-1 {White resigns}"),
        debug_game(6, "b", "390 <first : 12. ... e7e5\n400 <second: "
                   "move d2d4\nGE(26, White wins on time, 4) bare king k=16 "
                   "color=0\n400 >first : result 1-0 {White wins on time}"),
        # 7: the opponent loses on time, silent after its last input
        debug_game(7, "w", "1000 >second: e2e4\n1000 <second: 1 5 0 9 e7e5"
                   "\n1000 <second: move e7e5\n1000 >second: d2d4\n"
                   "3500 >first : time 9\nGE(26, Black wins on time, 4) "
                   "bare king k=16 color=0"),
        # 9: Morvi wins, then its engine dies while told the result;
        # the opponent's engine dies after "quit": that one belongs to 10
        debug_game(9, "w", "GE(26, Black resigns, 5) bare king k=16 color=0"
                   "\n500 >first : result 1-0 {Black resigns}\n500 <first : "
                   "# engine_guard: crashed (exit 1)\n500 >second: quit\n"
                   "600 <second: # engine_guard: crashed (signal 6)"),
        debug_game(10, "b", "GE(27, White resigns, 5) bare king k=16 "
                   "color=66\n700 >first : result 0-1 {White resigns}"),
        debug_game(11, "b", "800 <first : 1. ... e7e5"),
    ])
    exits1 = ("10:00:01 /b/morvi: exit 0 after quit\n"
              "10:00:02 /b/morvi: crashed (signal 11)\n"
              "10:00:03 /b/morvi: signal 15 after quit\n"
              "10:00:03 /b/morvi: signal 6 after quit\n"
              "10:00:04 /b/morvi: killed: still running 3 s after quit\n")
    exits2 = "10:00:01 fairymax: exit 0 after quit\n"
    check("bad exits", (bad_exits(exits1), bad_exits(exits2)), (2, 0))
    games = from_pgn(pgn, "Morvi", from_debug(debug))
    lines, complete = summarize(games, "Morvi", 12,
                                [bad_exits(exits1), bad_exits(exits2)])
    want_marks = ["+", "-", "-", "-", "-", "-", "+", "=", "+", "+", "?", "?"]
    for i, (line, mark) in enumerate(zip(lines, want_marks), 1):
        check("game %d mark" % i, line.split(") ")[0][-1:], mark)
    check("game 1", "[" in lines[0], False)
    check("game 2", "[Morvi: illegal move]" in lines[1], True)
    check("game 3", "[Morvi: false claim]" in lines[2], True)
    check("game 4", "[Morvi: false claim]" in lines[3], True)
    check("game 5", "[Morvi: crash (signal 11)]" in lines[4], True)
    check("game 6", "[Morvi: time]" in lines[5], True)
    check("game 7", "[opponent: time, silent after xboard's last line to "
          "it: hung?]"
          in lines[6], True)
    check("game 9", "[Morvi: crash (exit 1) after the result]" in lines[8],
          True)
    check("game 10", "[opponent: crash (signal 6)]" in lines[9],
          True)
    check("game 12", lines[11].endswith("{not played}"), True)
    check("complete", complete, False)
    check("closing line", lines[-1],
          "W-D-L: 4-1-5 score 4.5/10 Elo -35 [-291, +184] illegal=1 "
          "claims=2 crashes=2 timeouts=1 unfinished=2 bad-exits=2 | "
          "opponent: illegal=0 claims=0 crashes=1 timeouts=1 bad-exits=0")
    if bad:
        print("\n".join(lines))
        print("self-test FAILED:\n  " + "\n  ".join(bad))
        return 1
    print("self-test passed: %d games classified, Elo checked"
          % (len(lines) - 1))
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        sys.exit(self_test())
    if len(sys.argv) not in (5, 7) or not sys.argv[4].isdigit():
        sys.exit(__doc__)
    pgn, dbg, me, wanted = sys.argv[1:5]
    exits = [bad_exits(read(f)) for f in sys.argv[5:7]]
    games = from_pgn(read(pgn), me, from_debug(read(dbg)))
    lines, complete = summarize(games, me, int(wanted), exits)
    print("\n".join(lines))
    sys.exit(0 if complete else 1)


if __name__ == "__main__":
    main()
