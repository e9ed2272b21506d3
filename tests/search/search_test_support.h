// Helpers of the search tests: a clean search state, a scripted clock, a
// scripted caller, capture of standard output and of the debug log.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/fen.h"
#include "board/position.h"
#include "engine/engine_state.h"
#include "eval/evaluate.h"
#include "eval/game_stage.h"
#include "base/debug_log.h"
#include "search/thinker.h"
#include "search/thinking_output.h"

namespace morvi::testing {

// A clock the test sets by hand.
struct ManualClock {
  static inline TimeMs now = 0;
  static TimeMs Read() { return now; }
};

// A clock that answers from a list, repeating the last value.
struct ScriptedClock {
  static inline std::vector<TimeMs> values;
  static inline size_t next = 0;
  static void Set(std::vector<TimeMs> v) {
    values = std::move(v);
    next = 0;
  }
  static TimeMs Read() {
    if (values.empty()) return 0;
    TimeMs value = values[next < values.size() ? next : values.size() - 1];
    ++next;
    return value;
  }
};

// A caller scripted by the test: its answers, poll by poll (go on once they
// run out), or an answer from a given node on; the lines it is handed, in
// the engine's own text.
struct ScriptedHost final : SearchHost {
  std::vector<PollAnswer> answers;
  std::int64_t answerFromNode = -1;  // from this node count on, answer `late`
  PollAnswer late = PollAnswer::kWrapUp;
  bool wantsLines = false;
  int polls = 0;
  int firstLatePoll = 0;  // the poll that first answered `late`
  int lastLinePoll = 0;   // the polls made before the last line was handed over
  std::vector<std::string> lines;

  PollAnswer Poll() override {
    ++polls;
    if (answerFromNode >= 0 && searchCounters.nodes >= answerFromNode) {
      if (firstLatePoll == 0) firstLatePoll = polls;
      return late;
    }
    if (static_cast<std::size_t>(polls) <= answers.size()) return answers[polls - 1];
    return PollAnswer::kGoOn;
  }
  bool WantsLines() override { return wantsLines; }
  void ReportLine(const Thinker& t) override {
    char text[kThinkingLineSize];
    lines.emplace_back(text, FormatThinkingLine(t, kNoMove, text));
    lastLinePoll = polls;
  }
};

// The search tests' caller.
inline ScriptedHost scriptedHost;

// After a reset: the given caller, no lines, the heartbeat never due, the
// clock standing at 0.
inline void SetSearchTestDefaults(SearchHost* host) {
  Thinker& t = thinker;
  ClearLines(t);
  t.prevPvLength = -1;
  t.nominalDepth = 1;
  t.allocatedTime = 1000;
  t.branchFactor = kInitialBranchFactor;
  t.heartbeatMask = 0x3fffffff;
  ManualClock::now = 0;
  t.clock = ManualClock::Read;
  t.host = host;
  evalSettings.randomTerm = false;
  moveStack.listStart[0] = moveStack.listEnd[0] = 0;
}

// Thinker and counters as the program starts them, with the scripted caller.
inline void ResetSearchState() {
  ClearSearchState();
  scriptedHost = ScriptedHost{};
  SetSearchTestDefaults(&scriptedHost);
}

// Square number of a coordinate such as "e2" (a8 is 0, h1 is 63).
constexpr int Sq(const char* text) { return (text[0] - 'a') + 8 * ('8' - text[1]); }

// The position from FEN as the engine prepares it before a search: the
// constant tables, the three evaluations and the game stage; History cleared.
inline bool LoadForSearch(const char* fen) {
  position.NewGame();
  if (!LoadFen(position, fen)) return false;
  RefreshBeforeSearch(position);
  position.GameStage = DecideGameStage(position);
  for (auto& row : position.History) {
    for (int& entry : row) entry = 0;
  }
  return true;
}

// The generated move from one square to another, or 0.
inline Move FindMove(int from, int to) {
  MoveEntry list[kMoveStackSize];
  int end = 0;
  position.GenerateMoves(list, &end);
  for (int i = 0; i < end; ++i) {
    if (MoveFrom(list[i].move) == from && MoveTo(list[i].move) == to) return list[i].move;
  }
  return 0;
}

// Plays a game move as the engine does: made, then archived.
inline bool PlayGameMove(int from, int to) {
  Move move = FindMove(from, to);
  UndoRecord undo;
  if (move == 0 || position.MakeMove(move, undo) == 0) return false;
  position.ArchivePush(move);
  return true;
}

// Standard output redirected into a temporary file while it lives.
class StdoutCapture {
 public:
  StdoutCapture() {
    std::fflush(stdout);
    char name[] = "/tmp/morvi-search-stdout-XXXXXX";
    fd_ = ::mkstemp(name);
    path_ = name;
    saved_ = ::dup(STDOUT_FILENO);
    ::dup2(fd_, STDOUT_FILENO);
  }
  ~StdoutCapture() {
    Restore();
    ::unlink(path_.c_str());
  }
  std::string Text() {
    Restore();
    std::ifstream in(path_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stdout);
    ::dup2(saved_, STDOUT_FILENO);
    ::close(saved_);
    ::close(fd_);
    saved_ = -1;
  }
  int fd_ = -1;
  int saved_ = -1;
  std::string path_;
};

// The debug log switched on into a temporary file while it lives.
class LogCapture {
 public:
  LogCapture() {
    char name[] = "/tmp/morvi-search-log-XXXXXX";
    int fd = ::mkstemp(name);
    ::close(fd);
    path_ = name;
    OpenDebugLog(path_);
    debugLog.enabled = true;
  }
  ~LogCapture() {
    Stop();
    ::unlink(path_.c_str());
  }
  // The records as "Category: text": time stamp, alignment blanks and the
  // blank before the line end removed.
  std::vector<std::string> Records() {
    Stop();
    std::vector<std::string> records;
    std::ifstream in(path_);
    std::string line;
    while (std::getline(in, line)) {
      size_t stampEnd = line.find(']');
      if (line.empty() || line[0] != '[' || stampEnd == std::string::npos) continue;
      std::string record = line.substr(stampEnd + 1);
      record.erase(0, record.find_first_not_of(' '));
      if (!record.empty() && record.back() == ' ') record.pop_back();
      records.push_back(record);
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

}  // namespace morvi::testing
