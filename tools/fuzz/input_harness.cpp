// The session driver of the fuzz harness: the input cut into lines (in the
// dialect its first line chooses) and the lines into batches by their
// arrival, the engine made new, each batch recognised, executed and searched
// on, with the board audited after every record and every pass.
#include "input_harness.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "board/position.h"
#include "book/opening_book.h"
#include "clock_harness.h"
#include "engine/command_dispatch.h"
#include "engine/engine_pass.h"
#include "engine/engine_state.h"
#include "engine/init_engine.h"
#include "engine/session.h"
#include "engine/uci_session.h"
#include "engine/command_queue.h"
#include "base/config.h"
#include "frontend/line_reader.h"
#include "frontend/recognizer.h"
#include "base/text_scan.h"
#include "frontend/uci_reader.h"
#include "base/random.h"
#include "search/thinker.h"
#include "search/search_threads.h"

namespace morvi::fuzz {
namespace {

// Every book load draws its line, and the random terms that follow draw
// their values, from this seed instead of the calendar, so that a session
// always runs the same way.
constexpr unsigned kSeed = 20240601;

// A clock (centiseconds) or a level base (seconds) beyond these gives the
// engine a real search of days, which no 32-bit millisecond clock can end:
// the harness holds the queued values to them (UCI times, in milliseconds,
// to ten times the clock bound). The 30,000-minute control ("level 10 30000
// 0") is let through, since the engine shortens it itself.
constexpr int kClockValueBound = 100000000;
constexpr int kGoTimeBound = 10 * kClockValueBound;
constexpr int kLevelBaseBound = 1000000;
constexpr int kLongControlMoves = 10;
constexpr int kLongControlBase = 1800000;

struct Line {
  std::string text;     // as read, leading white space included
  int arrivalPass = 0;  // 0: while idle
};

struct Input {
  std::vector<Line> lines;
  bool uci = false;  // the first line was "uci"
};

// One idle line and the lines that arrive during the passes after it.
struct Batch {
  std::string head;
  std::vector<Line> during;
  int lastArrival = 0;
};

int ArrivalPass(const std::string& text) {
  const size_t indent = std::min(text.find_first_not_of(" \t"), text.size());
  return static_cast<int>(std::min<size_t>(indent, kMaxArrivalPass));
}

void AddLine(Input& input, std::string& text) {
  const int arrival = ArrivalPass(text);
  input.lines.push_back({std::move(text), arrival});
}

// The lines as the input loop reads them: in UCI mode long lines, skipping
// those too long; otherwise up to the end or the first line too long.
Input ReadInput(std::FILE* in) {
  Input input;
  std::string text;
  if (ReadInputLine(in, text) != LineStatus::Line) return input;
  input.uci = IsUciSwitch(text);
  AddLine(input, text);
  if (!input.uci) {
    while (ReadInputLine(in, text) == LineStatus::Line) AddLine(input, text);
    return input;
  }
  for (LineStatus status; (status = ReadLongInputLine(in, text)) != LineStatus::End;) {
    if (status == LineStatus::Line) AddLine(input, text);
  }
  return input;
}

Input ReadInput(std::string_view text) {
  if (text.empty()) return {};
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  if (in == nullptr) return {};
  Input input = ReadInput(in);
  std::fclose(in);
  return input;
}

std::vector<Batch> CutIntoBatches(const std::vector<Line>& lines) {
  std::vector<Batch> batches;
  for (const Line& line : lines) {
    if (line.arrivalPass == 0 || batches.empty()) {
      batches.push_back({line.text, {}, 0});
    } else {
      batches.back().during.push_back(line);
      batches.back().lastArrival = std::max(batches.back().lastArrival, line.arrivalPass);
    }
  }
  return batches;
}

// UCI's number reader overflows past 18 digits (regression case
// uci_number_overflow): with the option set, longer digit runs are cut.
std::string CutLongDigitRuns(const std::string& text) {
  constexpr size_t kLongestSafeRun = 18;
  std::string cut;
  size_t run = 0;
  for (char c : text) {
    run = (c >= '0' && c <= '9') ? run + 1 : 0;
    if (run <= kLongestSafeRun) cut += c;
  }
  return cut;
}

// Records carry no queueing time: the engine's waiting-time cut reads the
// real clock, which would make the limits differ from run to run.
TimeMs NoStamp() { return -1; }

// The book is opened by the harness, with its seed; the engine's own loads
// (a new game, a UCI start position) are given no book, since
// config.bookPath stays empty outside this function, and are redone here.
void LoadBook(const HarnessOptions& options) {
  config.bookPath = options.bookPath;
  BookLoadSeeded(kSeed);
  config.bookPath.clear();
  SeedRandom(kSeed);
}

// After each record: the poll at every node (a new game's calibration sets
// it) and the book again if the engine has just loaded it.
void SettleRecord(const HarnessOptions& options) {
  thinker.heartbeatMask = 0;
  if (!options.bookPath.empty() && openingBook.file == nullptr) LoadBook(options);
}

void ResetEngine(const HarnessOptions& options) {
  ClearQueue();
  commandQueue.stampClock = NoStamp;
  config = Configuration{};  // UCI options write into it
  config.bookPath.clear();
  ResetEngineThread();
  SelectDialect(Dialect::kXboard);
  thinker.clock = ReadHarnessClock;
  RestartHarnessClock(ClockPhase::Commands, options.standStillDepth);
  InitEngine();
  LoadBook(options);
  SettleRecord(options);
}

bool IsLongControl(const CommandRecord& r) {
  return r.levelMoves == kLongControlMoves && r.levelBase == kLongControlBase;
}

void BoundClocks(CommandRecord& r) {
  if (r.id == CommandId::kTime) r.clockValue = std::min(r.clockValue, kClockValueBound);
  if (r.id == CommandId::kLevel && !IsLongControl(r)) r.levelBase = std::min(r.levelBase, kLevelBaseBound);
  if (r.id == CommandId::kUciGo) {
    for (int* time : {&r.go.whiteTime, &r.go.blackTime, &r.go.moveTime}) *time = std::min(*time, kGoTimeBound);
  }
  if (r.id == CommandId::kSt) r.number = std::min(r.number, kGoTimeBound);
}

// The harness runs thousands of sessions: a transposition table of one
// megabyte at most, and two search threads at most, still resized (and
// used) as the input asks.
void BoundOption(std::string& value, char most) {
  if (value.size() != 1 || value[0] > most) value.assign(1, most);
}

void BoundResources(CommandRecord& r) {
  if (r.id == CommandId::kMemory) r.number = std::min(r.number, 1);
  if (r.id == CommandId::kCores) r.number = std::min(r.number, 2);
  if (r.id == CommandId::kOption) {
    const std::string lower = LowerCase(r.argument);
    if (lower.rfind("hash=", 0) == 0 && r.argument.substr(5) != "0") r.argument = r.argument.substr(0, 5) + "1";
    if (lower.rfind("threads=", 0) == 0) r.argument = r.argument.substr(0, 8) + "2";
  }
  if (r.id != CommandId::kSetoption) return;
  const std::string name = LowerCase(r.optionName);
  if (name == "hash" && r.optionValue != "0") BoundOption(r.optionValue, '1');
  if (name == "threads") BoundOption(r.optionValue, '2');
}

void BoundQueuedClocks() {
  std::lock_guard<std::mutex> guard(commandQueue.lock);
  for (const std::unique_ptr<CommandRecord>& r : commandQueue.records) {
    BoundClocks(*r);
    BoundResources(*r);
  }
}

// What the harness changes in the program's state beyond the engine's
// own, given back when the session ends.
class ProgramStateGuard {
 public:
  ProgramStateGuard() : stampClock_(commandQueue.stampClock), config_(config) {}
  ~ProgramStateGuard() {
    ClearQueue();
    SelectDialect(Dialect::kXboard);
    commandQueue.stampClock = stampClock_;
    config = config_;
    thinker.clock = ClockMs;
    searchThreads.SetCount(1);  // no helper thread outlives its session
  }

 private:
  TimeMs (*stampClock_)();
  Configuration config_;
};

class HarnessSession {
 public:
  HarnessSession(const HarnessOptions& options, bool uci) : options_(options), uci_(uci) {
    frontEnd_.consoleMode = !uci;
  }

  void Run(const std::vector<Batch>& batches) {
    for (const Batch& batch : batches) {
      Arrive(batch.head);
      if (!Drain()) return;
      if (!RunPasses(batch)) return;
    }
    QueueCommand(CommandId::kQuit);  // the end of the input (or a line too long) quits
    Drain();
  }

  SessionResult result;

 private:
  bool RecognizedQuit(const std::string& text) {
    if (uci_ && options_.cutLongUciNumbers) return RecognizeUciLine(CutLongDigitRuns(text)) == UciLine::Quit;
    if (uci_) return RecognizeUciLine(text) == UciLine::Quit;
    return RecognizeCommand(frontEnd_, LeftTrim(text)) == Recognition::Quit;
  }

  // The input loop's part for one line; lines after a quit are not read.
  void Arrive(const std::string& text) {
    if (!reading_) return;
    if (RecognizedQuit(text)) {
      QueueCommand(CommandId::kQuit);
      reading_ = false;
    }
    BoundQueuedClocks();
  }

  // The engine loop's drain; false once the session is over.
  bool Drain() {
    RestartHarnessClock(ClockPhase::Commands, options_.standStillDepth);
    while (std::unique_ptr<CommandRecord> record = TakeCommand()) {
      const CommandId id = record->id;
      engineState.lastCommandAt = record->receivedAt;
      std::string logText;
      const bool quit = ExecuteCommand(std::move(record), logText);
      ++result.records;
      SettleRecord(options_);
      if (!Audit("record", static_cast<int>(id))) return false;
      if (quit) return false;
    }
    return true;
  }

  // The passes after a batch's idle line, until the engine is idle and every
  // line of the batch has arrived; false once the session is over.
  bool RunPasses(const Batch& batch) {
    for (int pass = 1;; ++pass) {
      for (const Line& line : batch.during) {
        if (line.arrivalPass == pass) Arrive(line.text);
      }
      RestartHarnessClock(ClockPhase::Pass, options_.standStillDepth);
      const bool busy = RunPass();
      if (busy) ++result.searches;
      if (HarnessClockOverran() && !options_.allowOverruns) {
        result.finding = "a search went on for " + std::to_string(kOverrunReadings) +
                         " nodes after its time ran out (stopped by the harness)";
        return false;
      }
      if (!Audit("pass", pass)) return false;
      if (!Drain()) return false;
      if (!busy && pass >= batch.lastArrival) return true;
      if (pass >= batch.lastArrival + kPassesToSettle) {
        result.finding = "the engine is still busy " + std::to_string(kPassesToSettle) +
                         " passes after the last command arrived";
        return false;
      }
    }
  }

  bool Audit(const char* after, int what) {
    if (position.AuditBoard()) return true;
    result.finding = std::string("AuditBoard failed after ") + after + " " + std::to_string(what);
    return false;
  }

  HarnessOptions options_;
  bool uci_;
  FrontEndState frontEnd_;
  bool reading_ = true;
};

}  // namespace

SessionResult RunSession(std::string_view text, const HarnessOptions& options) {
  ProgramStateGuard guard;
  ResetEngine(options);
  const Input input = ReadInput(text);
  if (input.uci) SelectDialect(Dialect::kUci);  // as the input loop does at the first line
  HarnessSession session(options, input.uci);
  session.Run(CutIntoBatches(input.lines));
  return session.result;
}

}  // namespace morvi::fuzz
