// morvi-bench perft and divide: leaf counts of the move tree from the start
// position or a FEN, the speed of generation plus make/unmake, and the count
// below each root move for tracking down generator faults.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_commands.h"
#include "board/fen.h"
#include "board/notation.h"
#include "board/perft.h"
#include "board/position.h"
#include "base/clock.h"

namespace morvi::bench {
namespace {

// DEPTH [FEN words...]; sets up the global position. False on bad arguments.
bool SetUp(int argc, char** argv, int& depth) {
  if (argc < 1) return false;
  char* rest = nullptr;
  const long value = std::strtol(argv[0], &rest, 10);
  if (*rest != '\0' || value < 0 || value >= kMaxPly) return false;
  depth = static_cast<int>(value);
  position.NewGame();
  if (argc < 2) return true;
  std::string fen = argv[1];
  for (int i = 2; i < argc; ++i) fen += std::string(" ") + argv[i];
  if (!LoadFen(position, fen)) {
    std::fprintf(stderr, "bad FEN: %s\n", fen.c_str());
    return false;
  }
  return true;
}

}  // namespace

int Perft(int argc, char** argv) {
  int depth = 0;
  if (!SetUp(argc, argv, depth)) {
    std::fprintf(stderr, "usage: morvi-bench perft DEPTH [FEN]\n");
    return 1;
  }
  const TimeMs start = ClockMs();
  const std::uint64_t nodes = morvi::Perft(position, depth, moveStack.entries, 0);
  const TimeMs elapsed = ClockMs() - start;
  if (elapsed > 0) {
    std::printf("%.1f million leaves per second\n", static_cast<double>(nodes) / elapsed / 1000.0);
  }
  std::printf("perft %d %llu %lld\n", depth, static_cast<unsigned long long>(nodes), static_cast<long long>(elapsed));
  return 0;
}

int Divide(int argc, char** argv) {
  int depth = 0;
  if (!SetUp(argc, argv, depth) || depth < 1) {
    std::fprintf(stderr, "usage: morvi-bench divide DEPTH [FEN]   (DEPTH at least 1)\n");
    return 1;
  }
  MoveEntry* list = moveStack.entries;
  int end = 0;
  position.GenerateMoves(list, &end);
  std::uint64_t total = 0;
  int legal = 0;
  for (int i = 0; i < end; ++i) {
    const Move move = list[i].move;
    UndoRecord undo;
    if (!position.MakeMove(move, undo)) continue;
    const std::uint64_t nodes = morvi::Perft(position, depth - 1, list, end);
    position.UnmakeMove(move, undo);
    char text[kMoveTextSize];
    MoveTextTo(move, text);
    const char promotion = (MoveFlags(move) & kPromotion) ? LowerPieceLetter(MovePromotion(move) % 6) : ' ';
    std::printf("%s%c %llu\n", text, promotion, static_cast<unsigned long long>(nodes));
    total += nodes;
    ++legal;
  }
  std::printf("total %d moves %llu\n", legal, static_cast<unsigned long long>(total));
  return 0;
}

}  // namespace morvi::bench
