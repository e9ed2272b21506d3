#!/usr/bin/env python3
"""Openings for engine matches, made from Morvi's own book: each line of
morvi.book (moves of four characters, e2e4e7e5...) cut after a number of
plies and written as one EPD position (the four FEN fields) per line, for a
match runner's opening file (fastchess: -openings file=F format=epd).

    tools/match/book_openings.py morvi.book [--plies 8] > openings.epd

The moves are the book's, which are legal; the script only applies them:
castling moves the rook too, a pawn moving diagonally to an empty square
takes en passant, a pawn reaching the last row becomes a queen (or the piece
of a fifth letter), castling rights and the en-passant square follow.
"""
import argparse
import sys

START = ["rnbqkbnr", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", "RNBQKBNR"]


def square(text):
    return 8 - int(text[1]), ord(text[0]) - ord("a")  # row 0 is rank 8


def play(board, move, state):
    (r1, c1), (r2, c2) = square(move[0:2]), square(move[2:4])
    piece = board[r1][c1]
    white = piece.isupper()
    target = board[r2][c2]
    state["ep"] = "-"
    if piece.lower() == "p" or target != ".":
        state["fifty"] = 0
    else:
        state["fifty"] += 1
    if piece.lower() == "p" and c1 != c2 and target == ".":
        board[r1][c2] = "."  # en passant
    if piece.lower() == "p" and abs(r2 - r1) == 2:
        state["ep"] = move[0] + str((int(move[1]) + int(move[3])) // 2)
    if piece.lower() == "k" and abs(c2 - c1) == 2:
        rook_from, rook_to = (7, 5) if c2 > c1 else (0, 3)
        board[r1][rook_to], board[r1][rook_from] = board[r1][rook_from], "."
    board[r2][c2], board[r1][c1] = piece, "."
    if piece.lower() == "p" and r2 in (0, 7):
        letter = move[4] if len(move) > 4 else "q"
        board[r2][c2] = letter.upper() if white else letter.lower()
    for corner, rights in (("e1", "KQ"), ("h1", "K"), ("a1", "Q"), ("e8", "kq"), ("h8", "k"), ("a8", "q")):
        if corner in (move[0:2], move[2:4]):
            state["castle"] = "".join(r for r in state["castle"] if r not in rights)
    if not white:
        state["fullmove"] += 1
    state["white"] = not white


def fen(board, state):
    rows = []
    for row in board:
        text, empty = "", 0
        for cell in row:
            if cell == ".":
                empty += 1
            else:
                text += (str(empty) if empty else "") + cell
                empty = 0
        rows.append(text + (str(empty) if empty else ""))
    return "%s %s %s %s" % ("/".join(rows), "w" if state["white"] else "b", state["castle"] or "-", state["ep"])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("book")
    parser.add_argument("--plies", type=int, default=8)
    args = parser.parse_args()
    seen = set()
    with open(args.book) as book:
        for line in book:
            line = line.strip()
            if len(line) < 4 * args.plies:
                continue
            board = [list(row) for row in START]
            state = {"white": True, "castle": "KQkq", "ep": "-", "fifty": 0, "fullmove": 1}
            for i in range(args.plies):
                play(board, line[4 * i:4 * i + 4], state)
            position = fen(board, state)
            if position not in seen:
                seen.add(position)
                print(position)
    return 0


if __name__ == "__main__":
    sys.exit(main())
