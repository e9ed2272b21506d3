// Attack and check queries on hand-placed positions, and the log records of
// the board's error paths.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "board_test_support.h"
#include "base/debug_log.h"

namespace morvi::test {
namespace {

using enum Colour;

TEST(Attacks, InitialPosition) {
  auto pos = NewPosition();
  EXPECT_FALSE(pos->InCheck(kWhite));
  EXPECT_FALSE(pos->InCheck(kBlack));
  EXPECT_TRUE(pos->IsAttacked(44, kWhite));  // e3: pawns d2 and f2
  EXPECT_FALSE(pos->IsAttacked(44, kBlack));
  EXPECT_TRUE(pos->IsAttacked(52, kWhite));  // e2 is defended by its own pieces
  EXPECT_FALSE(pos->IsAttacked(60, kBlack));
}

TEST(Attacks, PawnsOnTheEdgeFiles) {
  auto pos = FenPosition("4k3/8/8/8/8/8/P6P/4K3 w - - 0 1");
  EXPECT_TRUE(pos->IsAttacked(41, kWhite));   // a2 attacks b3
  EXPECT_FALSE(pos->IsAttacked(39, kWhite));  // nothing wraps to h4
  EXPECT_TRUE(pos->IsAttacked(46, kWhite));   // h2 attacks g3
  EXPECT_FALSE(pos->IsAttacked(40, kWhite));  // a pawn does not attack straight ahead
  auto black = FenPosition("4k3/p6p/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_TRUE(black->IsAttacked(17, kBlack));  // a7 attacks b6
  EXPECT_TRUE(black->IsAttacked(22, kBlack));  // h7 attacks g6
  EXPECT_FALSE(black->IsAttacked(23, kBlack));
}

TEST(Attacks, SlidersStopAtTheFirstPiece) {
  // Rook a1 behind its own knight on b1: it defends b1 but does not reach c1
  // (which neither the knight nor the king attacks).
  auto pos = FenPosition("4k3/8/8/8/8/8/8/RN2K3 w - - 0 1");
  EXPECT_TRUE(pos->IsAttacked(57, kWhite));
  EXPECT_FALSE(pos->IsAttacked(58, kWhite));
  EXPECT_TRUE(pos->IsAttacked(0, kWhite));  // up the open a-file to a8
  // An enemy piece ends the line too, after being attacked itself.
  auto blocked = FenPosition("4k3/8/8/8/8/8/8/Rn2K3 w - - 0 1");
  EXPECT_TRUE(blocked->IsAttacked(57, kWhite));
  EXPECT_FALSE(blocked->IsAttacked(58, kWhite));
}

TEST(Attacks, CapturedEntryNeverAttacks) {
  // The Black rook on e4 checks; once White's bishop takes it, nothing does.
  auto pos = FenPosition("4k3/8/8/8/4r3/8/2B5/4K3 w - - 0 1");
  ASSERT_TRUE(pos->InCheck(kWhite));
  UndoRecord undo;
  const Move capture = FindMove(*pos, "c2e4");
  ASSERT_EQ(pos->MakeMove(capture, undo), 1);
  EXPECT_EQ(pos->PieceAr[pos->DarkStart + 1], kOffBoard);
  EXPECT_FALSE(pos->InCheck(kWhite));
  EXPECT_FALSE(ListWalkAttacked(*pos, 60, kBlack));
}

TEST(Attacks, KingAndKnightAttacks) {
  auto pos = FenPosition("4k3/8/8/8/3n4/8/8/4K3 w - - 0 1");
  EXPECT_TRUE(pos->IsAttacked(52, kBlack));   // knight d4 attacks e2
  EXPECT_TRUE(pos->IsAttacked(51, kWhite));   // king e1 attacks d2
  EXPECT_FALSE(pos->IsAttacked(44, kBlack));  // e3 is no knight square of d4
  EXPECT_TRUE(pos->IsAttacked(12, kBlack));   // the king attacks e7
  EXPECT_FALSE(pos->InCheck(kWhite));
}

class LogCapture {
 public:
  LogCapture() {
    char name[] = "/tmp/morvi-board-log-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path_ = name;
    opened_ = OpenDebugLog(path_);
    debugLog.enabled = true;
  }
  ~LogCapture() {
    debugLog.enabled = false;
    CloseDebugLog();
    std::remove(path_.c_str());
  }
  bool opened() const { return opened_; }
  std::string Text() const {
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string path_;
  bool opened_ = false;
};

TEST(BoardLog, TooManyPiecesAndEmptyArchiveAreLogged) {
  auto pos = NewPosition();
  LogCapture log;
  ASSERT_TRUE(log.opened());
  pos->EditClearBoard();
  for (int s = 8; s < 24; ++s) pos->EditPlacePiece(kKnight, s, kBlack);
  pos->ArchiveCount = 0;
  EXPECT_FALSE(pos->TakeBack());
  const std::string text = log.Text();
  EXPECT_NE(text.find("      Edit: Too many pieces! \n"), std::string::npos) << text;
  EXPECT_NE(text.find("     Board: Error - trying to pop an empty archive \n"), std::string::npos) << text;
}

}  // namespace
}  // namespace morvi::test
