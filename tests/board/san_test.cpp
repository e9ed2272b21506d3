// The move reader: algebraic notation with its disambiguations, pawn
// captures and en passant, castling, promotions and annotations; coordinate
// text; only legal moves count, and the position is left as it was.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board/san.h"
#include "board_test_support.h"

namespace morvi::test {
namespace {

// The move read as coordinates with the promotion letter, or why none was.
std::string Read(Position& pos, std::string_view text) {
  const ReadMove read = ReadMoveText(pos, text);
  if (read.outcome == MoveReading::kAmbiguous) return "ambiguous";
  if (read.outcome == MoveReading::kNone) return "none";
  return GameMoveText(read.move, true);
}

using Cases = std::vector<std::pair<const char*, const char*>>;

void ExpectReadings(const std::string& fen, const Cases& cases) {
  auto pos = FenPosition(fen);
  for (const auto& [text, expected] : cases) EXPECT_EQ(Read(*pos, text), expected) << fen << "  " << text;
}

TEST(San, PieceAndPawnMovesWithAnnotations) {
  ExpectReadings("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
                 {{"Nf3", "g1f3"}, {"e4", "e2e4"}, {"e3", "e2e3"}, {"Nc3!?", "b1c3"}, {"d4!", "d2d4"},
                  {"Nf3+", "g1f3"}, {"Nd2", "none"}, {"e5", "none"}, {"Ke2", "none"}, {"", "none"},
                  {"N", "none"}, {"Zf3", "none"}, {"Nf9", "none"}});
  ExpectReadings("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -", {{"Nf6", "g8f6"}, {"e5", "e7e5"}});
}

TEST(San, DisambiguationByFileRankOrSquare) {
  ExpectReadings("7k/8/8/R7/8/8/8/RN3N1K w - -",
                 {{"Nd2", "ambiguous"}, {"Nbd2", "b1d2"}, {"Nfd2", "f1d2"}, {"N1d2", "ambiguous"},
                  {"Ra3", "ambiguous"}, {"R1a3", "a1a3"}, {"R5a3", "a5a3"}, {"Raa3", "ambiguous"},
                  {"Ra1a3", "a1a3"}, {"Ra1xa3", "a1a3"}, {"Rb3", "none"}});
}

TEST(San, OnlyLegalMovesCount) {
  // The knight on e2 is pinned: Nc3 names the other one.
  ExpectReadings("4r2k/8/8/8/8/8/4N3/1N2K3 w - -", {{"Nc3", "b1c3"}, {"Nec3", "none"}, {"e2c3", "none"}});
}

TEST(San, PawnCapturesAndEnPassant) {
  ExpectReadings("4k3/8/8/3pP3/8/8/8/4K3 w - d6",
                 {{"exd6", "e5d6"}, {"exd6e.p.", "e5d6"}, {"ed6", "e5d6"}, {"e6", "e5e6"},
                  {"xd6", "none"}, {"d6", "none"}});
  ExpectReadings("4k3/8/8/8/8/2n5/1P1B4/7K w - -", {{"bxc3", "b2c3"}, {"Bxc3", "d2c3"}, {"b3", "b2b3"}});
}

TEST(San, CastlingBothWaysAndOnlyWhenLegal) {
  const std::string fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -";
  ExpectReadings(fen, {{"O-O", "e1g1"}, {"O-O-O", "e1c1"}, {"0-0", "e1g1"}, {"O-O+", "e1g1"},
                       {"Kg1", "none"}, {"e1g1", "e1g1"}, {"O-O-O-O", "none"}});
  ExpectReadings("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", {{"O-O-O", "e8c8"}, {"0-0-0", "e8c8"}});
  ExpectReadings("r3k2r/8/8/8/8/8/8/R3K2R w - -", {{"O-O", "none"}, {"e1g1", "none"}});
  ExpectReadings("5rk1/8/8/8/8/8/8/R3K2R w KQ -", {{"O-O", "none"}, {"O-O-O", "e1c1"}});  // f1 attacked

  auto pos = FenPosition(fen);
  EXPECT_NE(MoveFlags(ReadMoveText(*pos, "O-O").move) & kCastle, 0);
}

TEST(San, PromotionsNeedTheirPiece) {
  ExpectReadings("3r3k/4P3/8/8/8/8/8/4K3 w - -",
                 {{"e8=Q", "e7e8q"}, {"e8Q", "e7e8q"}, {"e8=N+", "e7e8n"}, {"exd8=R", "e7d8r"},
                  {"e8", "ambiguous"}, {"exd8", "ambiguous"}, {"e8=K", "none"}, {"Ke8=Q", "none"},
                  {"e7e8", "e7e8q"}, {"e7e8n", "e7e8n"}, {"e7e8N", "e7e8n"}, {"e7d8r", "e7d8r"},
                  {"e7e8k", "none"}});
}

TEST(San, CoordinateText) {
  ExpectReadings("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
                 {{"e2e4", "e2e4"}, {"g1f3", "g1f3"}, {"e2e5", "none"}, {"e2e4q", "none"}, {"e7e5", "none"}});
}

TEST(San, EveryLegalMoveReadsBackFromItsCoordinates) {
  for (const char* fen : {"r3k2r/pPp2ppp/8/3pP3/8/8/1PPP1PPP/R3K2R w KQkq d6",
                          "r3k2r/pppp1ppp/8/8/8/8/PpPP1PPP/R3K2R b KQkq -"}) {
    auto pos = FenPosition(fen);
    MoveEntry list[kMoveStackSize];
    int end = 0;
    pos->GenerateMoves(list, &end);
    for (int i = 0; i < end; ++i) {
      UndoRecord undo;
      if (!pos->MakeMove(list[i].move, undo)) continue;
      pos->UnmakeMove(list[i].move, undo);
      const ReadMove read = ReadCoordinates(*pos, GameMoveText(list[i].move, true));
      EXPECT_EQ(read.outcome, MoveReading::kFound) << fen << "  " << GameMoveText(list[i].move, true);
      EXPECT_EQ(read.move, list[i].move) << fen << "  " << GameMoveText(list[i].move, true);
    }
  }
}

TEST(San, ReadingLeavesThePositionAsItWas) {
  auto pos = FenPosition("r3k2r/pPp2ppp/8/3pP3/8/8/1PPP1PPP/R3K2R w KQkq d6");
  const Snapshot before(*pos);
  for (const char* text : {"O-O", "exd6", "bxa8=N", "b8", "Kf1", "e1c1", "Qh5"}) ReadMoveText(*pos, text);
  EXPECT_TRUE(Snapshot(*pos) == before);
}

}  // namespace
}  // namespace morvi::test
