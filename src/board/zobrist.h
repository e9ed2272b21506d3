// The 64-bit key of a position for the transposition table: one random word
// for each piece of each colour on each square, one for Black to move, one
// for each set of castling rights and one for each file of an en-passant
// square. Built at compile time from a fixed seed, so that a key is the same
// on every run. Make and unmake keep the position's key up to date; wherever
// a position is set up as a whole, its key is computed afresh.
#pragma once

#include <cstdint>

#include "board/colour.h"

namespace morvi {

struct Position;

struct ZobristKeys {
  std::uint64_t piece[2][6][64] = {};
  std::uint64_t blackToMove = 0;
  std::uint64_t castling[16] = {};  // by the four rights bits
  std::uint64_t epFile[8] = {};
  std::uint64_t stage[4] = {};  // the evaluation's game stage, for the table only
};

constexpr std::uint64_t NextKeyWord(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

constexpr ZobristKeys BuildZobristKeys() {
  ZobristKeys keys;
  std::uint64_t state = 0x4d6f727669ULL;
  for (auto& colour : keys.piece) {
    for (auto& piece : colour) {
      for (std::uint64_t& square : piece) square = NextKeyWord(state);
    }
  }
  keys.blackToMove = NextKeyWord(state);
  for (std::uint64_t& rights : keys.castling) rights = NextKeyWord(state);
  keys.castling[0] = 0;  // no rights: no word
  for (std::uint64_t& file : keys.epFile) file = NextKeyWord(state);
  for (std::uint64_t& stage : keys.stage) stage = NextKeyWord(state);
  return keys;
}

inline constexpr ZobristKeys kZobrist = BuildZobristKeys();

constexpr std::uint64_t PieceKey(Colour colour, int piece, int square) {
  return kZobrist.piece[Index(colour)][piece][square];
}
// The castling bits' rights (the "has castled" bits are not part of it).
constexpr std::uint64_t CastlingKey(int castleBits) { return kZobrist.castling[castleBits & 15]; }
constexpr std::uint64_t EpKey(int epSquare) {
  return epSquare >= 0 && epSquare < 64 ? kZobrist.epFile[epSquare & 7] : 0;
}

// The word of a game stage (0-3; any other value has none).
constexpr std::uint64_t StageKey(int stage) { return stage >= 0 && stage < 4 ? kZobrist.stage[stage] : 0; }

// The key computed from the whole position.
std::uint64_t ComputeKey(const Position& pos);

}  // namespace morvi
