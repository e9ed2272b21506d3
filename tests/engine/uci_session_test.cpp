// The UCI session on its own, driven on the test's thread: records executed,
// the pass that searches a pending "go", and the verdicts on commands that
// arrive during a search (given directly, or through the engine's host at the
// search's polls). Checked: one "bestmove" per "go", legal and in its form;
// answers held by "go infinite" and "go ponder" until released; "stop" and
// "ponderhit" before and during a search; positions extended or set up
// afresh, refused ones and illegal moves; "searchmoves", "mate", "nodes" and
// the book. Searches are kept to a few plies or nodes on small positions.
#include "engine/uci_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

constexpr const char* kPawns = "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1";
constexpr const char* kRookMate = "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1";  // a1a8 mates

// A "go" built up in place: GoArgs().Depth(2).Infinite().
struct GoArgs : GoArguments {
  GoArgs& Depth(int d) { return depth = d, *this; }
  GoArgs& Nodes(long long n) { return nodes = n, *this; }
  GoArgs& Mate(int m) { return mate = m, *this; }
  GoArgs& MoveTime(int ms) { return moveTime = ms, *this; }
  GoArgs& Clocks(int white, int black) { return whiteTime = white, blackTime = black, *this; }
  GoArgs& Infinite() { return infinite = true, *this; }
  GoArgs& Ponder() { return ponder = true, *this; }
  GoArgs& Only(std::vector<std::string> moves) { return searchMoves = std::move(moves), *this; }
};

CommandRecord GoCmd(const GoArguments& go) {
  return Rec(CommandId::kUciGo, [&](CommandRecord& r) { r.go = go; });
}

// "position startpos ..." for the base "startpos", else "position fen BASE ...".
CommandRecord PositionCmd(const std::string& base, const std::vector<std::string>& moves = {}) {
  return Rec(CommandId::kPosition, [&](CommandRecord& r) {
    r.positionBase = base;
    r.positionFen = base != "startpos";
    r.positionMoves = moves;
  });
}

CommandRecord OwnBookOff() {
  return Rec(CommandId::kSetoption, [](CommandRecord& r) { r.optionName = "OwnBook", r.optionValue = "false"; });
}

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

struct Answer {
  std::string move, ponder;
};

// The one "bestmove" line of the output, checked for its form.
Answer OneBestMove(const std::string& out) {
  static const std::regex form("bestmove (0000|[a-h][1-8][a-h][1-8][nbrq]?)( ponder ([a-h][1-8][a-h][1-8][nbrq]?))?");
  Answer answer;
  int count = 0;
  for (const std::string& line : Lines(out)) {
    if (line.rfind("bestmove", 0) != 0) continue;
    ++count;
    std::smatch m;
    EXPECT_TRUE(std::regex_match(line, m, form)) << line;
    if (!m.empty()) answer = {m[1], m[3]};
  }
  EXPECT_EQ(count, 1) << out;
  return answer;
}

// The depths of the "info depth" lines, each checked for its form.
std::vector<int> InfoDepths(const std::string& out) {
  static const std::regex form("info depth (\\d+) seldepth \\d+ score (cp|mate) -?\\d+ nodes \\d+ nps \\d+ time \\d+"
                               "( pv( [a-h][1-8][a-h][1-8][nbrq]?)+)?");
  std::vector<int> depths;
  for (const std::string& line : Lines(out)) {
    if (line.rfind("info depth", 0) != 0) continue;
    std::smatch m;
    EXPECT_TRUE(std::regex_match(line, m, form)) << line;
    if (!m.empty()) depths.push_back(std::stoi(m[1]));
  }
  return depths;
}

// True when `move` is legal in `p` and `reply` (if given) legal after it.
bool Legal(const Position& p, const std::string& move, const std::string& reply = "") {
  const Position kept = position;
  position = p;
  const Move m = UciLegalMove(move);
  UndoRecord undo;
  const bool legal = m != 0 && (reply.empty() || (position.MakeMove(m, undo) != 0 && UciLegalMove(reply) != 0));
  position = kept;
  return legal;
}

class UciSessionTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SelectDialect(Dialect::kUci);
    engineState.postEnabled = true;  // as the engine starts: thinking lines on
  }
  void TearDown() override {
    EngineTest::TearDown();
    SelectDialect(Dialect::kXboard);
  }

  // The console text of one record executed between searches.
  static std::string Run(const CommandRecord& r, std::string* log = nullptr) {
    StdoutCapture capture;
    const std::string text = uciSession.Execute(r);
    if (log != nullptr) *log = text;
    return capture.Text();
  }
  // The console text of one pass (its counters reset first, as the loop does).
  static std::string Pass() {
    ResetSearchCounters();
    engineState.searchAborted = false;
    StdoutCapture capture;
    uciSession.RunPass();
    return capture.Text();
  }
  // The first new game of the process measures the machine: measured here
  // on a clock that lets it end at its first look.
  static void CalibrateAtOnce() {
    StepClock::step = 1000;
    CalibrateHeartbeat(StepClock::Read);
    StepClock::step = 0;
  }
  // A "go" and the pass that searches it.
  static std::string Go(const GoArguments& go) {
    std::string out = Run(GoCmd(go));
    return out + Pass();
  }
  static Verdict VerdictOn(CommandRecord r, std::string* console = nullptr) {
    StdoutCapture capture;
    const Verdict verdict = uciSession.InSearch(r);
    if (console != nullptr) *console = capture.Text();
    return verdict;
  }
};

TEST_F(UciSessionTest, GoDepthAnswersOnceWithALegalMoveAndItsPonderReply) {
  Run(PositionCmd(kPawns));
  const Position root = position;
  const GameSnapshot game = Snapshot();
  for (int depth : {0, 1, 2, 3}) {
    SCOPED_TRACE(depth);
    const std::string out = Go(GoArgs().Depth(depth));
    const std::vector<int> depths = InfoDepths(out);
    ASSERT_FALSE(depths.empty()) << out;
    for (int d : depths) EXPECT_LE(d, std::max(depth, 1));
    EXPECT_EQ(depths.back(), std::max(depth, 1));
    EXPECT_EQ(Lines(out).back().rfind("bestmove ", 0), 0u) << out;
    const Answer answer = OneBestMove(out);
    EXPECT_TRUE(Legal(root, answer.move, answer.ponder)) << out;
    if (depth == 3) {
      EXPECT_NE(answer.ponder, "") << out;
    }
    EXPECT_TRUE(Snapshot() == game);
    EXPECT_EQ(Pass(), "");  // nothing left to answer
  }
}

TEST_F(UciSessionTest, PendingGoIsAnsweredBeforeTheCommandThatFollows) {
  const CommandRecord follows[] = {
      GoCmd(GoArgs().Depth(1)),
      PositionCmd("startpos", {"e2e4"}),
      OwnBookOff(),
      Cmd(CommandId::kUcinewgame),
  };
  CalibrateAtOnce();
  for (const CommandRecord& next : follows) {
    SCOPED_TRACE(static_cast<int>(next.id));
    Run(PositionCmd(kPawns));
    const Position root = position;
    EXPECT_EQ(Run(GoCmd(GoArgs().Depth(1))), "");
    const std::string out = Run(next);
    EXPECT_TRUE(Legal(root, OneBestMove(out).move)) << out;
    const std::string rest = Pass();
    EXPECT_EQ(Count(rest, "bestmove "), next.id == CommandId::kUciGo ? 1 : 0) << rest;
  }
}

TEST_F(UciSessionTest, SearchThatEndsByItselfHoldsItsAnswerUntilReleased) {
  const struct {
    const char* name;
    GoArguments go;
    CommandRecord release;
  } rows[] = {
      {"infinite, stop", GoArgs().Depth(2).Infinite(), Cmd(CommandId::kStop)},
      {"ponder, ponderhit", GoArgs().Depth(2).Ponder(), Cmd(CommandId::kPonderhit)},
      {"ponder, stop", GoArgs().Depth(2).Ponder(), Cmd(CommandId::kStop)},
      {"infinite, position", GoArgs().Depth(2).Infinite(), PositionCmd("startpos", {"d2d4"})},
      {"infinite, go", GoArgs().Depth(2).Infinite(), GoCmd(GoArgs().Depth(1))},
      {"infinite, ucinewgame", GoArgs().Depth(2).Infinite(), Cmd(CommandId::kUcinewgame)},
  };
  CalibrateAtOnce();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Run(PositionCmd(kPawns));
    const Position root = position;
    const std::string searched = Go(row.go);
    EXPECT_FALSE(InfoDepths(searched).empty()) << searched;
    EXPECT_EQ(Count(searched, "bestmove"), 0u) << searched;
    EXPECT_EQ(Run(Cmd(CommandId::kIsready)), "readyok\n");
    EXPECT_EQ(Pass(), "");
    const std::string released = Run(row.release);
    EXPECT_EQ(released.rfind("bestmove ", 0), 0u) << released;
    const Answer answer = OneBestMove(released);
    EXPECT_TRUE(Legal(root, answer.move, answer.ponder)) << released;
    EXPECT_EQ(Count(Pass(), "bestmove "), row.release.id == CommandId::kUciGo ? 1u : 0u);  // the new "go"'s
    EXPECT_EQ(Run(Cmd(CommandId::kStop)), "");  // nothing held any more
  }
}

TEST_F(UciSessionTest, StopOrPonderHitBeforeTheSearchBegins) {
  Run(PositionCmd(kPawns));
  const Position root = position;
  // "stop" behind a "go infinite": answered after the first iteration.
  Run(GoCmd(GoArgs().Infinite()));
  EXPECT_EQ(Run(Cmd(CommandId::kStop)), "");
  std::string out = Pass();
  EXPECT_TRUE(Legal(root, OneBestMove(out).move)) << out;
  EXPECT_EQ(InfoDepths(out).back(), 1) << out;
  // "ponderhit" behind a "go ponder": searched as a real one, answered at its end.
  Run(GoCmd(GoArgs().Depth(2).Ponder()));
  EXPECT_EQ(Run(Cmd(CommandId::kPonderhit)), "");
  out = Pass();
  EXPECT_TRUE(Legal(root, OneBestMove(out).move)) << out;
  EXPECT_EQ(Run(Cmd(CommandId::kStop)), "");
}

// The state of a running search for its "go" (not yet stopped or hit).
UciSearch Running(const GoArguments& go) {
  UciSearch search;
  search.go = go;
  BeginPonderSearch(engineState, go.ponder);
  search.holdBestMove = go.infinite || go.ponder;
  return search;
}

TEST_F(UciSessionTest, VerdictsOnCommandsDuringASearch) {
  UciSearch& search = uciSession.search;
  uciSession.root = position;
  std::string console;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kIsready), &console), Verdict::kContinue);
  EXPECT_EQ(console, "readyok\n");
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kUci), &console), Verdict::kContinue);
  EXPECT_EQ(Lines(console).back(), "uciok");

  // "stop" with a root move: play it now.
  search = Running(GoArgs().Infinite());
  thinker.pvTable[0][0] = {UciLegalMove("e2e4"), 0};
  thinker.pvLength[0] = 1;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kStop)), Verdict::kWrapUp);
  EXPECT_TRUE(search.stopRequested && !search.holdBestMove);
  EXPECT_FALSE(thinker.hardDeadline.set);
  // Without one: go on with both deadlines at the present moment.
  search = Running(GoArgs().Infinite());
  ClearLines(thinker);
  ManualClock::now = 250;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kStop)), Verdict::kContinue);
  EXPECT_TRUE(search.stopRequested && !search.holdBestMove);
  EXPECT_TRUE(thinker.softDeadline.set && thinker.softDeadline.at == 250);
  EXPECT_TRUE(thinker.hardDeadline.set && thinker.hardDeadline.at == 250);

  // "ponderhit": the clock plan of the "go" from now on (a minute each, 30
  // moves: 1999 ms a move, soft 3/5 of it, hard twice it).
  SetDeadlines(thinker, {}, 0);
  search = Running(GoArgs().Clocks(60000, 60000).Ponder());
  ManualClock::now = 700;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kPonderhit)), Verdict::kContinue);
  EXPECT_FALSE(PonderingUnhit(engineState) || search.go.ponder || search.holdBestMove);
  EXPECT_EQ(thinker.softDeadline.at, 700 + 1199);
  EXPECT_EQ(thinker.hardDeadline.at, 700 + 3998);
  // A second one, or one for "go ponder infinite", changes no deadline.
  ManualClock::now = 900;
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kPonderhit)), Verdict::kContinue);
  EXPECT_EQ(thinker.hardDeadline.at, 700 + 3998);
  SetDeadlines(thinker, {}, 0);
  search = Running(GoArgs().Infinite().Ponder());
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kPonderhit)), Verdict::kContinue);
  EXPECT_TRUE(!PonderingUnhit(engineState) && search.holdBestMove);
  EXPECT_FALSE(thinker.softDeadline.set || thinker.hardDeadline.set);

  // Anything else ends the search and stays queued for after it.
  for (CommandId id : {CommandId::kPosition, CommandId::kUciGo, CommandId::kUcinewgame, CommandId::kQuit, CommandId::kNew, CommandId::kUserMove}) {
    search = Running(GoArgs().Infinite());
    EXPECT_EQ(VerdictOn(Cmd(id), &console), Verdict::kAbort) << static_cast<int>(id);
    EXPECT_EQ(console, "") << static_cast<int>(id);
    EXPECT_TRUE(search.holdBestMove && !search.stopRequested) << static_cast<int>(id);
  }
  // "setoption" waits for the search's end and does not end it.
  search = Running(GoArgs().Infinite());
  EXPECT_EQ(VerdictOn(Cmd(CommandId::kSetoption), &console), Verdict::kContinue);
  EXPECT_EQ(console, "");
  EXPECT_TRUE(search.holdBestMove && !search.stopRequested);
}

TEST_F(UciSessionTest, CommandsQueuedDuringTheSearchAreSeenAtItsPolls) {
  Run(PositionCmd("startpos"));
  const Position root = position;
  thinker.heartbeatMask = 0;  // a poll at every node
  // "isready" is answered and the search goes on to its depth.
  Queue(Cmd(CommandId::kIsready));
  std::string out = Go(GoArgs().Depth(2));
  EXPECT_LT(out.find("readyok\n"), out.find("bestmove ")) << out;
  EXPECT_EQ(InfoDepths(out).back(), 2) << out;
  EXPECT_TRUE(Legal(root, OneBestMove(out).move)) << out;
  EXPECT_EQ(QueuedCount(), 0u);
  // "stop" at the first poll of a "go infinite": answered at its first root move.
  Queue(Cmd(CommandId::kStop));
  out = Go(GoArgs().Infinite());
  EXPECT_TRUE(Legal(root, OneBestMove(out).move)) << out;
  EXPECT_EQ(QueuedCount(), 0u);
  EXPECT_EQ(Run(Cmd(CommandId::kStop)), "");
  // Another command aborts before any root move: the answer is still a legal
  // move (one of "searchmoves" when given), and the command stays queued.
  for (const char* only : {"", "h2h3"}) {
    SCOPED_TRACE(only);
    Queue(PositionCmd("startpos", {"e2e4"}));
    GoArgs go = GoArgs().Depth(3).Infinite();
    if (*only != '\0') go.Only({only});
    out = Go(go);
    EXPECT_TRUE(engineState.searchAborted);
    EXPECT_TRUE(Legal(root, OneBestMove(out).move)) << out;
    if (*only != '\0') {
      EXPECT_EQ(out, "bestmove h2h3\n");
    }
    ASSERT_EQ(QueuedCount(), 1u);
    EXPECT_EQ(TakeCommand()->id, CommandId::kPosition);
  }
}

TEST_F(UciSessionTest, PositionExtendsTheGameOnTheBoardOrSetsUpAfresh) {
  const auto run = [](const CommandRecord& r, bool* setUp) {
    LogTap log;
    std::string text;
    EXPECT_EQ(Run(r, &text), "");
    EXPECT_EQ(text, "Position set");
    *setUp = !log.Records("Book").empty();  // a start position opens the book again
  };
  bool setUp = false;
  run(PositionCmd("startpos", {"e2e4", "e7e5"}), &setUp);
  EXPECT_TRUE(setUp);
  const int start = position.ArchiveCount - 2;
  run(PositionCmd("startpos", {"e2e4", "e7e5", "g1f3"}), &setUp);
  EXPECT_FALSE(setUp);
  EXPECT_EQ(position.ArchiveCount, start + 3);
  EXPECT_EQ(position.SquarePiece[Sq("f3")], kKnight);
  EXPECT_EQ(engineState.moveNumber, 2);
  EXPECT_EQ(uciSession.moves, (std::vector<std::string>{"e2e4", "e7e5", "g1f3"}));
  // Other moves, or fewer: played from the start again.
  run(PositionCmd("startpos", {"d2d4"}), &setUp);
  EXPECT_TRUE(setUp);
  EXPECT_EQ(position.ArchiveCount, start + 1);
  EXPECT_EQ(position.SquarePiece[Sq("e2")], kPawn);
  run(PositionCmd("startpos"), &setUp);
  EXPECT_TRUE(setUp);
  EXPECT_EQ(position.ArchiveCount, start);
  // A FEN's move number is kept.
  Run(PositionCmd("4k3/8/8/8/8/8/4P3/4K3 b - - 3 41", {"e8d7", "e2e4"}));
  EXPECT_EQ(engineState.moveNumber, 42);
}

TEST_F(UciSessionTest, IllegalMoveEndsTheListThere) {
  Run(PositionCmd("startpos"));
  const int start = position.ArchiveCount;
  EXPECT_EQ(Run(PositionCmd("startpos", {"e2e4", "e2e4", "g1f3"})), "info string illegal move in position: e2e4\n");
  EXPECT_EQ(uciSession.moves, (std::vector<std::string>{"e2e4"}));
  EXPECT_EQ(position.ArchiveCount, start + 1);
  for (const std::string bad : {"zz", "e7e5x", "e7e8q", "e7e5e"}) {
    EXPECT_EQ(Run(PositionCmd("startpos", {"e2e4", bad})), "info string illegal move in position: " + bad + "\n");
  }
  // The next list goes on from the moves that were played.
  EXPECT_EQ(Run(PositionCmd("startpos", {"e2e4", "e7e5"})), "");
  EXPECT_EQ(position.ArchiveCount, start + 2);
}

TEST_F(UciSessionTest, RefusedPositionIsAnsweredWithoutAMove) {
  Run(PositionCmd(kPawns));
  for (const char* fen : {"garbage", "garbage", "8/8/8/8/8/8/8/8 w - - 0 1", "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1"}) {
    SCOPED_TRACE(fen);
    std::string log;
    EXPECT_EQ(Run(PositionCmd(fen, {"e2e4"}), &log), "info string position refused: " + std::string(fen) + "\n");
    EXPECT_EQ(log, "Position refused");
    EXPECT_FALSE(uciSession.positionValid);
    EXPECT_EQ(Go(GoArgs().Depth(1)), "info string illegal position - the engine cannot play it\nbestmove 0000\n");
  }
  Run(PositionCmd("startpos"));
  EXPECT_TRUE(uciSession.positionValid);
  EXPECT_TRUE(Legal(position, OneBestMove(Go(GoArgs().Depth(1))).move));
}

TEST_F(UciSessionTest, SearchMovesRestrictTheRootUnlessNoneIsLegalAndMateLimitsTheDepth) {
  Run(PositionCmd(kRookMate));
  const struct {
    std::vector<std::string> moves;
    const char* best;
  } rows[] = {
      {{"g1f1"}, "g1f1"}, {{"g1f1", "a1a8"}, "a1a8"}, {{"h2h4", "zz", "a1a9"}, "a1a8"}, {{}, "a1a8"}};
  for (const auto& row : rows) {
    const std::string out = Go(GoArgs().Depth(2).Only(row.moves));
    EXPECT_EQ(OneBestMove(out).move, row.best) << out;
    EXPECT_EQ(thinker.rootFilterCount, 0);
  }
  // "go mate 1" searches two plies.
  const std::string out = Go(GoArgs().Mate(1));
  for (int d : InfoDepths(out)) EXPECT_LE(d, 2);
  EXPECT_NE(out.find(" score mate 1 "), std::string::npos) << out;
  EXPECT_EQ(Lines(out).back(), "bestmove a1a8");
}

TEST_F(UciSessionTest, GoNodesStopsWithinASixteenthPastTheCount) {
  Run(PositionCmd("startpos", {"d2d4"}));
  for (long long nodes : {1000LL, 20000LL}) {
    const std::string out = Go(GoArgs().Nodes(nodes));
    OneBestMove(out);
    EXPECT_GE(searchCounters.nodes, nodes);
    EXPECT_LE(searchCounters.nodes, nodes + nodes / 16 + 200);  // plus the nodes left while it unwinds
    EXPECT_EQ(thinker.nodeLimit, 0);
    EXPECT_EQ(thinker.heartbeatMask, 0x3fffffff);
  }
  // The poll interval is a power of two no longer than a sixteenth of the count.
  for (long long nodes = 1; nodes < 200000; nodes = nodes * 3 + 1) {
    const int mask = NodeLimitMask(nodes, 2047);
    EXPECT_EQ(mask & (mask + 1), 0) << nodes;
    EXPECT_LE(mask + 1, std::max(nodes / 16, 1LL)) << nodes;
    EXPECT_TRUE(mask == 2047 || 2 * (mask + 1) > nodes / 16) << nodes;
  }
}

TEST_F(UciSessionTest, BookMoveOnlyWithOwnBookOnATimedGo) {
  const std::string saved = config.bookPath;
  config.bookPath = "/tmp/morvi-uci-session-test.book";
  std::ofstream(config.bookPath) << "a2a3\n";
  Run(PositionCmd("startpos"));
  EXPECT_EQ(Go(GoArgs().MoveTime(1000).Depth(1)),
            "info string book move\ninfo depth 0 score cp 0 nodes 0 nps 0 time 0 pv a2a3\nbestmove a2a3\n");
  std::string out = Go(GoArgs().Depth(1));  // no clock, no book
  EXPECT_EQ(Count(out, "book move"), 0u) << out;
  std::string log;
  Run(OwnBookOff(), &log);
  EXPECT_EQ(log, "Option set: OwnBook = false");
  Run(PositionCmd("startpos"));
  out = Go(GoArgs().MoveTime(1000).Depth(1));
  EXPECT_EQ(Count(out, "book move"), 0u) << out;
  EXPECT_GT(searchCounters.nodes, 0);
  OneBestMove(out);
  std::remove(config.bookPath.c_str());
  config.bookPath = saved;
}

TEST_F(UciSessionTest, NewGameStartsFromTheStartPosition) {
  CalibrateAtOnce();
  Run(PositionCmd("garbage"));
  std::string log;
  EXPECT_EQ(Run(Cmd(CommandId::kUcinewgame), &log), "");
  EXPECT_EQ(log, "New game");
  EXPECT_TRUE(uciSession.positionValid);
  EXPECT_EQ(uciSession.base, "startpos");
  EXPECT_TRUE(uciSession.moves.empty());
  // The game begun: a "position startpos" with moves only extends it.
  LogTap tap;
  Run(PositionCmd("startpos", {"e2e4"}));
  EXPECT_TRUE(tap.Records("Book").empty());
  EXPECT_EQ(position.SquarePiece[Sq("e4")], kPawn);
  const Answer answer = OneBestMove(Go(GoArgs().Depth(1)));
  EXPECT_TRUE(Legal(position, answer.move, answer.ponder));
}

}  // namespace
}  // namespace morvi
