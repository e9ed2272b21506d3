// End-to-end: self-play. The test is the front end of two engines and plays
// a whole game between them through their pipes on a fast clock, as a GUI
// does: it keeps both clocks and the board itself, hands each move on with
// "time" and "otim", checks every move with the move generator, checks the
// clocks for a time loss and every result claim against the board.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/position.h"
#include "e2e/expected_output.h"
#include "e2e/session.h"
#include "support/legal_moves.h"
#include "support/sanitizer.h"

namespace morvi::e2e {
namespace {

using test_support::ChildProcess;
using SteadyClock = std::chrono::steady_clock;

constexpr int kMaxPlies = 300;
// "level 40 0:05 0": 40 moves in five seconds, again and again.
constexpr std::string_view kLevel = "level 40 0:05 0\n";
constexpr int kControlMoves = 40;
constexpr int kControlMs = 5000;
// What each reply may take without being counted on the clock: nothing in a
// plain build. In a sanitizer build a move played at once can take near 200
// ms on a busy machine, where the engine reserves what it measured in a
// plain build (kMoveOverheadMs); the allowance stands for that difference.
constexpr int kLagAllowanceMs = test_support::kSanitizedBuild ? 200 : 0;
// How long after its flag has fallen an engine's reply is still waited for,
// so that a time loss is told apart from a hang.
constexpr int kReplyGraceMs = 30000;

// The game as the front end sees it: the board (a position of its own, made
// with the library), the moves played, and how often each position stood on
// the board.
class Referee {
 public:
  Referee() : board_(std::make_unique<Position>()) { ++seen_[Key()]; }

  int Plies() const { return static_cast<int>(moves_.size()); }

  // Plays a move written as the engine writes it ("e2e4", "e7e8n"; a queen
  // promotion without a letter); false, changing nothing, when it is not a
  // legal move here.
  bool Play(const std::string& text) {
    const Move move = Find(text);
    UndoRecord undo;
    if (move == 0 || board_->MakeMove(move, undo) == 0) return false;
    moves_.push_back(text);
    ++seen_[Key()];
    return true;
  }

  // Empty when the result line is a true claim for the board as it stands,
  // else what is wrong with it.
  std::string CheckClaim(const std::string& line) {
    const bool check = board_->InCheck(board_->SideToMove);
    const bool stuck = LegalMoves().empty();
    const std::string board = std::string(board_->SideToMove == Colour::kWhite ? "White" : "Black") + " to move, " +
                              (check ? "in check, " : "not in check, ") + (stuck ? "no legal move" : "legal moves");
    if (line == "1-0 {White mates}" || line == "0-1 {Black mates}") {
      const Colour mated = line[0] == '1' ? Colour::kBlack : Colour::kWhite;
      return board_->SideToMove == mated && check && stuck ? "" : "false mate claim: " + board;
    }
    if (line == "1/2-1/2 {Stalemate}") return !check && stuck ? "" : "false stalemate claim: " + board;
    if (line == "1/2-1/2 {Draw by repetition}") {
      const int times = seen_[Key()];
      return times >= 3 ? "" : "false repetition claim: the position stood on the board " + std::to_string(times) +
                                   " times";
    }
    return "unknown result line";
  }

  // The moves so far, for replaying a failed game by hand.
  std::string Record() const {
    std::string text = "\nthe game so far (" + std::to_string(moves_.size()) + " plies):";
    for (size_t i = 0; i < moves_.size(); ++i) {
      if (i % 2 == 0) {
        text += i % 20 == 0 ? '\n' : ' ';
        text += std::to_string(i / 2 + 1);
        text += '.';
      }
      text += ' ';
      text += moves_[i];
    }
    return text + "\n";
  }

 private:
  static int SquareOf(const std::string& text, size_t at) { return (text[at] - 'a') + 8 * ('8' - text[at + 1]); }

  // The legal moves of the side to move.
  std::vector<Move> LegalMoves() { return test_support::LegalMoves(*board_); }

  Move Find(const std::string& text) {
    if (text.size() != 4 && text.size() != 5) return 0;
    const std::string letters = "pnbr";  // the letters of under-promotions
    const int wanted = text.size() == 5 ? static_cast<int>(letters.find(text[4])) : kQueen;
    if (wanted <= kPawn || wanted > kQueen) return 0;
    for (Move move : LegalMoves()) {
      if (MoveFrom(move) != SquareOf(text, 0) || MoveTo(move) != SquareOf(text, 2)) continue;
      const bool promotion = (MoveFlags(move) & kPromotion) != 0;
      if (promotion ? MovePromotion(move) == wanted : text.size() == 4) return move;
    }
    return 0;
  }

  // What makes two positions the same one for the repetition rule: the
  // board, the side to move, the castling rights, and the en-passant square
  // when a pawn can really take there.
  std::string Key() {
    std::string key;
    for (int sq = 0; sq < 64; ++sq) {
      key += static_cast<char>('0' + board_->SquarePiece[sq] * 8 + ColourNumber(board_->SquareColour[sq]));
    }
    key += std::to_string(ColourNumber(board_->SideToMove)) + "/" + std::to_string(board_->CastleBits & 15);
    for (Move move : LegalMoves()) {
      if (MoveFlags(move) & kEnPassant) return key + "/" + std::to_string(board_->EpSquare);
    }
    return key;
  }

  std::unique_ptr<Position> board_;
  std::vector<std::string> moves_;
  std::map<std::string, int> seen_;
};

// One engine of the game with the clock the front end keeps for it.
struct Player {
  explicit Player(const char* colour) : name(colour), child(install.Exe()) {}
  std::string name;
  EngineInstall install;
  ChildProcess child;
  int clockMs = kControlMs;
  int movesMade = 0;
};

std::string ClockLines(const Player& own, const Player& other) {
  return "time " + std::to_string(own.clockMs / 10) + "\notim " + std::to_string(other.clockMs / 10) + "\n";
}

// "12. ... e7e5" (an under-promotion with its letter: "e2e1n"): the move
// number and the move; false for any other line.
bool ReadMoveLine(const std::string& line, int& number, std::string& move) {
  const size_t dots = line.find(". ... ");
  if (dots == 0 || dots == std::string::npos || line.find_first_not_of("0123456789") != dots) return false;
  move = line.substr(dots + 6);
  const auto in = [](char c, char first, char last) { return c >= first && c <= last; };
  if (move.size() != 4 && move.size() != 5) return false;
  if (!in(move[0], 'a', 'h') || !in(move[1], '1', '8') || !in(move[2], 'a', 'h') || !in(move[3], '1', '8')) {
    return false;
  }
  if (move.size() == 5 && std::string_view("nbr").find(move[4]) == std::string_view::npos) return false;
  number = std::stoi(line.substr(0, dots));
  return true;
}

// "1-0 {...}", "0-1 {...}" or "1/2-1/2 {...}".
bool IsResultLine(const std::string& line) {
  for (std::string_view score : {"1-0 {", "0-1 {", "1/2-1/2 {"}) {
    if (line.starts_with(score) && line.ends_with('}') && line.find('}') == line.size() - 1) return true;
  }
  return false;
}
constexpr std::string_view kLastStatistics = "QSkips/StaticSkips/NullSkips: ";

// The complete lines of the output from offset `from` on.
std::vector<std::string> LinesFrom(const std::string& out, size_t from) {
  std::vector<std::string> lines;
  for (size_t end = out.find('\n', from); end != std::string::npos; end = out.find('\n', from)) {
    lines.push_back(out.substr(from, end - from));
    from = end + 1;
  }
  return lines;
}

// True once the engine has answered its turn: its statistics after a move or
// after the result of having none, or a result line without a move (the
// opponent's move ended the game: no statistics then).
bool Answered(const std::string& out, size_t from) {
  bool moved = false;
  int number = 0;
  std::string move;
  for (const std::string& line : LinesFrom(out, from)) {
    if (line.starts_with(kLastStatistics)) return true;
    if (ReadMoveLine(line, number, move)) moved = true;
    if (!moved && IsResultLine(line)) return true;
  }
  return false;
}

// What an engine said on its turn.
struct Reply {
  int moveNumber = 0;
  std::vector<std::string> moves;
  std::vector<std::string> results;
  std::vector<std::string> unexpected;  // anything else but statistics and thinking lines
};

Reply ReadReply(const std::string& out, size_t from) {
  Reply reply;
  for (const std::string& line : LinesFrom(out, from)) {
    int number = 0;
    std::string move;
    const std::string form = Skeleton(line + "\n");
    if (ReadMoveLine(line, number, move)) {
      reply.moveNumber = number;
      reply.moves.push_back(move);
    } else if (IsResultLine(line)) {
      reply.results.push_back(line);
    } else if (form != "Score: *\n" && form != "Evaluations Complete/Medium/Fast: *\n" &&
               form != "QSkips/StaticSkips/NullSkips: *\n" && !form.empty()) {
      reply.unexpected.push_back(line);
    }
  }
  return reply;
}

TEST(SelfPlay, TwoEnginesPlayAWholeGameOnAFastClock) {
  // White ponders on Black's time, Black does not. Each answers "bk" once
  // "new" has calibrated: the clocks start after that.
  Player white("White");
  Player black("Black");
  SendAndWait(white.child, "xboard\nnew\n" + std::string(kLevel) + "nopost\nhard\nforce\nbk\n", kBookAnswer);
  SendAndWait(black.child, "xboard\nnew\n" + std::string(kLevel) + "nopost\neasy\nbk\n", kBookAnswer);

  Referee game;
  std::string ended;
  // A failed game is printed with its moves, so that it can be replayed.
  struct PrintOnFailure {
    const Referee& game;
    const std::string& ended;
    ~PrintOnFailure() {
      if (::testing::Test::HasFailure()) std::cout << "Result: " << (ended.empty() ? "none" : ended) << game.Record();
    }
  } printOnFailure{game, ended};
  Player* mover = &white;
  Player* waiting = &black;
  std::string turn = "go\n";  // what gives the mover its turn: then the opponent's move
  while (game.Plies() < kMaxPlies && ended.empty()) {
    Player& own = *mover;
    const size_t from = own.child.Output().size();
    own.child.Send(ClockLines(own, *waiting) + turn);
    const auto sent = SteadyClock::now();
    const bool answered = own.child.WaitUntil([from](const std::string& out) { return Answered(out, from); },
                                              std::max(own.clockMs, 0) + kReplyGraceMs);
    const int thoughtMs =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - sent).count());
    const Reply reply = ReadReply(own.child.Output(), from);
    ASSERT_TRUE(answered) << own.name << " gave no answer to:\n" << turn << own.child.Output().substr(from);
    const int spentMs = std::max(thoughtMs - kLagAllowanceMs, 0);
    ASSERT_LE(spentMs, own.clockMs) << own.name << " lost on time: " << thoughtMs << " ms with " << own.clockMs
                                    << " ms on its clock" << (kLagAllowanceMs > 0 ? " (and the allowance)" : "");
    own.clockMs -= spentMs;
    EXPECT_TRUE(reply.unexpected.empty()) << own.name << " wrote \"" << reply.unexpected[0] << "\" after:\n" << turn;
    ASSERT_LE(reply.moves.size(), 1u) << own.name << own.child.Output().substr(from);
    if (!reply.moves.empty()) {
      const std::string& move = reply.moves[0];
      EXPECT_EQ(reply.moveNumber, game.Plies() / 2 + 1) << own.name << " " << move;
      ASSERT_TRUE(game.Play(move)) << own.name << " played the illegal move " << move;
      if (++own.movesMade % kControlMoves == 0) own.clockMs += kControlMs;
      turn = move + "\n";
    }
    if (!reply.results.empty()) {
      ended = reply.results[0];
      EXPECT_EQ(reply.results.size(), 1u) << own.child.Output().substr(from);
      EXPECT_EQ(game.CheckClaim(ended), "") << own.name << " claimed " << ended;
    } else {
      ASSERT_EQ(reply.moves.size(), 1u) << own.name << " neither moved nor ended the game";
    }
    std::swap(mover, waiting);
  }

  for (Player* player : {&white, &black}) {
    player->child.Send("force\nquit\n");
    const auto run = player->child.FinishWithin(kHangGuardMs);
    EXPECT_EQ(run.exitCode, 0) << player->name;
    EXPECT_EQ(run.err, "") << player->name;
    EXPECT_TRUE(run.out.ends_with(kByeBye)) << player->name << " ended with:\n"
                                            << run.out.substr(run.out.size() - std::min<size_t>(run.out.size(), 500));
  }
}

}  // namespace
}  // namespace morvi::e2e
