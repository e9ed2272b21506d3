// The one chess position of the engine thread: the board twice over (square
// arrays and a piece list with a back index), the rule state, the game
// archive and repetition list, the history table, and the evaluation's
// working arrays. Squares run 0 (a8) .. 63 (h1); 64 is the off-board square.
#pragma once

#include "board/colour.h"
#include "board/move.h"
#include "board/notation.h"  // the move and square text, for every user of the position
#include "board/eval_block.h"

namespace morvi {

constexpr int kPawn = 0, kKnight = 1, kBishop = 2, kRook = 3, kQueen = 4, kKing = 5, kEmpty = 6;
constexpr int kOffBoard = 64;

// Castling bits.
constexpr int kWhiteKingSide = 1, kWhiteQueenSide = 2, kBlackKingSide = 4, kBlackQueenSide = 8;
constexpr int kWhiteCastled = 16, kBlackCastled = 32;

constexpr int kArchiveSize = 256;
constexpr int kRepeatSize = 128;
constexpr int kArchiveWords = 72;

struct Position {
  int History[64][64];
  Colour SquareColour[65];
  int SquarePiece[65];
  int PieceAr[32];
  int LightStart, DarkStart, DarkEnd;
  int PieceArIndex[65];
  EvalBlock eval;
  Colour SideToMove;
  int CastleBits;
  int EpSquare;
  int FiftyCount;
  std::uint64_t Key;  // the Zobrist key, kept by make and unmake
  int Archive[kArchiveSize][kArchiveWords];
  std::uint64_t ArchiveKeys[kArchiveSize];  // each archived position's claim key (repetition_claim.h)
  int ArchiveCount;
  int RepeatList[kRepeatSize][kArchiveWords];
  int RepeatCount;
  int RatioTable[40][40];
  // Pawn-structure arrays, indexed by file + 1 (entries 0 and 9 are the guards
  // for files -1 and 8 and keep their initial values).
  int WhitePawnCount[10];
  int BlackPawnCount[10];
  int WhiteRearRow[10];  // largest row of a White pawn on the file, -1 if none
  int BlackRearRow[10];  // smallest row of a Black pawn on the file, 8 if none
  // Attacks on each square by each side, indexed [Index(colour)][square]: a
  // plain table, since the attack map's loops compile tighter over it than
  // over a ByColour of rows.
  int AttackCount[2][64];
  int GameStage;  // 0 opening, 1 middle game, 2 early ending, 3 late ending

  // Starts as the initial position with archive entry 0 (without touching the
  // book or the random generator, which may not exist yet at static start-up).
  Position();

  // Game set-up and the game archive.
  void NewGame();
  void ArchivePush(Move move);
  // Starts the archive afresh from the current position (entry 0, as after a
  // new game) with an empty repetition list; the book text is left alone.
  void ArchiveRestart();
  // Both refuse (log "Error - trying to pop an empty archive" and change
  // nothing) when no earlier position is stored; they return false then.
  bool TakeBack();
  bool ArchivePop();
  // True when the current position equals RepeatList entry RepeatCount-1 down to 1.
  bool InRepeatList() const;
  // Archive entry layout helpers (72 words; word 0 is the move's flag byte).
  void StorePosition(int* entry) const;
  bool SamePosition(const int* entry) const;

  // Move generation (appends at list[*end], advancing *end). The list has
  // kMoveStackSize entries; nothing is written at or past that index.
  void GenerateMoves(MoveEntry* list, int* end) const;
  void GenerateCaptures(MoveEntry* list, int* end) const;
  void AddMove(int from, int to, int flags, MoveEntry* list, int* end) const;

  // Make/unmake: MakeMove returns 1 when made, 0 when illegal (position unchanged).
  int MakeMove(Move move, UndoRecord& undo);
  // The same for a caller that knows whether the side to move is in check
  // here: with false the legality test looks at fewer lines (a true that
  // should be false only costs time; the reverse gives wrong answers).
  int MakeMove(Move move, UndoRecord& undo, bool sideInCheck);
  void UnmakeMove(Move move, const UndoRecord& undo);
  void MakeNullMove(UndoRecord& undo);
  void UnmakeNullMove(const UndoRecord& undo);

  // Attacks.
  bool IsAttacked(int square, Colour byColour) const;
  bool InCheck(Colour colour) const;

  // The key computed afresh, after the position was set up as a whole.
  void RefreshKey();

  // Display and self-check. The diagram is the one "d" shows a person: the
  // board, the file letters and the audit's verdict.
  std::string BoardDiagram() const;
  bool AuditBoard() const;

  // Edit mode. Each operation rebuilds the piece list from the board. The
  // bool operations return false and change nothing for what they refuse:
  // EditPlacePiece refuses a piece code outside 0-5, a colour other than
  // White or Black, a square outside 0-63, a pawn on the first or last rank
  // and a second king of one colour; EditClearSquare a square outside 0-63;
  // EditEnPassant a square other than -1 or 0-63 (a square with no pawn to
  // take is kept but never produces a capture).
  void EditClearBoard();
  bool EditPlacePiece(int piece, int square, Colour colour);
  bool EditClearSquare(int square);
  void EditCastleRights(int code);
  bool EditEnPassant(int square);
  // Why EditPlacePiece would refuse, or nullptr when it would accept.
  const char* EditPlacementProblem(int piece, int square, Colour colour) const;
  // Rebuilds the piece list and back index from the square arrays (king
  // first in each range); logs "Too many pieces!" and drops the surplus.
  void RebuildPieceList();
  // True when a search may start here: the pieces are playable and the side
  // not to move is not in check.
  bool IsPlayable() const;
  // One king of each side, no pawn on the first or last rank, a clean audit.
  bool PiecesArePlayable() const;
};

// The one position of the engine thread.
extern Position position;

// Orders entries first..last (inclusive) by score, highest first.
void SortMoves(MoveEntry* list, int first, int last);

}  // namespace morvi
