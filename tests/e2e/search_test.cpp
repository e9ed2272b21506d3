// End-to-end: the engine's searches seen from outside: analysis, commands
// that a search handles on the spot and commands that stop it, pondering,
// the endings during a search, an idle engine, and a long mixed stream.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/expected_output.h"
#include "e2e/session.h"

namespace morvi::e2e {
namespace {

using test_support::ChildProcess;

// Clocks on which the engine would think for minutes on its own.
constexpr std::string_view kLongClock = "time 360000\notim 360000\n";

// True for a move of the given colour's pieces from the initial position
// (its from-square on that side's two home rows).
bool IsMoveOf(char colour, const std::string& move) {
  return colour == 'w' ? (move[1] == '1' || move[1] == '2') : (move[1] == '7' || move[1] == '8');
}

// Offset of the first thinking line after `from` whose first move is the
// colour's, after waiting for it; npos when none came.
size_t WaitForLineOf(ChildProcess& child, char colour, size_t from) {
  size_t at = std::string::npos;
  child.WaitUntil([&](const std::string& out) {
    for (const std::string& line : ThinkingLines(out, from)) {
      if (IsMoveOf(colour, LineMoves(line)[0])) {
        at = out.find(line, from);
        return true;
      }
    }
    return false;
  });
  return at;
}

TEST(EngineSearch, AnalysisSearchesAgainAfterEveryMove) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nnopost\nanalyze\n");  // analysis shows its lines whatever post says
  const size_t white = WaitForLineOf(child, 'w', 0);
  ASSERT_NE(white, std::string::npos);
  child.Send("e2e4\n");
  const size_t black = WaitForLineOf(child, 'b', white);
  ASSERT_NE(black, std::string::npos) << child.Output();
  EXPECT_EQ(child.Output().substr(black, 3), " 1 ");  // a new search, from depth 1
  // A refused move stops the analysis; it starts again for the same position.
  const size_t refused = SendAndWait(child, "e2e4\n", "Illegal Move: Could not find it in our generated move list\n");
  const size_t resumed = WaitForLineOf(child, 'b', child.Output().find("Illegal Move", refused));
  ASSERT_NE(resumed, std::string::npos) << child.Output();
  EXPECT_EQ(child.Output().substr(resumed, 3), " 1 ");
  child.Send("undo\n");
  const size_t again = WaitForLineOf(child, 'w', resumed);
  ASSERT_NE(again, std::string::npos) << child.Output();
  EXPECT_EQ(child.Output().substr(again, 3), " 1 ");
  const size_t left = SendAndWait(child, "exit\nbk\n", kBookAnswer);
  child.Send(".\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  const std::string tail = run.out.substr(run.out.find(kBookAnswer, left) + kBookAnswer.size());
  EXPECT_EQ(Skeleton(tail), "stat01: *\n" + std::string(kByeBye));
  EXPECT_TRUE(ThinkingLines(tail).empty()) << tail;  // no search after "exit"
  EXPECT_TRUE(MoveLines(run.out).empty());
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, InformationCommands) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\n");
  // Before any search: no hint, and a draw is accepted (the engine stops).
  SendAndWait(child, "hint\ndraw\nbk\nresult 1-0 {White mates}\nname Club Player\nrating 2100 1950\n.\n",
              "stat01: ");
  SendAndWait(child, "e2e4\nbk\n", kBookAnswer);
  // A searched move: the hint is the reply the engine expects.
  child.Send("new\neasy\ntime 3000\n");  // long enough for a reply to hint
  const size_t search = SendAndWaitForStats(child, "e2e4\n");
  const size_t after = SendAndWait(child, "hint\ndraw\nbk\n.\n", "stat01: ");
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);

  const std::vector<std::string> lines = ThinkingLines(run.out.substr(0, after), search);
  ASSERT_FALSE(lines.empty());
  const std::vector<std::string> expected = LineMoves(lines.back());
  ASSERT_GE(expected.size(), 2u);
  EXPECT_EQ(MoveLines(run.out).at(0), "1. ... " + expected[0]);
  // After the accepted draw the engine did not answer 1.e4.
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\noffer draw\n" + std::string(kBookAnswer) + "stat01: *\n" +
                       std::string(kBookAnswer) + MoveLines(run.out).at(0) + "\n" + std::string(kStats) + "Hint: " +
                       expected[1] + "\n" + std::string(kBookAnswer) + "stat01: *\n" + std::string(kByeBye)));
  const std::string records =
      "[T]   Command: Init engine and board \n"
      "[T]   Command: offer draw\n"
      "[T]   Command: \tthis is not training program\n\n"
      "[T]   Command: Engine: Result 0 {White mates}  \n"
      "[T]   Command: Engine: name Club Player \n"
      "[T]   Command: Engine: rating 2100 1950  \n"
      "[T]   Command: Engine: valid move from:52 to:36 promote: -1  \n";
  EXPECT_EQ(RecordsOf(engine.Log(), {"Command"}).substr(0, records.size()), records);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, MoveNowDuringTheSearchAndDuringPondering) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\n" + std::string(kLongClock) + "e2e4\n");
  ASSERT_TRUE(WaitForThinking(child, 0));
  const size_t own = SendAndWaitForStats(child, "?\n");  // long before the clock would end it
  ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING"));
  child.Send("?\n");  // ends the pondering, plays nothing
  ASSERT_TRUE(engine.WaitForLog(child, "ABORT PONDERING"));
  const size_t ponder = SendAndWait(child, "bk\n", kBookAnswer);
  const size_t reply = child.Output().size();
  child.Send("d2d4\n");
  ASSERT_TRUE(WaitForThinking(child, reply));
  SendAndWaitForStats(child, "?\n");
  child.Send("quit\n");
  auto run = child.FinishWithin(kPromptlyMs);
  EXPECT_EQ(MoveLines(run.out, own).size(), 2u);
  EXPECT_EQ(MoveLines(run.out, own).at(0).substr(0, 7), "1. ... ");
  EXPECT_TRUE(MoveLines(run.out.substr(0, reply), ponder).empty());
  EXPECT_EQ(MoveLines(run.out, reply).at(0).substr(0, 7), "2. ... ");
  EXPECT_EQ(CountOf(engine.Log(), "YES!!!"), 0u);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, ClockAndInformationCommandsKeepTheSearchRunning) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\n" + std::string(kLongClock) + "e2e4\n");
  ASSERT_TRUE(WaitForThinking(child, 0));
  SendAndWait(child, "time 350000\notim 340000\nhint\npost\nname Player\nrating 1 2\n.\n", "stat01: ");
  ASSERT_TRUE(engine.WaitForLog(child, "Heartbeat: CONTINUE", 7));
  SendAndWaitForStats(child, "?\n");
  ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING"));
  child.Send("force\nquit\n");
  auto run = child.FinishWithin(kPromptlyMs);
  // Seven handled on the spot, then the move at once; "force" ends the pondering.
  std::string expected;
  for (int i = 0; i < 7; ++i) expected += "[T] Heartbeat: CONTINUE \n";
  EXPECT_EQ(RecordsOf(engine.Log(), {"Heartbeat"}),
            expected + "[T] Heartbeat: WRAP IT UP \n[T] Heartbeat: CONTINUE \n[T] Heartbeat: ABORT \n");
  EXPECT_EQ(MoveLines(run.out).size(), 1u);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, CommandsThatStopTheSearchPlayNothingAndThenRun) {
  struct Case {
    const char* command;
    const char* next;       // what is sent after the search has stopped
    std::string expected;  // the output from the command on, as Skeleton shows it
  };
  const Case cases[] = {
      {"force\n", "e7e5\ng1f3\nbk\n", std::string(kBookAnswer)},
      {"new\n", "e2e4\n", "1. ... e7e5\n" + std::string(kStats)},  // a new game, in its book
      {"undo\n", "e7e5\nd2d4\nbk\n", std::string(kNotFound) + std::string(kBookAnswer)},
      {"e7e5\n", "g1f3\nbk\n", std::string(kBookAnswer)},  // Black's move, played
      {"edit\n", "#\nKg1\nPf2\nPg2\nPh2\nc\nKg8\nRa8\n.\nlevel 40 5 0\ntime 8000\ngo\n",
       "1. ... a8a1\n0-1 {Black mates}\n" + std::string(kStats)},
  };
  for (const Case& c : cases) {
    EngineInstall engine(kLogProfile, "e2e4e7e5\n");
    ChildProcess child(engine.Exe());
    child.Send("xboard\nnew\n" + std::string(kLongClock) + "d2d4\n");  // out of the book
    ASSERT_TRUE(WaitForThinking(child, 0)) << c.command;
    const size_t from = child.Output().rfind('\n') + 1;
    child.Send(c.command);
    EXPECT_TRUE(engine.WaitForLog(child, "Heartbeat: ABORT")) << c.command;
    child.Send(c.next);
    child.WaitUntil([&](const std::string& out) { return Skeleton(out.substr(from)) == c.expected; });
    child.Send("force\nquit\n");
    auto run = child.FinishWithin(kHangGuardMs);
    EXPECT_EQ(Skeleton(run.out.substr(from)), c.expected + std::string(kByeBye)) << c.command;
    EXPECT_EQ(run.exitCode, 0) << c.command;
  }
}

TEST(EngineSearch, PonderHitPlaysAtOnceAndPonderMissSearchesAgain) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nlevel 40 0:05 0\n");
  const size_t first = SendAndWaitForStats(child, "time 500\notim 500\ne2e4\n");
  ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING"));
  // The reply the engine expects is the second move of its last line.
  const size_t firstMove = child.Output().find("1. ... ", first);
  std::vector<std::string> lines = ThinkingLines(child.Output().substr(0, firstMove), first);
  ASSERT_FALSE(lines.empty());
  const std::string predicted = LineMoves(lines.back()).at(1);
  SendAndWait(child, "hint\n", "Hint: " + predicted + "\n");
  // The ponder lines show the predicted move first.
  const size_t stats = child.Output().find("AvgMoves/Node", firstMove);
  ASSERT_TRUE(WaitForThinking(child, stats));
  EXPECT_EQ(LineMoves(ThinkingLines(child.Output(), stats)[0])[0], predicted);

  const size_t hit = SendAndWaitForStats(child, "time 480\notim 470\n" + predicted + "\n");
  ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING", 2));
  const size_t secondMove = child.Output().find("2. ... ", hit);
  lines = ThinkingLines(child.Output().substr(0, secondMove), hit);
  ASSERT_FALSE(lines.empty());
  const std::string expected = LineMoves(lines.back()).at(1);
  const size_t miss = SendAndWaitForStats(child, expected == "a2a3" ? "h2h3\n" : "a2a3\n");
  ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING", 3));
  child.Send("force\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);

  EXPECT_EQ(MoveLines(run.out, hit).at(0).substr(0, 7), "2. ... ");
  EXPECT_EQ(MoveLines(run.out, miss).at(0).substr(0, 7), "3. ... ");
  const std::string log = engine.Log();
  EXPECT_EQ(RecordsOf(log, {"Thinker"}),
            "[T]   Thinker: START PONDERING \n[T]   Thinker: START PONDERING \n[T]   Thinker: ABORT PONDERING \n"
            "[T]   Thinker: START PONDERING \n[T]   Thinker: ABORT PONDERING \n");
  // The hit plays the ponder search's move; the miss needs a new search.
  const size_t yes = log.find("YES!!! GOOD PONDERING CHOICE!");
  const size_t oops = log.find("Oops - ponder move WRONG!");
  ASSERT_NE(yes, std::string::npos);
  ASSERT_NE(oops, std::string::npos);
  const size_t second = log.find("Engine: 2. ... ", yes);
  const size_t third = log.find("Engine: 3. ... ", oops);
  ASSERT_NE(third, std::string::npos);
  EXPECT_EQ(CountOf(log.substr(yes, second - yes), "HashCleaned"), 0u);
  EXPECT_EQ(CountOf(log.substr(oops, third - oops), "ABORT PONDERING"), 1u);
  EXPECT_EQ(CountOf(log.substr(oops, third - oops), "HashCleaned"), 1u);
  EXPECT_EQ(CountOf(log, "YES!!!"), 1u);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, AbortingCommandAfterAPonderHitKeepsTheOpponentsMove) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  const size_t first = SendAndWaitForStats(child, "xboard\nnew\ntime 3000\ne2e4\n");  // long enough to predict a reply
  ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING"));
  const std::vector<std::string> lines =
      ThinkingLines(child.Output().substr(0, child.Output().find("1. ... ", first)), first);
  ASSERT_FALSE(lines.empty());
  const std::string predicted = LineMoves(lines.back()).at(1);
  child.Send(std::string(kLongClock) + predicted + "\n");  // a hit, and then a long search
  ASSERT_TRUE(engine.WaitForLog(child, "YES!!! GOOD PONDERING CHOICE!"));
  // The hit's move is on the board: it cannot be played again.
  const size_t from = SendAndWait(child, "force\n" + predicted + "\nbk\n", kBookAnswer);
  const size_t again = SendAndWaitForStats(child, "time 300\ngo\n");  // Black's second move
  child.Send("force\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(Skeleton(run.out.substr(from, again - from)), std::string(kNotFound) + std::string(kBookAnswer));
  EXPECT_EQ(MoveLines(run.out, first).size(), 2u);
  EXPECT_EQ(MoveLines(run.out, again).at(0).substr(0, 7), "2. ... ");
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, TakeBacksDuringPonderingRemoveThePredictionFirst) {
  // After 1.e4 and the engine's reply: "undo" takes back the reply, "remove" both moves.
  for (const char* command : {"undo\n", "remove\n"}) {
    EngineInstall engine(kLogProfile);
    ChildProcess child(engine.Exe());
    SendAndWaitForStats(child, "xboard\nnew\ntime 3000\ne2e4\n");  // long enough to predict a reply
    ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING"));
    const size_t again = SendAndWaitForStats(child, std::string(command) + "time 300\ngo\n");
    child.Send("force\nquit\n");
    auto run = child.FinishWithin(kHangGuardMs);
    const std::vector<std::string> moves = MoveLines(run.out, again);
    ASSERT_EQ(moves.size(), 1u) << command;
    EXPECT_EQ(moves[0].substr(0, 7), "1. ... ") << command;
    EXPECT_TRUE(IsMoveOf(command[0] == 'u' ? 'b' : 'w', moves[0].substr(7))) << command << moves[0];
    EXPECT_EQ(run.exitCode, 0) << command;
  }
}

// The ways of reaching a running search before the session ends.
enum class Searching { OwnMove, Pondering, Analysis };

void StartSearching(ChildProcess& child, const EngineInstall& engine, Searching what) {
  switch (what) {
    case Searching::OwnMove:
      child.Send("xboard\nnew\n" + std::string(kLongClock) + "e2e4\n");
      ASSERT_TRUE(WaitForThinking(child, 0));
      break;
    case Searching::Pondering:
      // A clock long enough for a line of two moves even on a loaded
      // sanitizer build: a search cut to one ply predicts no reply to ponder on.
      SendAndWaitForStats(child, "xboard\nnew\ntime 3000\ne2e4\n");
      ASSERT_TRUE(engine.WaitForLog(child, "START PONDERING"));
      break;
    case Searching::Analysis:
      child.Send("xboard\nnew\nanalyze\n");
      ASSERT_TRUE(WaitForThinking(child, 0));
      break;
  }
}

TEST(EngineSearch, QuitAndEndOfInputEndEverySearchPromptly) {
  for (Searching what : {Searching::OwnMove, Searching::Pondering, Searching::Analysis}) {
    for (bool quit : {true, false}) {
      EngineInstall engine(kLogProfile);
      ChildProcess child(engine.Exe());
      StartSearching(child, engine, what);
      if (quit) child.Send("quit\n");
      auto run = child.FinishWithin(kPromptlyMs);  // closes the input after "quit"
      const std::string label = std::to_string(static_cast<int>(what)) + (quit ? " quit" : " end of input");
      EXPECT_EQ(run.exitCode, 0) << label;
      EXPECT_EQ(run.err, "") << label;
      ASSERT_GE(run.out.size(), kByeBye.size()) << label;
      EXPECT_EQ(run.out.substr(run.out.size() - kByeBye.size()), kByeBye) << label;
      EXPECT_EQ(MoveLines(run.out).size(), what == Searching::Pondering ? 1u : 0u) << label;
    }
  }
}

TEST(EngineSearch, QuitQueuedBehindGoOrAnalyzeSearchesNothing) {
  for (const char* start : {"go\n", "analyze\n"}) {
    EngineInstall engine;
    ChildProcess child(engine.Exe());
    child.Send(std::string("xboard\nnew\n") + start + "quit\n");  // queued while "new" calibrates
    auto run = child.FinishWithin(kPromptlyMs);
    EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + "\n" + std::string(kByeBye))) << start;
    EXPECT_EQ(run.exitCode, 0) << start;
    EXPECT_EQ(run.err, "") << start;
  }
}

TEST(EngineSearch, OverlongLineDuringASearchEndsWithCode2AndNothingAfter) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartSearching(child, engine, Searching::OwnMove);
  child.Send(std::string(300, 'z') + "\nquit\n");
  auto run = child.FinishWithin(kPromptlyMs);
  const std::string fatal = "Error (Fatal - too much input - max is 253 chars) : " + std::string(254, 'z') + "\n";
  ASSERT_GE(run.out.size(), fatal.size());
  EXPECT_EQ(run.out.substr(run.out.size() - fatal.size()), fatal);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "");
}

// Processor time used by the process so far, in clock ticks (user + system).
long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));  // after the command name
  std::string field;
  long utime = 0;
  long stime = 0;
  for (int i = 3; fields >> field; ++i) {
    if (i == 14) utime = std::stol(field);
    if (i == 15) {
      stime = std::stol(field);
      break;
    }
  }
  return utime + stime;
}

long TicksOverASecond(pid_t pid) {
  const long before = CpuTicks(pid);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  return CpuTicks(pid) - before;
}

TEST(EngineSearch, IdleEngineUsesNoProcessorTime) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartXboard(child);
  SendAndWait(child, "bk\n", kBookAnswer);  // answered once the start-up calibration is over
  const long idleAtStart = TicksOverASecond(child.Pid());
  // Waiting for the opponent after its move, without pondering.
  SendAndWaitForStats(child, "new\neasy\ntime 100\ne2e4\n");
  const long idleAfterMove = TicksOverASecond(child.Pid());
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  const long busy = sysconf(_SC_CLK_TCK);  // one core for a second
  EXPECT_LT(idleAtStart, busy / 10);
  EXPECT_LT(idleAfterMove, busy / 10);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineSearch, LongMixedStreamLosesNoCommand) {
  EngineInstall engine(kLogProfile);  // the log's writes share the output lock
  ChildProcess child(engine.Exe());
  const char* const kCommands[] = {
      "time 300", "otim 250", "hint", ".", "post", "nopost", "e2e4", "e7e5", "g1f3", "b8c6", "d2d4", "d7d5",
      "c7c5", "b1c3", "force", "go", "?", "undo", "remove", "hard", "easy", "bk", "draw", "name Stream",
      "rating 1500 1400", "level 40 0:05 0", "random", "white", "black", "result 1/2-1/2 {}", "time 40", "go",
      "analyze", "exit", "e2e4", "g8f6",
  };
  std::mt19937 pick(20240601);  // a fixed stream
  std::uniform_int_distribution<size_t> index(0, std::size(kCommands) - 1);
  size_t dots = 0;
  size_t books = 0;
  child.Send("xboard\nnew\n");
  for (int chunk = 0; chunk < 60; ++chunk) {
    std::string text;
    for (int i = 0; i < 50; ++i) {
      std::string command = kCommands[index(pick)];
      if (chunk % 20 == 19 && i == 25) command = "new";
      dots += command == ".";
      books += command == "bk";
      text += command + "\n";
    }
    // End the chunk with a search running, so that the next one arrives
    // meanwhile: an analysis, or the engine's move on a short clock and the
    // pondering after it.
    text += chunk % 2 == 0 ? "exit\npost\nanalyze\nbk\n" : "exit\nhard\npost\ntime 50\ngo\nbk\n";
    ++books;
    child.Send(text);
    ASSERT_TRUE(child.WaitUntil([&](const std::string& out) { return CountOf(out, kBookAnswer) >= books; }))
        << "chunk " << chunk;
    const size_t answered = child.Output().rfind(kBookAnswer);
    child.WaitUntil(  // a position without moves shows no line: then go on after a while
        [&](const std::string& out) {
          if (out.find(kUnplayable, answered) != std::string::npos) return true;
          const size_t moved = chunk % 2 == 0 ? answered : out.find("AvgMoves/Node", answered);
          return moved != std::string::npos && !ThinkingLines(out, moved).empty();
        },
        5000);
  }
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(CountOf(run.out, kBookAnswer), books);
  EXPECT_EQ(CountOf(run.out, "stat01: "), dots);
  EXPECT_EQ(run.out.substr(run.out.size() - kByeBye.size()), kByeBye);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace morvi::e2e
