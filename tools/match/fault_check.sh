#!/usr/bin/env bash
# End-to-end check of the match tools against a real xboard: one short game
# per made-up fault (fault_engine.py spoils a move), each of which must show
# in match.sh's closing line as that fault and nothing else.
#
#   fault_check.sh [MORVI [OUTDIR]]
#
# MORVI defaults to build/morvi in the repository, OUTDIR to /tmp/morvi-faults.
# The opponent is fairymax; the fault comes at the faulty side's 3rd move,
# so each game lasts a few seconds (st=2; a hung engine loses after 2 s).
# Prints one line per case and "fault check: N passed, M failed"; exit 0 when
# all passed.
set -u
TOOLS=$(cd "$(dirname "$0")" && pwd)
MORVI=${1:-$TOOLS/../../build/morvi}
OUT=${2:-/tmp/morvi-faults}
MORVI=$(cd "$(dirname "$MORVI")" && pwd)/$(basename "$MORVI")
DIR=$(dirname "$MORVI")
[ -x "$MORVI" ] || { echo "fault_check.sh: no engine $MORVI" >&2; exit 2; }
FAULT="python3 $TOOLS/fault_engine.py"

# case name | engine 1 | engine 2 | expected counts ("side:key=n", others 0)
cases=(
    "illegal|$FAULT illegal 3 $MORVI|fairymax|me:illegal=1"
    "claim|$FAULT claim 3 $MORVI|fairymax|me:claims=1"
    "drawclaim|$FAULT drawclaim 3 $MORVI|fairymax|me:claims=1"
    "crash|$FAULT crash 3 $MORVI|fairymax|me:crashes=1"
    "hang|$FAULT hang 3 $MORVI|fairymax|me:timeouts=1"
    "opponent-crash|$MORVI|$FAULT crash 3 /usr/games/fairymax|op:crashes=1"
    "opponent-hang|$MORVI|$FAULT hang 3 /usr/games/fairymax|op:timeouts=1"
)

# "illegal=0 claims=1 ..." of one side of the closing line, in a fixed order
counts() {
    tr ' ' '\n' <<<"$1" |
        grep -E '^(illegal|claims|crashes|timeouts|unfinished|bad-exits)=' |
        sort | tr '\n' ' '
}
want_counts() {  # SIDE EXPECTED -> the counts that side must show
    local side=$1 exp=$2 k line=""
    for k in illegal claims crashes timeouts unfinished bad-exits; do
        [ "$side" = op ] && [ "$k" = unfinished ] && continue
        v=0
        [ "${exp%%:*}" = "$side" ] && [ "${exp#*:}" = "$k=1" ] && v=1
        line+="$k=$v"$'\n'
    done
    printf '%s' "$line" | sort | tr '\n' ' '
}

pass=0 fail=0
for c in "${cases[@]}"; do
    IFS='|' read -r name e1 e2 exp <<<"$c"
    last=$(NAME1=Morvi NAME2=fairymax "$TOOLS/match.sh" "$e1" "$DIR" \
        "$e2" /usr/games 1 st=2 "$OUT/$name" -firstProtocolVersion 1 2>&1 |
        tail -n 1)
    mine=${last%%|*} theirs=${last#*|}
    if [ "$(counts "$mine")" = "$(want_counts me "$exp")" ] &&
       [ "$(counts "$theirs")" = "$(want_counts op "$exp")" ]; then
        pass=$((pass + 1)); echo "ok   $name: $last"
    else
        fail=$((fail + 1)); echo "FAIL $name (want $exp): $last"
    fi
done
echo "fault check: $pass passed, $fail failed"
[ $fail -eq 0 ]
