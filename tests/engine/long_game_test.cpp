// Long games on the engine controller: games far longer than the archive's
// 256 positions, and long runs of "undo" and "remove" (at the very start,
// when the archive has just become full, when it has dropped its oldest
// entries), played through the command records the engine thread executes,
// in force mode so that no pass searches. After every step the engine's
// position must be the one the test keeps itself (changed only by make and
// unmake): the board, the rule state, the move number, the book's game text
// and the number of moves that can still be taken back.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_pass.h"
#include "engine_test_support.h"
#include "support/legal_moves.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

// The archive keeps the last 256 positions: at most 255 moves go back.
constexpr int kMostTakeBacks = kArchiveSize - 1;

std::string SquareName(int sq) { return std::string{static_cast<char>('a' + sq % 8), static_cast<char>('8' - sq / 8)}; }

// The game as the test keeps it: a position of its own, changed only by
// MakeMove and UnmakeMove, and the moves on the board with their undo records.
class Shadow {
 public:
  Shadow() : board_(std::make_unique<Position>()) {}

  const Position& Board() const { return *board_; }
  int Plies() const { return static_cast<int>(line_.size()); }
  int BlackMoves() const { return blackMoves_; }
  int TakeBacksLeft() const { return takeBacksLeft_; }

  std::vector<Move> LegalMoves() { return test_support::LegalMoves(*board_); }

  // The legal moves after which the opponent still has one.
  std::vector<Move> MovesThatGoOn() {
    std::vector<Move> going;
    for (Move move : LegalMoves()) {
      UndoRecord undo;
      board_->MakeMove(move, undo);
      if (!LegalMoves().empty()) going.push_back(move);
      board_->UnmakeMove(move, undo);
    }
    return going;
  }

  void Play(Move move) {
    Entry entry{move, {}, board_->SideToMove};
    ASSERT_EQ(board_->MakeMove(move, entry.undo), 1);
    line_.push_back(entry);
    blackMoves_ += entry.mover == Colour::kBlack;
    takeBacksLeft_ = std::min(takeBacksLeft_ + 1, kMostTakeBacks);
  }

  // False when the archive would hold no earlier position.
  bool TakeBack() {
    if (takeBacksLeft_ == 0) return false;
    const Entry& last = line_.back();
    board_->UnmakeMove(last.move, last.undo);
    blackMoves_ -= last.mover == Colour::kBlack;
    line_.pop_back();
    --takeBacksLeft_;
    return true;
  }

  // The moves on the board as the book keeps them: four characters each.
  std::string GameText() const {
    std::string text;
    for (const Entry& entry : line_) text += MoveText(entry.move);
    return text;
  }

  std::string LastMoves(int count) const {
    std::string text;
    for (int i = std::max(0, Plies() - count); i < Plies(); ++i) {
      text += ' ';
      text += GameMoveText(line_[i].move);
    }
    return text;
  }

 private:
  struct Entry {
    Move move;
    UndoRecord undo;
    Colour mover;
  };
  std::unique_ptr<Position> board_;
  std::vector<Entry> line_;
  int blackMoves_ = 0;
  int takeBacksLeft_ = 0;
};

class LongGame : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Step(Cmd(CommandId::kForce), "force");
  }

  // Executes the record as the engine loop does, then its pass (which must
  // find nothing to do); the console may only announce a repetition.
  void Step(const CommandRecord& record, const std::string& what) {
    const Outcome out = Execute(record);
    EXPECT_TRUE(out.console.empty() || out.console == "1/2-1/2 {Draw by repetition}\n") << what << ": " << out.console;
    EXPECT_FALSE(RunPass()) << what;
    ++steps_;
  }

  void PlayMove(Move move) {
    CommandRecord record = Cmd(CommandId::kUserMove);
    record.moveFrom = MoveFrom(move);
    record.moveTo = MoveTo(move);
    record.movePromotion = -1;
    if (MoveFlags(move) & kPromotion) {
      // A queen promotion is written with or without its letter.
      record.movePromotion = MovePromotion(move) == kQueen && random_() % 2 == 0 ? -1 : MovePromotion(move);
    }
    Step(record, "move " + GameMoveText(move, true));
    shadow_.Play(move);
  }

  // A move picked at random; when `goOn`, never one that ends the game.
  void PlayRandomMove(bool goOn) {
    const std::vector<Move> moves = goOn ? shadow_.MovesThatGoOn() : shadow_.LegalMoves();
    ASSERT_FALSE(moves.empty());
    PlayMove(moves[random_() % moves.size()]);
  }

  void Undo() {
    Step(Cmd(CommandId::kUndo), "undo");
    shadow_.TakeBack();
  }

  void Remove() {
    Step(Cmd(CommandId::kRemove), "remove");
    if (shadow_.TakeBack()) shadow_.TakeBack();
  }

  // Empty when the engine's game is the test's one, else the differences.
  std::string Differences() const {
    const Position& want = shadow_.Board();
    const Position& got = position;
    std::ostringstream text;
    if (!got.AuditBoard()) text << " audit failed;";
    for (int sq = 0; sq < 64; ++sq) {
      if (got.SquarePiece[sq] != want.SquarePiece[sq] || got.SquareColour[sq] != want.SquareColour[sq]) {
        text << " " << SquareName(sq) << " holds piece/colour " << got.SquarePiece[sq] << "/"
             << ColourNumber(got.SquareColour[sq]) << " for " << want.SquarePiece[sq] << "/"
             << ColourNumber(want.SquareColour[sq]) << ";";
      }
    }
    const auto field = [&text](const char* name, int gotValue, int wantValue) {
      if (gotValue != wantValue) text << " " << name << " " << gotValue << " for " << wantValue << ";";
    };
    field("side to move", ColourNumber(got.SideToMove), ColourNumber(want.SideToMove));
    field("castling", got.CastleBits, want.CastleBits);
    field("en passant", got.EpSquare, want.EpSquare);
    field("fifty-move count", got.FiftyCount, want.FiftyCount);
    field("move number", engineState.moveNumber, 1 + shadow_.BlackMoves());
    field("archived positions", got.ArchiveCount, shadow_.TakeBacksLeft() + 1);
    if (openingBook.gameText != shadow_.GameText()) text << " the book's game text differs;";
    return text.str();
  }

  // Stops the test at the first difference, saying where it came.
  void Check(const std::string& where) {
    ASSERT_EQ(Differences(), "") << where << ", step " << steps_ << ", " << shadow_.Plies()
                                 << " plies on the board, last moves:" << shadow_.LastMoves(8);
  }

  Shadow shadow_;
  std::mt19937 random_{20251209};
  int steps_ = 0;
};

TEST_F(LongGame, TakeBacksFromTheStartThroughAFullArchive) {
  // Nothing to take back at the very start, nor after the first move has
  // gone back again.
  for (int i = 0; i < 3; ++i) {
    Undo();
    Remove();
    ASSERT_NO_FATAL_FAILURE(Check("at the start"));
  }
  ASSERT_NO_FATAL_FAILURE(PlayRandomMove(true));
  Remove();
  Remove();
  ASSERT_NO_FATAL_FAILURE(Check("after 1 ply and two removes"));
  EXPECT_EQ(engineState.moveNumber, 1);

  // Up to the full archive and past it; at 255 plies the archive has just
  // become full, at 256 it drops its oldest position for the first time.
  while (shadow_.Plies() < 300) {
    ASSERT_NO_FATAL_FAILURE(PlayRandomMove(true));
    ASSERT_NO_FATAL_FAILURE(Check("playing"));
    if (shadow_.Plies() >= 255 && shadow_.Plies() <= 257) {
      Undo();
      ASSERT_NO_FATAL_FAILURE(Check("undo at the full archive"));
      Remove();
      ASSERT_NO_FATAL_FAILURE(Check("remove at the full archive"));
      for (int i = 0; i < 3; ++i) {
        ASSERT_NO_FATAL_FAILURE(PlayRandomMove(true));
        ASSERT_NO_FATAL_FAILURE(Check("playing on at the full archive"));
      }
    }
  }
  EXPECT_EQ(position.ArchiveCount, kArchiveSize);

  // Everything the archive holds goes back, one move and two at a time; then
  // take-backs change nothing.
  for (int i = 0; i < 100; ++i) {
    Undo();
    ASSERT_NO_FATAL_FAILURE(Check("undo after the wrap"));
  }
  for (int i = 0; i < 100; ++i) {
    Remove();
    ASSERT_NO_FATAL_FAILURE(Check("remove after the wrap"));
  }
  EXPECT_EQ(shadow_.TakeBacksLeft(), 0);
  EXPECT_GT(shadow_.Plies(), 40);  // the oldest moves stay on the board for good
  EXPECT_EQ(position.ArchiveCount, 1);

  // And a new long line from there.
  for (int i = 0; i < 300; ++i) {
    ASSERT_NO_FATAL_FAILURE(PlayRandomMove(true));
    ASSERT_NO_FATAL_FAILURE(Check("the second line"));
  }
  for (int i = 0; i < 140; ++i) {
    Remove();
    ASSERT_NO_FATAL_FAILURE(Check("removing the second line"));
  }
}

TEST_F(LongGame, RepeatedPositionsPastTheRepetitionListAndBack) {
  // Knights out and back: every position from the fifth ply on is repeated,
  // so the repetition list (128 entries) is full long before the archive.
  const char* const knights[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
  for (int ply = 0; ply < 300; ++ply) {
    const char* wanted = knights[ply % 4];
    Move found = 0;
    for (Move move : shadow_.LegalMoves()) {
      if (MoveFrom(move) == Sq(wanted) && MoveTo(move) == Sq(wanted + 2)) found = move;
    }
    ASSERT_NE(found, 0u);
    PlayMove(found);
    ASSERT_NO_FATAL_FAILURE(Check("shuffling"));
  }
  EXPECT_EQ(position.RepeatCount, kRepeatSize);
  for (int i = 0; i < 260; ++i) {
    Undo();
    ASSERT_NO_FATAL_FAILURE(Check("undoing the shuffle"));
  }
  EXPECT_EQ(shadow_.Plies(), 300 - kMostTakeBacks);
  // And on from there at random.
  for (int i = 0; i < 30; ++i) {
    ASSERT_NO_FATAL_FAILURE(PlayRandomMove(false));
    ASSERT_NO_FATAL_FAILURE(Check("playing on after the shuffle"));
  }
}

TEST_F(LongGame, RandomMovesAndTakeBacksStayConsistent) {
  // A few hundred random plies, then moves and take-backs at random, now and
  // then a long run of them down to the archive's oldest position.
  for (int i = 0; i < 400; ++i) {
    if (shadow_.LegalMoves().empty()) {
      Undo();  // mate or stalemate: go back and try another move
    } else {
      ASSERT_NO_FATAL_FAILURE(PlayRandomMove(false));
    }
    ASSERT_NO_FATAL_FAILURE(Check("random opening"));
  }
  for (int step = 0; step < 3000; ++step) {
    const unsigned kind = random_() % 100;
    if (kind < 55 && !shadow_.LegalMoves().empty()) {
      ASSERT_NO_FATAL_FAILURE(PlayRandomMove(false));
    } else if (kind < 75) {
      Undo();
    } else if (kind < 95) {
      Remove();
    } else {
      const unsigned run = 1 + random_() % 150;
      for (unsigned i = 0; i < run; ++i) {
        if (random_() % 2 == 0) {
          Undo();
        } else {
          Remove();
        }
        ASSERT_NO_FATAL_FAILURE(Check("a run of take-backs"));
      }
    }
    ASSERT_NO_FATAL_FAILURE(Check("random steps"));
  }
}

}  // namespace
}  // namespace morvi
