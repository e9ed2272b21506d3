#!/usr/bin/env bash
# Measures Morvi's strength levels (UCI_LimitStrength with UCI_Elo) with
# fastchess, and prints the calibration table's rows.
#
#   calibrate.sh MORVI OUTDIR [GAMES] [TC] [LEVELS...]
#
# MORVI is the engine (e.g. "$PWD/build/morvi"), OUTDIR a folder for the
# games and fastchess's reports; GAMES per level (default 40), TC the
# control (default 10+0.1). LEVELS default to 2000 1800 1650 1500 1350 1100 800
# 500. A level of 1350 or more plays Debian's stockfish at the same UCI_Elo
# (stockfish's levels start at 1350): the level measured is that number
# plus the Elo difference fastchess reports. A level below 1350 plays the
# next higher level of the list that is already measured (list them from
# the top down), and its measure is that level's measure plus the
# difference; a level given as LEVEL=ELO is taken as measured before (so
# "800=703 500" measures 500 against 800 alone). Openings:
# tools/match/openings.epd, each played with both colours. fastchess must
# be on the PATH (or in FASTCHESS); stockfish at /usr/games/stockfish (or
# STOCKFISH). Concurrency: CONCURRENCY (default 2; one game per core, on a
# machine doing nothing else).
#
# Each row: level | measured Elo | 95% interval | games | W-D-L | opponent
set -eu

if [ "$#" -lt 2 ]; then
  sed -n '2,22p' "$0"
  exit 2
fi
morvi="$1"
outdir="$2"
games="${3:-40}"
tc="${4:-10+0.1}"
shift $(( $# < 4 ? $# : 4 ))
levels=("$@")
[ "${#levels[@]}" -gt 0 ] || levels=(2000 1800 1650 1500 1350 1100 800 500)

here="$(cd "$(dirname "$0")" && pwd)"
fastchess="${FASTCHESS:-fastchess}"
stockfish="${STOCKFISH:-/usr/games/stockfish}"
concurrency="${CONCURRENCY:-2}"
openings="$here/openings.epd"
mkdir -p "$outdir"
declare -A measured

# fastchess's last "Elo: X +/- Y" and "Games: ..., Wins: ..., Losses: ...,
# Draws: ..." lines, as "X Y N W D L".
summary() {
  python3 - "$1" <<'EOF'
import re, sys
text = open(sys.argv[1], errors="replace").read()
elo = re.findall(r"Elo: ([-\d.]+|inf|-inf) \+/- ([\d.]+|nan|inf)", text)
res = re.findall(r"Games: (\d+), Wins: (\d+), Losses: (\d+), Draws: (\d+)", text)
if not elo or not res:
    sys.exit("no result in " + sys.argv[1])
e, m = elo[-1]
n, w, l, d = res[-1]
print(e, m, n, w, d, l)
EOF
}

play() {  # play NAME OPPONENT-ARGS...
  local name="$1"
  shift
  local report="$outdir/$name.txt"
  "$fastchess" -engine cmd="$morvi" name="morvi-$name" option.OwnBook=false option.UCI_LimitStrength=true \
    option.UCI_Elo="${name%%-*}" "$@" -each tc="$tc" proto=uci -rounds $(( (games + 1) / 2 )) -games 2 -repeat \
    -concurrency "$concurrency" -recover -openings file="$openings" format=epd order=random \
    -pgnout file="$outdir/$name.pgn" >"$report" 2>&1
  summary "$report"
}

echo "| level | measured Elo | 95% interval | games | W-D-L | opponent |"
echo "|---|---|---|---|---|---|"
previous=""
for level in "${levels[@]}"; do
  if [[ "$level" == *=* ]]; then  # a level measured before: LEVEL=ELO
    measured[${level%%=*}]="${level#*=}"
    previous="${level%%=*}"
    continue
  fi
  if [ "$level" -ge 1350 ]; then
    read -r diff margin n w d l < <(play "$level-sf" -engine cmd="$stockfish" name="stockfish-$level" \
      option.Threads=1 option.Hash=16 option.UCI_LimitStrength=true option.UCI_Elo="$level")
    base="$level"
    opponent="stockfish UCI_Elo $level"
  else
    [ -n "$previous" ] || { echo "level $level: no higher level measured before it" >&2; exit 1; }
    read -r diff margin n w d l < <(play "$level-vs-$previous" -engine cmd="$morvi" name="morvi-$previous" \
      option.OwnBook=false option.UCI_LimitStrength=true option.UCI_Elo="$previous")
    base="${measured[$previous]}"
    opponent="Morvi level $previous (measured $base)"
  fi
  # A score of all or nothing has no finite difference: shown as fastchess gives it.
  read -r value low high < <(python3 -c "
import math
v, m = float('$base') + float('$diff'), float('$margin')
f = lambda x: str(round(x)) if math.isfinite(x) else str(x)
print(f(v), f(v - m), f(v + m))")
  measured[$level]="$value"
  echo "| $level | $value | [$low, $high] | $n | $w-$d-$l | $opponent |"
  previous="$level"
done
