#!/usr/bin/env python3
"""Reference calculator for the evaluation, written separately from the C++
code, from the rules of each term as the engine defines them. It prints, for
each position of the table below, the line that `morvi-bench eval` prints:

    eval STAGE COMPLETE MEDIUM FAST

The expected lines of eval_table_test.cpp were produced with this script.
Positions come as FEN; the piece lists are in the order the FEN loader builds
them (king first, then the other pieces by square, a8 first). An optional
extra value is ORed into the castling bits (FEN cannot say "has castled").

Usage: eval_reference.py            (prints the table)
       eval_reference.py FEN [BITS] (one position)
"""
import sys

PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING = range(6)
WHITE, BLACK = 0, 1

# Default weights (shift counts) and stage thresholds.
W = dict(Normalize=10, Material=10, PosPawn=8, PosBishop=8, PosKnight=8, PosRook=8,
         PosKing=8, TwoBishop=10, Ratio=10, RookPair=10, Castles=10, BishopTrap=10,
         KnightOutpost=10, BishopOutpost=10, Dev=10, KingAttack=10, HotSpot=10,
         SoloQueen=10)
OPENING_COUNT, EARLY, LATE = 7, 20 * 1024, 12 * 1024


def i32(x):
    x &= 0xFFFFFFFF
    return x - (1 << 32) if x & 0x80000000 else x


def shl(v, n):
    return i32(v << (n & 31))


def sar(v, n):
    return i32(v) >> (n & 31)


def rows_of(lines):
    return [[int(x) for x in line.split()] for line in lines.strip().splitlines()]


PAWN_T = rows_of("""
0 0 0 0 0 0 0 0
50 100 150 200 200 150 100 50
40 80 120 160 160 120 80 40
30 60 90 120 120 90 60 30
20 40 60 80 80 60 40 20
10 20 30 40 40 30 20 10
0 0 0 -20 -20 0 0 0
0 0 0 0 0 0 0 0""")
PAWN_END_T = rows_of("""
0 0 0 0 0 0 0 0
200 250 250 350 350 250 250 200
100 128 128 200 200 128 128 100
50 64 64 100 100 64 64 50
20 40 40 50 50 40 40 20
0 10 10 20 20 10 10 0
-20 -20 -20 -20 -20 -20 -20 -20
0 0 0 0 0 0 0 0""")


def minor_table(last_row):
    t = []
    for r in range(7):
        row = []
        for f in range(8):
            ring = min(r, 7 - r, f, 7 - f)  # 0 border, 1 next ring, ...
            row.append([-100, 0, 50, 100][ring])
        t.append(row)
    t.append(last_row)
    return t


KNIGHT_T = minor_table([-100, -300, -100, -100, -100, -100, -300, -100])
BISHOP_T = minor_table([-100, -100, -200, -100, -100, -200, -100, -100])
KING_T = [[-80] * 8 for _ in range(6)] + [[-40] * 8] + [[0, 40, 80, -40, 0, -40, 80, 40]]
_ke = rows_of("""
0 100 150 200 200 150 100 0
100 200 300 400 400 300 200 100
150 300 400 500 500 400 300 150
200 400 500 600 600 500 400 200""")
KING_END_T = _ke + _ke[::-1]


class Pos:
    def __init__(self, fen, extra_bits=0):
        parts = fen.split()
        self.board = [[None] * 8 for _ in range(8)]  # board[row][file] = (colour, piece)
        for r, rank in enumerate(parts[0].split('/')):
            f = 0
            for ch in rank:
                if ch.isdigit():
                    f += int(ch)
                else:
                    colour = WHITE if ch.isupper() else BLACK
                    self.board[r][f] = (colour, 'PNBRQK'.index(ch.upper()))
                    f += 1
        self.side = WHITE if parts[1] == 'w' else BLACK
        bits = 0
        for ch, b in (('K', 1), ('Q', 2), ('k', 4), ('q', 8)):
            if len(parts) > 2 and ch in parts[2]:
                bits |= b
        self.castle = bits | extra_bits
        # Piece lists: king, then others in square order.
        self.lists = {}
        for c in (WHITE, BLACK):
            king = [(r, f) for r in range(8) for f in range(8) if self.board[r][f] == (c, KING)]
            others = [(r, f) for r in range(8) for f in range(8)
                      if self.board[r][f] and self.board[r][f][0] == c and self.board[r][f][1] != KING]
            self.lists[c] = king + others

    def at(self, r, f):
        if 0 <= r < 8 and 0 <= f < 8:
            return self.board[r][f]
        return None

    def is_piece(self, r, f, colour, pieces):
        x = self.at(r, f)
        return x is not None and x[0] == colour and x[1] in pieces


KNIGHT_D = [(-2, -1), (-2, 1), (-1, -2), (-1, 2), (1, -2), (1, 2), (2, -1), (2, 1)]
DIAG = [(-1, -1), (-1, 1), (1, -1), (1, 1)]
STRAIGHT = [(-1, 0), (1, 0), (0, -1), (0, 1)]


def on_board(r, f):
    return 0 <= r < 8 and 0 <= f < 8


def pawn_targets(colour, r, f):
    dr = -1 if colour == WHITE else 1
    return [(r + dr, f + df) for df in (-1, 1) if on_board(r + dr, f + df)]


def is_attacked(p, tr, tf, by):
    """Any piece of colour `by` attacks (tr, tf); sliders stop at any piece."""
    for (r, f) in p.lists[by]:
        colour, piece = p.board[r][f]
        if piece == PAWN:
            if (tr, tf) in pawn_targets(colour, r, f):
                return True
            continue
        if piece == KNIGHT:
            dirs, slide = KNIGHT_D, False
        elif piece == BISHOP:
            dirs, slide = DIAG, True
        elif piece == ROOK:
            dirs, slide = STRAIGHT, True
        else:
            dirs, slide = DIAG + STRAIGHT, piece == QUEEN
        for dr, df in dirs:
            rr, ff = r + dr, f + df
            while on_board(rr, ff):
                if (rr, ff) == (tr, tf):
                    return True
                if p.board[rr][ff] is not None or not slide:
                    break
                rr, ff = rr + dr, ff + df
    return False


def attack_counts(p):
    counts = {WHITE: [[0] * 8 for _ in range(8)], BLACK: [[0] * 8 for _ in range(8)]}
    for c in (WHITE, BLACK):
        cnt = counts[c]
        for (r, f) in p.lists[c]:
            piece = p.board[r][f][1]
            if piece == PAWN:
                for (rr, ff) in pawn_targets(c, r, f):
                    cnt[rr][ff] += 1
            elif piece in (KNIGHT, KING):
                for dr, df in (KNIGHT_D if piece == KNIGHT else DIAG + STRAIGHT):
                    if on_board(r + dr, f + df):
                        cnt[r + dr][f + df] += 1
            else:
                rays = []
                if piece in (BISHOP, QUEEN):
                    rays += [(d, True) for d in DIAG]
                if piece in (ROOK, QUEEN):
                    rays += [(d, False) for d in STRAIGHT]
                for (dr, df), diagonal in rays:
                    if piece == BISHOP:
                        through = {QUEEN}
                    elif piece == ROOK:
                        through = {ROOK, QUEEN}
                    else:
                        through = {QUEEN, BISHOP} if diagonal else {QUEEN, ROOK}
                    rr, ff = r + dr, f + df
                    while on_board(rr, ff):
                        cnt[rr][ff] += 1
                        x = p.board[rr][ff]
                        if x is not None and not (x[0] == c and x[1] in through):
                            break
                        rr, ff = rr + dr, ff + df
    return counts


def pawn_files(p):
    """Per file: counts and rearmost rows (White: largest row, -1 none; Black:
    smallest row, 8 none). Index -1 and 8 are guards."""
    wc, bc, wr, br = {}, {}, {}, {}
    for f in range(-1, 9):
        wc[f], bc[f], wr[f], br[f] = 0, 0, -1, 8
    for r in range(8):
        for f in range(8):
            x = p.board[r][f]
            if x == (WHITE, PAWN):
                wc[f] += 1
                wr[f] = max(wr[f], r)
            elif x == (BLACK, PAWN):
                bc[f] += 1
                br[f] = min(br[f], r)
    return wc, bc, wr, br


def pawn_value(p, colour, r, f, stage, pf):
    wc, bc, wr, br = pf
    table = PAWN_END_T if stage == 3 else PAWN_T
    if colour == WHITE:
        v = table[r][f]
        if r < wr[f]:
            v -= 64
        if wc[f - 1] == 0 and wc[f + 1] == 0:
            v -= 128
        elif r > wr[f - 1] and r > wr[f + 1]:
            v -= 32
        if all(r <= br[x] for x in (f - 1, f, f + 1)):
            k = {1: 3, 2: 3, 3: 2, 4: 2, 5: 1, 6: 1}[r]
            v += k * 128 * (7 - r)
    else:
        v = table[7 - r][f]
        if r > br[f]:
            v -= 64
        if bc[f - 1] == 0 and bc[f + 1] == 0:
            v -= 128
        elif r < br[f - 1] and r < br[f + 1]:
            v -= 32
        if all(r >= wr[x] for x in (f - 1, f, f + 1)):
            k = {6: 3, 5: 3, 4: 2, 3: 2, 2: 1, 1: 1}[r]
            v += k * 128 * r
    return v


def outpost(p, colour, r, f, knight, pf):
    wc, bc, wr, br = pf
    if colour == WHITE:
        if r > 5:
            return 0
        supported = p.is_piece(r + 1, f - 1, WHITE, {PAWN}) or p.is_piece(r + 1, f + 1, WHITE, {PAWN})
        if not (supported and r <= br[f - 1] and r <= br[f + 1]):
            return 0
        near = r in (2, 3)
    else:
        if r < 2:
            return 0
        supported = p.is_piece(r - 1, f - 1, BLACK, {PAWN}) or p.is_piece(r - 1, f + 1, BLACK, {PAWN})
        if not (supported and r >= wr[f - 1] and r >= wr[f + 1]):
            return 0
        near = r in (4, 5)
    if knight:
        return 64 if near else 32
    return 32 if near else 16


def sq(name):
    return 8 - int(name[1]), 'abcdefgh'.index(name[0])


def bishop_trap(p, colour, r, f):
    if colour == WHITE:
        pats = {'a7': ('b6', 'c7', 'b8'), 'h7': ('g6', 'f7', 'g8')}
    else:
        pats = {'a2': ('b3', 'c2', 'b1'), 'h2': ('g3', 'f2', 'g1')}
    enemy = 1 - colour
    for bname, (pawn, blocker, behind) in pats.items():
        if sq(bname) != (r, f):
            continue
        if not p.is_piece(*sq(pawn), enemy, {PAWN}):
            return 0
        if p.is_piece(*sq(blocker), enemy, {PAWN, BISHOP}):
            return -1536
        if is_attacked(p, *sq(pawn), enemy) and is_attacked(p, *sq(behind), enemy):
            return -1536
        return 0
    return 0


def king_position(p, colour, stage, enemy_pieces, pf):
    wc, bc, wr, br = pf
    (r, f) = p.lists[colour][0]
    tr = r if colour == WHITE else 7 - r
    v = (KING_END_T if stage == 3 else KING_T)[tr][f]

    def own_rule(file, values):
        # values: (home, one step, further, none-with-enemy, none-at-all)
        if colour == WHITE:
            if wc[file] > 0:
                rear = wr[file]
                return values[0] if rear >= 6 else values[1] if rear == 5 else values[2]
            return values[3] if bc[file] > 0 else values[4]
        if bc[file] > 0:
            rear = br[file]
            return values[0] if rear <= 1 else values[1] if rear == 2 else values[2]
        return values[3] if wc[file] > 0 else values[4]

    def enemy_rule(file):
        if colour == WHITE:
            if bc[file] == 0:
                return 0
            return -8 if br[file] == 3 else -16 if br[file] >= 4 else 0
        if wc[file] == 0:
            return 0
        return -16 if wr[file] < 4 else -8 if wr[file] == 4 else 0

    edge = (0, -16, -32, -48, -64)
    third = (0, -8, -24, -32, -48)
    black_f = (0, -8, -34, -32, -48)
    if f <= 2:
        v += own_rule(0, edge) + own_rule(1, edge) + own_rule(2, third)
        v += sum(enemy_rule(x) for x in (0, 1, 2))
    elif f <= 4:
        for x in (f - 1, f):
            if wc[x] == 0 and bc[x] == 0:
                v -= 16
    else:
        v += own_rule(7, edge) + own_rule(6, edge)
        v += own_rule(5, third if colour == WHITE else black_f)
        v += sum(enemy_rule(x) for x in (5, 6, 7))
    m = enemy_pieces >> 13
    if m > 0:
        v *= m
    return v


def king_attack(p, colour, counts):
    (kr, kf) = p.lists[colour][0]
    total, blocked, n = 0, 0, 0
    for dr in (-1, 0, 1):
        for df in (-1, 0, 1):
            if (dr, df) == (0, 0) or not on_board(kr + dr, kf + df):
                continue
            n += 1
            rr, ff = kr + dr, kf + df
            own, enemy = counts[colour][rr][ff], counts[1 - colour][rr][ff]
            if own - enemy < 0:
                total += 128 * (own - enemy)
            if enemy >= 1 or p.board[rr][ff] is not None:
                blocked += 1
    if total < 0:
        if blocked == n:
            total -= 512
        elif blocked == n - 1:
            total -= 128
    return total


def hot_spots(p, counts):
    amounts = {PAWN: 16, KNIGHT: 32, BISHOP: 32, ROOK: 64, QUEEN: 512, KING: 0}
    wk, bk = p.lists[WHITE][0], p.lists[BLACK][0]
    total = 0
    for r in range(8):
        for f in range(8):
            d = counts[WHITE][r][f] - counts[BLACK][r][f]
            if d == 0:
                continue
            x = p.board[r][f]
            if d > 0:
                t = max(abs(r - bk[0]), abs(f - bk[1]))
                if x is not None and x[0] == BLACK:
                    total += amounts[x[1]]
            else:
                t = max(abs(r - wk[0]), abs(f - wk[1]))
                if x is not None and x[0] == WHITE:
                    total -= amounts[x[1]]
            w = 4 * min(abs(d), 4) * (1 if d > 0 else -1)
            total += 4 * w if t == 1 else 2 * w if t == 2 else w
    return total


def ratio_table(w, b):
    if w > b:
        return 64 * (40 - w)
    if b > w:
        return 64 * (w - 39)
    return 0


def castle_state(p, stage):
    def part(castled, ks, qs):
        if p.castle & castled:
            return {0: 192, 1: 192, 2: 64, 3: 0}[stage]
        return 64 * (bool(p.castle & ks) + bool(p.castle & qs))
    return part(16, 1, 2) - part(32, 4, 8)


def terms(p, level, stage):
    """Returns a dict of (white, black) pairs and single values."""
    complete, detailed = level == 0, level in (0, 1)
    pf = pawn_files(p)
    t = {k: [0, 0] for k in ('pawnmat', 'piecemat', 'pawnpos', 'bishoppos', 'knightpos', 'rook',
                             'king', 'rookpair', 'knightout', 'bishopout', 'dev', 'trap',
                             'twob', 'katt')}
    bishops, queens = [0, 0], [0, 0]
    inc = 64 if stage >= 2 else 32
    for c in (WHITE, BLACK):
        developed = 0
        own_rq = [(r, f) for (r, f) in p.lists[c][1:] if p.board[r][f][1] in (ROOK, QUEEN)]
        rooks_seen = 0
        for (r, f) in p.lists[c][1:]:
            piece = p.board[r][f][1]
            if piece == PAWN:
                t['pawnmat'][c] += 1024
                if detailed:
                    t['pawnpos'][c] += pawn_value(p, c, r, f, stage, pf)
            elif piece in (KNIGHT, BISHOP):
                t['piecemat'][c] += 3072
                tr = r if c == WHITE else 7 - r
                if piece == KNIGHT:
                    t['knightpos'][c] += KNIGHT_T[tr][f]
                else:
                    t['bishoppos'][c] += BISHOP_T[tr][f]
                    bishops[c] += 1
                if detailed:
                    key = 'knightout' if piece == KNIGHT else 'bishopout'
                    t[key][c] += outpost(p, c, r, f, piece == KNIGHT, pf)
                    if piece == BISHOP:
                        t['trap'][c] += bishop_trap(p, c, r, f)
                    if (c == WHITE and r != 7) or (c == BLACK and r != 0):
                        developed += 1
            elif piece == ROOK:
                t['piecemat'][c] += 5120
                if detailed:
                    wc, bc = pf[0], pf[1]
                    own = wc[f] if c == WHITE else bc[f]
                    enemy = bc[f] if c == WHITE else wc[f]
                    if own == 0:
                        t['rook'][c] += 192 if enemy == 0 else 64
                    if r == (1 if c == WHITE else 6):
                        t['rook'][c] += 256
                rooks_seen += 1
                if rooks_seen > 1:
                    for (rr, ff) in own_rq:
                        if (rr, ff) == (r, f):
                            continue
                        t['rookpair'][c] += inc * ((rr == r) + (ff == f))
            elif piece == QUEEN:
                t['piecemat'][c] += 9216
                queens[c] += 1
        if detailed and stage == 0:
            t['dev'][c] = 256 * developed
    if detailed:
        t['king'][WHITE] = king_position(p, WHITE, stage, t['piecemat'][BLACK], pf)
        t['king'][BLACK] = king_position(p, BLACK, stage, t['piecemat'][WHITE], pf)
    for c in (WHITE, BLACK):
        if bishops[c] > 1:
            t['twob'][c] = 256 if stage == 3 else 128 if stage == 2 else 32
    solo = 0
    if queens[WHITE] and not queens[BLACK]:
        solo = 1536
    elif queens[BLACK] and not queens[WHITE]:
        solo = -1536
    t['solo'] = solo
    if complete:
        counts = attack_counts(p)
        t['katt'] = [king_attack(p, WHITE, counts), king_attack(p, BLACK, counts)]
        t['hot'] = hot_spots(p, counts)
    return t


def evaluate(p, level, stage):
    t = terms(p, level, stage)
    total = [t['pawnmat'][c] + t['piecemat'][c] for c in (0, 1)]
    s = 0

    def diff(k):
        return t[k][0] - t[k][1]
    if level == 0:
        s += shl(diff('katt'), W['KingAttack'])
        s += shl(t['hot'], W['HotSpot'])
    if level in (0, 1):
        for k, key in (('pawnpos', 'PosPawn'), ('rook', 'PosRook'), ('king', 'PosKing'),
                       ('trap', 'BishopTrap'), ('knightout', 'KnightOutpost'),
                       ('bishopout', 'BishopOutpost'), ('dev', 'Dev')):
            s += shl(diff(k), W[key])
    s += shl(t['solo'], W['SoloQueen'])
    s += shl(diff('bishoppos'), W['PosBishop'])
    s += shl(diff('knightpos'), W['PosKnight'])
    s += shl(diff('rookpair'), W['RookPair'])
    s += shl(castle_state(p, stage), W['Castles'])
    wr, br = min(total[0] >> 10, 39), min(total[1] >> 10, 39)
    s += shl(ratio_table(wr, br), W['Ratio'])
    s += shl(diff('twob'), W['TwoBishop'])
    s += shl(total[0] - total[1], W['Material'])
    s = sar(i32(s), W['Normalize'])
    return -s if p.side == BLACK else s


INITIAL = {}
for _f, _pc in enumerate((ROOK, KNIGHT, BISHOP, QUEEN, KING, BISHOP, KNIGHT, ROOK)):
    INITIAL[(0, _f)] = (BLACK, _pc)
    INITIAL[(7, _f)] = (WHITE, _pc)
    INITIAL[(1, _f)] = (BLACK, PAWN)
    INITIAL[(6, _f)] = (WHITE, PAWN)


def game_stage(p):
    opp = 1 - p.side
    m = 0
    for (r, f) in p.lists[opp][1:]:
        m += {KNIGHT: 3072, BISHOP: 3072, ROOK: 5120, QUEEN: 9216}.get(p.board[r][f][1], 0)
    if m < LATE:
        return 3
    if m < EARLY:
        return 2
    home_rows = (0, 1) if opp == BLACK else (6, 7)
    same = sum(1 for r in home_rows for f in range(8) if p.board[r][f] == INITIAL[(r, f)])
    return 0 if same >= 16 - OPENING_COUNT else 1


def eval_line(fen, extra_bits=0):
    p = Pos(fen, extra_bits)
    stage = game_stage(p)
    return 'eval %d %d %d %d' % (stage, evaluate(p, 0, stage), evaluate(p, 1, stage),
                                 evaluate(p, 2, stage))


TABLE = [
    # Openings and middle games.
    ('rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1', 0),
    ('rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1', 0),
    ('rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2', 0),
    ('r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3', 0),
    ('r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQ1RK1 w - - 2 6', 16 | 32),
    ('r2q1rk1/pp2bppp/2np1n2/4p3/4P3/1NN1B3/PPP1BPPP/R2QK2R w KQ - 4 10', 32),
    ('r1bq1rk1/pp3ppp/2n1pn2/2bp4/2P5/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8', 32),
    ('2kr3r/ppp2ppp/2n5/3q4/3P4/5N2/PP3PPP/R2Q1RK1 b - - 0 14', 16 | 32),
    ('r4rk1/1b2qppp/p3pn2/1p6/3P4/P1NB1N2/1P3PPP/R2Q1RK1 w - - 0 16', 16 | 32),
    ('2r2rk1/pp1b1pp1/4p2p/q2pP3/3n4/P1PB4/2Q2PPP/R1B2RK1 w - - 0 19', 16 | 32),
    # Trapped bishops and outposts.
    ('r1bqk2r/Bpp2ppp/1pn2n2/4p3/4P3/2N5/PPP2PPP/R2QKBNR w KQkq - 0 8', 0),
    ('rn1qkbnr/ppp1pppp/8/8/3P4/1P3N2/bPP1PPPP/RN1QKB1R b KQkq - 0 5', 0),
    ('r2qkb1r/ppp2ppp/2n5/3Np3/4P3/8/PPP2PPP/R2QKB1R w KQkq - 0 9', 0),
    ('r1bq1rk1/pp3ppp/2p2n2/3p4/1b1NnB2/2N1P3/PPQ2PPP/R3KB1R w KQ - 0 10', 32),
    # Kings under fire.
    ('6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1', 0),
    ('r4rk1/ppp2pQp/3p4/8/8/8/PPP2PPP/4R1K1 b - - 0 20', 16 | 32),
    ('2r3k1/5ppp/8/8/8/6q1/5PP1/3R3K w - - 0 30', 0),
    # Endings.
    ('8/4P3/8/8/8/8/k7/7K w - - 0 1', 0),
    ('8/8/2p5/1pP5/1P6/4k3/8/4K3 b - - 0 50', 0),
    ('4k3/8/8/2P5/2P5/8/8/4K3 w - - 0 1', 0),
    ('8/3k4/8/8/3n4/4p3/8/3K4 w - - 0 1', 0),
    ('8/5k2/8/8/8/8/1R3K2/4N3 b - - 0 40', 0),
    ('3qk3/8/8/8/8/8/R6R/3K4 b - - 0 40', 0),
    ('1r4k1/5ppp/8/8/8/8/1R3PPP/6K1 w - - 0 30', 0),
    ('6k1/1R6/8/8/8/8/5PPP/6K1 w - - 0 30', 0),
    ('4k3/pp6/8/8/8/8/6PP/4K3 w - - 0 1', 0),
    ('8/6pk/6pp/8/8/PP6/KP6/8 b - - 0 45', 0),
    ('4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1', 0),
    # Outposts, a king hunt, a mate on g2, a stage-2 castled bonus.
    ('r1bq1rk1/pp2b1pp/2p1p3/3pNp2/3PnP2/2PBP3/PP1N2PP/R1BQ1RK1 w - - 0 11', 16 | 32),
    ('r2q1rk1/pp3ppp/3p1n2/2pB4/2PbP3/8/PP3PPP/R2Q1RK1 w - - 0 14', 16 | 32),
    ('r1b2rk1/pp3ppp/2n5/6NQ/8/3B4/PP3PPP/R4RK1 b - - 0 15', 16 | 32),
    ('r1bqk2r/pppp1Bpp/2n2n2/2b1p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 0 4', 0),
    ('2kr1b1r/ppp2ppp/2n5/4q3/2B5/2N5/PPP2PPP/R2QR1K1 w - - 0 14', 16 | 32),
    ('6k1/5ppp/8/8/8/5n2/5PqP/6RK w - - 0 40', 16),
    ('2r3k1/5ppp/8/8/8/6q1/5PP1/3R3K w - - 0 30', 16),
    # Promoted-piece oddities: three rooks, two queens.
    ('4k3/8/8/8/8/8/R1R4R/4K3 w - - 0 1', 0),
    ('3qkq2/8/8/8/8/8/8/R3K2R b KQ - 0 1', 0),
]

if __name__ == '__main__':
    if len(sys.argv) > 1:
        print(eval_line(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 0))
    else:
        for fen, bits in TABLE:
            print('%-72s %2d  %s' % (fen, bits, eval_line(fen, bits)))
