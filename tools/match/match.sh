#!/usr/bin/env bash
# Unattended match between Morvi and another engine under xboard 4.9 (Xvfb).
# Owns starting xboard for a match; match_summary.py scores it and
# engine_guard.py keeps a crashing engine from stopping it.  Checks of the
# tools themselves: match_summary.py --self-test, and fault_check.sh (a few
# seconds' games with made-up faults under the real xboard).
#
#   match.sh ENGINE1 DIR1 ENGINE2 DIR2 GAMES TC OUTDIR [extra xboard args]
#
# ENGINE1 is Morvi (the summary takes its side), e.g. "$PWD/build/morvi"
# with DIR1 "$PWD/build"; ENGINE2 an opponent, e.g. fairymax, phalanx,
# hoichess or sjeng with DIR2 /usr/games.  TC is one of
#   MOVES/SECONDS   e.g. 40/60   MOVES moves in SECONDS, repeating  (-mps -tc)
#   SECONDS+INC     e.g. 60+1    base time plus increment per move  (-tc -inc)
#   SECONDS         e.g. 120     sudden death                       (-tc -inc 0)
#   st=SECONDS      e.g. st=2    fixed time per move                (-st)
# Extra arguments go to xboard last, so they override the defaults below:
#   -firstProtocolVersion 1   talk protocol 1 to Morvi at once (without it
#                             xboard first sends "protover 2")
#   -ponder                   both engines think on the opponent's time
# ENGINE1 plays White in odd games.  Engine commands and OUTDIR must not
# contain '{', '}' or quotes (xboard hangs at start-up on a '{' in -fcp and
# does not honour quotes there); OUTDIR no blanks either.
#
# Installs with apt-get what is missing: xboard, xvfb, xauth, python3 and
# the Debian engines fairymax, phalanx, hoichess and sjeng when asked for.
# Each engine runs behind engine_guard.py (GUARD=0 turns that off) and xboard
# restarts both engines for every game (-xreuse -xreuse2), so that the pause
# between games can be short (-matchPause 1000 instead of xboard's 10 s).
#
# Writes into OUTDIR: match.pgn (the games), xboard.debug (xboard's debug
# log: the whole engine dialogue), xboard.out (xboard's own output),
# engine1.exits and engine2.exits (how each engine process ended).  Prints
# one line per game and ends with one line from ENGINE1's side, e.g.
#   W-D-L: 12-3-5 score 13.5/20 Elo +127 [-8, +318] illegal=0 claims=0
#   crashes=0 timeouts=0 unfinished=0 bad-exits=0 | opponent: ...
# (one line; see match_summary.py for every field).
# Environment: NAME1/NAME2 (PGN names), MATCH_TIMEOUT (watchdog seconds; a
# hung xboard is stopped and its open games count as unfinished), GUARD.
# Exit status: 0 when all GAMES games finished with a result, 1 otherwise,
# 2 on bad usage, 3 when the watchdog stopped xboard.
set -u

usage() {
    awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' \
        "$0" >&2
    exit 2
}
[ $# -ge 7 ] || usage
E1=$1 D1=$2 E2=$3 D2=$4 GAMES=$5 TC=$6 OUT=$7
shift 7
TOOLS=$(cd "$(dirname "$0")" && pwd)
case $GAMES in ''|*[!0-9]*|0) echo "match.sh: GAMES must be a positive integer" >&2; exit 2;; esac

export PATH="/usr/games:$PATH"

# ---- install what is missing (Debian packages, quietly) -------------------
need=()
[ -x /usr/games/xboard ] || need+=(xboard)
command -v xvfb-run >/dev/null || need+=(xvfb)
command -v xauth >/dev/null || need+=(xauth)
command -v python3 >/dev/null || need+=(python3)
for cmd in "$E1" "$E2"; do
    prog=$(basename "${cmd%% *}")
    case $prog in fairymax|phalanx|hoichess|sjeng)   # package = program name
        command -v "$prog" >/dev/null || need+=("$prog");;
    esac
done
if [ ${#need[@]} -gt 0 ]; then
    echo "match.sh: installing ${need[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y -qq "${need[@]}" >/tmp/match-apt.log 2>&1; then
        apt-get update -qq >>/tmp/match-apt.log 2>&1
        apt-get install -y -qq "${need[@]}" >>/tmp/match-apt.log 2>&1 ||
            { echo "match.sh: apt-get install failed, see /tmp/match-apt.log" >&2; exit 1; }
    fi
fi

# ---- time control ---------------------------------------------------------
# xboard sends the base time in "level" as whole minutes when SECONDS is a
# multiple of 60 ("level 40 1 0"), otherwise as "level 40 0:20 0".
mmss() {  # seconds -> xboard's minutes[:seconds]
    if [ $(($1 % 60)) -eq 0 ]; then echo $(($1 / 60)); else printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); fi
}
bad_tc() { echo "match.sh: bad TC '$TC' (use 40/60, 60+1, 120 or st=2)" >&2; exit 2; }
# per_game: a generous bound on one game's length, for the watchdog
if [[ $TC =~ ^([0-9]+)/([0-9]+)$ ]]; then
    tcargs=(-mps "${BASH_REMATCH[1]}" -tc "$(mmss "${BASH_REMATCH[2]}")" -inc -1)
    per_game=$((2 * BASH_REMATCH[2] * 5))
elif [[ $TC =~ ^([0-9]+)\+([0-9]+)$ ]]; then
    tcargs=(-tc "$(mmss "${BASH_REMATCH[1]}")" -inc "${BASH_REMATCH[2]}")
    per_game=$((2 * (BASH_REMATCH[1] + 200 * BASH_REMATCH[2])))
elif [[ $TC =~ ^([0-9]+)$ ]]; then
    tcargs=(-tc "$(mmss "${BASH_REMATCH[1]}")" -inc 0)
    per_game=$((2 * BASH_REMATCH[1]))
elif [[ $TC =~ ^st=([0-9]+)$ ]]; then
    tcargs=(-st "$(mmss "${BASH_REMATCH[1]}")")
    per_game=$((2 * BASH_REMATCH[1] * 250))
else
    bad_tc
fi
[ "$per_game" -gt 0 ] || bad_tc
LIMIT=${MATCH_TIMEOUT:-$((GAMES * (per_game + 60) + 60))}

# ---- names, paths, checks -------------------------------------------------
default_name() {  # "python3 /x/fault_engine.py crash 3 /y/morvi" -> fault_engine
    # shellcheck disable=SC2086  # split the command into words on purpose
    set -- $1
    case $(basename "$1") in
        python*|perl|bash|sh|java|node) [ $# -gt 1 ] && shift;;
    esac
    local b; b=$(basename "$1"); echo "${b%.*}"
}
N1=${NAME1:-$(default_name "$E1")}
N2=${NAME2:-$(default_name "$E2")}
if [ "$N1" = "$N2" ]; then N1="$N1-1"; N2="$N2-2"; fi
for v in "$E1" "$E2" "$OUT"; do
    case $v in *[{}\"\']*) echo "match.sh: no braces or quotes allowed in: $v" >&2; exit 2;; esac
done
case $OUT in *" "*) echo "match.sh: OUTDIR must not contain blanks" >&2; exit 2;; esac
D1=$(cd "$D1" 2>/dev/null && pwd) || { echo "match.sh: no directory $D1" >&2; exit 2; }
D2=$(cd "$D2" 2>/dev/null && pwd) || { echo "match.sh: no directory $D2" >&2; exit 2; }
for pair in "$E1|$D1" "$E2|$D2"; do   # would xboard find the program?
    w=${pair%%|*}; w=${w%% *}; d=${pair#*|}
    case $w in
        /*) [ -x "$w" ] ;;
        */*) [ -x "$d/$w" ] ;;
        *) command -v "$w" >/dev/null ;;
    esac || { echo "match.sh: cannot run '$w' (from $d)" >&2; exit 2; }
done
mkdir -p "$OUT" || exit 1
OUT=$(cd "$OUT" && pwd)
PGN=$OUT/match.pgn DBG=$OUT/xboard.debug
X1=$OUT/engine1.exits X2=$OUT/engine2.exits
rm -f "$PGN" "$DBG" "$OUT/xboard.out" "$X1" "$X2"
guardargs=() exits=()
if [ "${GUARD:-1}" = 1 ]; then
    E1="python3 $TOOLS/engine_guard.py --log $X1 $E1"
    E2="python3 $TOOLS/engine_guard.py --log $X2 $E2"
    guardargs=(-xreuse -xreuse2 -matchPause 1000)
    exits=("$X1" "$X2")
    : >"$X1"; : >"$X2"
fi
# a private HOME: no ~/.xboardrc is read or written
export HOME=$OUT/.xboard-home
mkdir -p "$HOME"

# ---- run ------------------------------------------------------------------
# timeout runs in a process group of its own; killing that group at the end
# removes any engine that xboard left behind, and nothing else.
timeout --kill-after=15 "$LIMIT" \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    /usr/games/xboard \
    -fcp "$E1" -fd "$D1" -fn "$N1" \
    -scp "$E2" -sd "$D2" -sn "$N2" \
    -mg "$GAMES" "${tcargs[@]}" \
    -sgf "$PGN" -debug -nameOfDebugFile "$DBG" \
    -xexit -saveSettingsOnExit false -autoCallFlag true -xponder \
    -soundProgram "" -noGUI "${guardargs[@]}" \
    "$@" >"$OUT/xboard.out" 2>&1 </dev/null &
pg=$!
trap 'kill -TERM -- -$pg 2>/dev/null; exit 130' INT TERM
wait $pg
rc=$?
kill -TERM -- -$pg 2>/dev/null
trap - INT TERM

# ---- summary (its closing line is the last line printed) ------------------
echo "match.sh: PGN $PGN, debug log $DBG" >&2
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    echo "match.sh: watchdog stopped xboard after ${LIMIT}s (set MATCH_TIMEOUT)" >&2
elif [ $rc -ne 0 ]; then
    echo "match.sh: xboard exit status $rc; see $OUT/xboard.out" >&2
fi
python3 "$TOOLS/match_summary.py" "$PGN" "$DBG" "$N1" "$GAMES" "${exits[@]}"
prc=$?
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then exit 3; fi
[ $rc -eq 0 ] && [ $prc -eq 0 ] && exit 0
exit 1
