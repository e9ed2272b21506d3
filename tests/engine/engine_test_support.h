// Helpers of the engine controller tests: a clean new game for every test, a
// clock that advances by itself, command records, one command executed with
// its console and log text, and the debug log read back.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "book/opening_book.h"
#include "engine/command_dispatch.h"
#include "engine/command_queue.h"
#include "engine/engine_host.h"
#include "engine/init_engine.h"
#include "engine/session.h"
#include "base/config.h"
#include "search/search_test_support.h"

namespace morvi::testing {

// A clock that moves on by `step` milliseconds at every reading.
struct StepClock {
  static inline TimeMs now = 0;
  static inline TimeMs step = 0;
  static TimeMs Read() { return (now += step) - step; }
};

inline CommandRecord Cmd(CommandId id) {
  CommandRecord r;
  r.id = id;
  return r;
}

// A record with more fields: Rec(CommandId::kTime, [](CommandRecord& r) { r.clockValue = 500; }).
template <typename Fill>
CommandRecord Rec(CommandId id, Fill fill) {
  CommandRecord r = Cmd(id);
  fill(r);
  return r;
}

// A move record from coordinate text such as "e7e8n" (no letter: -1).
inline CommandRecord MoveCmd(const char* text) {
  CommandRecord r = Cmd(CommandId::kUserMove);
  r.moveFrom = Sq(text);
  r.moveTo = Sq(text + 2);
  r.movePromotion = text[4] == '\0' ? -1 : static_cast<int>(std::string("pnbrqk").find(text[4]));
  return r;
}

inline CommandRecord PlaceCmd(int piece, const char* square) {
  CommandRecord r = Cmd(CommandId::kEditPlace);
  r.piece = piece;
  r.square = Sq(square);
  return r;
}

inline void Queue(const CommandRecord& r) { PostCommand(std::make_unique<CommandRecord>(r)); }

// The debug log switched on into a temporary file while it lives.
class LogTap {
 public:
  LogTap() {
    char name[] = "/tmp/morvi-engine-log-XXXXXX";
    ::close(::mkstemp(name));
    path_ = name;
    OpenDebugLog(path_);
    debugLog.enabled = true;
  }
  ~LogTap() {
    Stop();
    ::unlink(path_.c_str());
  }
  // The file as written, with the time stamp cut off each record.
  std::string Raw() {
    Stop();
    std::ifstream in(path_, std::ios::binary);
    std::string text, line;
    while (std::getline(in, line)) {
      const size_t stampEnd = line.find(']');
      if (!line.empty() && line[0] == '[' && stampEnd < 16) line.erase(0, stampEnd + 1);
      text += line + "\n";
    }
    return text;
  }
  // "Category: text" of every record, or the texts of one category; blanks
  // around them trimmed.
  std::vector<std::string> Records(const std::string& category = "") {
    std::vector<std::string> records;
    std::istringstream in(Raw());
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] != ' ' || line.find(": ") == std::string::npos) continue;
      line.erase(0, line.find_first_not_of(' '));
      while (line.back() == ' ') line.pop_back();
      if (category.empty()) records.push_back(line);
      if (!category.empty() && line.rfind(category + ": ", 0) == 0) records.push_back(line.substr(category.size() + 2));
    }
    return records;
  }

 private:
  void Stop() {
    if (!debugLog.enabled) return;
    debugLog.enabled = false;
    CloseDebugLog();
  }
  std::string path_;
};

// What one executed command did.
struct Outcome {
  bool quit = false;
  std::string console;
  std::string log;
};

inline Outcome Execute(const CommandRecord& r) {
  Outcome out;
  StdoutCapture capture;
  out.quit = ExecuteCommand(std::make_unique<CommandRecord>(r), out.log);
  out.console = capture.Text();
  return out;
}

inline Outcome Play(const char* move) { return Execute(MoveCmd(move)); }

// The parts of the game that a refused or empty command must leave alone.
struct GameSnapshot {
  std::vector<int> board;
  Colour side = Colour::kWhite;
  int castle = 0, ep = 0, archive = 0, repeats = 0, moveNumber = 0;
  std::string gameText;
  bool operator==(const GameSnapshot&) const = default;
};

inline GameSnapshot Snapshot() {
  const Position& p = position;
  GameSnapshot s;
  for (int sq = 0; sq < 64; ++sq) s.board.push_back(p.SquarePiece[sq] * 8 + ColourNumber(p.SquareColour[sq]));
  s.side = p.SideToMove, s.castle = p.CastleBits, s.ep = p.EpSquare;
  s.archive = p.ArchiveCount, s.repeats = p.RepeatCount, s.moveNumber = engineState.moveNumber;
  s.gameText = openingBook.gameText;
  return s;
}

// A position from FEN with its archive started there, as after edit mode.
inline void SetUpGame(const char* fen) {
  ASSERT_TRUE(LoadForSearch(fen));
  position.ArchiveRestart();
}

// Every test starts from the state of a new game without the calibration:
// the engine plays Black and does not post, no book, the clock stands at 0.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }

  static void Clean() {
    while (TakeCommand() != nullptr) {
    }
    ResetEngineThread();
    SelectDialect(Dialect::kXboard);
    SettleDialect();  // an engine thread started here writes its banner at once
    SetSearchTestDefaults(&engineHost);
    ResetEngineState(engineState);
    engineState.postEnabled = false;
    position.NewGame();
    openingBook.gameText.clear();  // the new game's entry 0 is no move of the book's
    config.OppTimeAdv = 1;
    StepClock::now = StepClock::step = 0;
    commandQueue.stampClock = NotStamped;  // no time waited in the queue
  }
  static TimeMs NotStamped() { return -1; }
};

}  // namespace morvi::testing
