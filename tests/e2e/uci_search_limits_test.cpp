// End-to-end: every UCI "go" searches to its own limit, as analysis GUIs and
// match runners drive the engine. Each search starts with nothing left of the
// one before (an analysis GUI's "stop" for every position it shows, a ponder
// miss); a "go" without a limit of the mover's ends by itself; a movetime is
// spent; searchmoves and nodes bound the search; every thinking line is a
// playable line under the depth it was found at; new games cost nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>
#include <thread>
#include <string>
#include <vector>

#include "board/fen.h"
#include "board/position.h"
#include "e2e/uci_driver.h"
#include "support/legal_moves.h"

namespace morvi::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// The fields of an "info depth" line.
struct InfoLine {
  int depth = -1;
  int multipv = 0;
  std::string score;  // "cp 12" or "mate 3"
  long long nodes = -1;
  std::vector<std::string> pv;
};

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
    const size_t end = line.find(' ', at);
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

std::vector<InfoLine> InfoLines(const std::string& text) {
  std::vector<InfoLine> found;
  for (const std::string& line : Lines(text)) {
    if (line.rfind("info depth ", 0) != 0) continue;
    const std::vector<std::string> w = Words(line);
    InfoLine info;
    for (size_t i = 0; i + 1 < w.size(); ++i) {
      if (w[i] == "depth") info.depth = std::stoi(w[i + 1]);
      if (w[i] == "multipv") info.multipv = std::stoi(w[i + 1]);
      if (w[i] == "score") info.score = w[i + 1] + " " + (i + 2 < w.size() ? w[i + 2] : "");
      if (w[i] == "nodes") info.nodes = std::stoll(w[i + 1]);
      if (w[i] == "pv") info.pv.assign(w.begin() + static_cast<long>(i) + 1, w.end());
    }
    found.push_back(info);
  }
  return found;
}

// True when the moves can be played one after the other from the FEN, as
// the engine's own move generator and rules see them.
bool Playable(const std::string& fen, const std::vector<std::string>& moves) {
  auto pos = std::make_unique<Position>();
  if (!LoadFen(*pos, fen)) return false;
  for (const std::string& text : moves) {
    const std::vector<Move> legal = test_support::LegalMoves(*pos);
    const auto named = std::find_if(legal.begin(), legal.end(),
                                    [&](Move move) { return GameMoveText(move, true) == text; });
    UndoRecord undo;
    if (named == legal.end() || pos->MakeMove(*named, undo) == 0) return false;
  }
  return true;
}

// Sends the lines and waits for the "bestmove" line they lead to; returns
// the output from the first line on.
std::string SearchUntilAnswer(UciSession& uci, const std::string& lines, int timeoutMs = 60000) {
  const size_t mark = uci.Mark();
  uci.Send(lines);
  EXPECT_TRUE(uci.Child().WaitUntil(
      [&](const std::string& out) {
        const size_t at = out.find("bestmove ", mark);
        return at != std::string::npos && out.find('\n', at) != std::string::npos;
      },
      timeoutMs))
      << lines;
  return uci.Output().substr(mark);
}

int MillisecondsSince(Clock::time_point start) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

TEST(UciLimits, AnalysisGuiSearchesEveryPositionUntilItsOwnStop) {
  UciSession uci;
  // As an analysis GUI follows the moves entered on its board: each position
  // searched until the user moves on. A ponder search stopped on a miss and a
  // new game in between must leave nothing behind either.
  const char* rounds[] = {"position startpos", "position startpos moves e2e4", "position startpos moves e2e4 e7e5",
                          "ucinewgame\nposition startpos moves d2d4",
                          "position startpos moves d2d4 d7d5\ngo ponder wtime 9000 btime 9000\nstop",
                          "position startpos moves d2d4 d7d5 c2c4"};
  for (const std::string round : rounds) {
    if (round.find("go ponder") != std::string::npos) {
      SearchUntilAnswer(uci, round);  // the ponder search's answer
    } else {
      uci.Send(round);
    }
    const size_t mark = uci.Mark();
    uci.Send("go infinite");
    // Deep enough that it is searching, not answering a stale stop.
    ASSERT_TRUE(uci.Child().WaitFor("info depth 5 ", mark)) << round;
    EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 0u) << round;
    const std::string out = SearchUntilAnswer(uci, "stop");
    EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 1u) << round;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, ClockedSearchAfterAPonderMissSearchesNormally) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  uci.Send("position startpos moves e2e4 e7e5 g1f3");
  size_t mark = uci.Mark();
  uci.Send("go ponder wtime 60000 btime 60000");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 3 ", mark));
  SearchUntilAnswer(uci, "stop");
  // The opponent played another move: the real search runs by its clock.
  const std::string out =
      SearchUntilAnswer(uci, "position startpos moves e2e4 e7e5 d2d4\ngo wtime 60000 btime 60000");
  const std::vector<InfoLine> infos = InfoLines(out);
  ASSERT_FALSE(infos.empty());
  EXPECT_GE(infos.back().depth, 4) << out;
  // Not a search ended at its first poll (every 2048 nodes at most).
  EXPECT_GT(infos.back().nodes, 10 * 2048) << out;
  EXPECT_EQ(Count(out, "bestmove "), 1u);
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, GoWithoutALimitOfTheMoversOwnEnds) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  // Black to move with White's clock only, increments alone, moves to go
  // alone, nothing at all: each search ends by itself, within seconds.
  for (const char* go : {"go wtime 60000", "go winc 100 binc 100", "go movestogo 10", "go"}) {
    const std::string out = SearchUntilAnswer(uci, std::string("position startpos moves e2e4\n") + go, 20000);
    EXPECT_EQ(Count(out, "bestmove "), 1u) << go;
    EXPECT_NE(BestMove(out), "0000") << go;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, MoveTimeIsSpent) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  uci.Send("position startpos moves e2e4 e7e5 g1f3 b8c6");
  uci.Ask("isready", "readyok\n");
  // 1000 ms less the Move Overhead of 30: the answer comes after most of the
  // time (the bounds are wide: a loaded machine may be slow to answer).
  const Clock::time_point start = Clock::now();
  const std::string out = SearchUntilAnswer(uci, "go movetime 1000");
  const int took = MillisecondsSince(start);
  EXPECT_GE(took, 800) << out;
  EXPECT_LT(took, 3000) << out;
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, TheLargestMoveTimeSearchesUntilStop) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  uci.Send("position startpos moves e2e4 e7e5 g1f3 b8c6");
  const size_t mark = uci.Mark();
  uci.Send("go movetime 2147483647");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 5 ", mark));
  EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 0u);
  SearchUntilAnswer(uci, "stop");
  EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 1u);
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, SearchMovesRestrictTheRootMoves) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  std::string out = SearchUntilAnswer(uci, "position startpos\ngo depth 3 searchmoves a2a3");
  EXPECT_EQ(BestMove(out), "a2a3");
  for (const InfoLine& info : InfoLines(out)) EXPECT_EQ(info.pv.at(0), "a2a3");
  // Illegal or unreadable moves in the list are left out...
  out = SearchUntilAnswer(uci, "go depth 3 searchmoves e2e5 h2h3 zz9 wtime 10000");
  EXPECT_EQ(BestMove(out), "h2h3");
  // ... and a list with no legal move restricts nothing.
  out = SearchUntilAnswer(uci, "go depth 2 searchmoves e2e5 e1g1");
  EXPECT_NE(BestMove(out), "0000");
  EXPECT_NE(BestMove(out), "e2e5");
  // The book never plays a move outside the list.
  uci.Send("setoption name OwnBook value true");
  out = SearchUntilAnswer(uci, "position startpos\ngo wtime 10000 btime 10000 searchmoves g2g3");
  EXPECT_EQ(BestMove(out), "g2g3");
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, NodesStopWithinASixteenthOfTheCount) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  for (long long nodes : {1000LL, 20000LL}) {
    const std::string out =
        SearchUntilAnswer(uci, "position startpos moves d2d4\ngo nodes " + std::to_string(nodes));
    const std::vector<InfoLine> infos = InfoLines(out);
    ASSERT_FALSE(infos.empty());
    EXPECT_GE(infos.back().nodes, nodes);
    // One poll interval past the count, and the nodes the search passes
    // while it unwinds.
    EXPECT_LE(infos.back().nodes, nodes + nodes / 16 + 200) << out;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, ThinkingLinesArePlayableUnderTheDepthTheyWereFoundAt) {
  UciSession uci;
  const char* fens[] = {
      "r1bq1rk1/pp3ppp/2n1pn2/2bp4/2P5/2N1PN2/PP1B1PPP/R2QKB1R b KQ - 1 8",
      "r3k2r/pp1nbppp/2p1pn2/q7/2BP4/2N1PN2/PP1Q1PPP/R3K2R w KQkq - 2 11",
      "2r2rk1/pp1q1ppp/2n1pn2/3p4/3P4/2PBPN2/P1Q2PPP/R4RK1 w - - 0 15",
      "8/5pk1/6p1/3P4/2p2P2/2K3P1/8/8 w - - 0 45",
  };
  for (const char* fen : fens) {
    uci.Send(std::string("position fen ") + fen);
    const size_t mark = uci.Mark();
    uci.Send("go infinite");
    ASSERT_TRUE(uci.Child().WaitFor("info depth 7 ", mark)) << fen;
    const std::string answer = SearchUntilAnswer(uci, "stop");
    const std::vector<InfoLine> infos = InfoLines(uci.Output().substr(mark));
    ASSERT_GE(infos.size(), 7u);
    EXPECT_EQ(infos.back().pv.at(0), BestMove(answer));  // the last line shown leads to the move played
    for (const InfoLine& info : infos) {
      EXPECT_FALSE(info.pv.empty());
      EXPECT_TRUE(Playable(fen, info.pv)) << fen << " depth " << info.depth;
    }
    // The line kept after the stop carries the depth it was found at: where
    // it was shown before (the same score and moves), under that depth;
    // otherwise it is the stopped iteration's own.
    const InfoLine& last = infos.back();
    int deepest = 0;
    bool shownBefore = false, shownWithItsDepth = false;
    for (size_t i = 0; i + 1 < infos.size(); ++i) {
      deepest = std::max(deepest, infos[i].depth);
      if (infos[i].score != last.score || infos[i].pv != last.pv) continue;
      shownBefore = true;
      shownWithItsDepth |= infos[i].depth == last.depth;
    }
    EXPECT_TRUE(shownBefore ? shownWithItsDepth : last.depth == deepest)
        << fen << " depth " << last.depth << " score " << last.score;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLimits, NewGamesAreAnsweredAtOnce) {
  // A match runner starts hundreds of games; each new game used to measure
  // the machine again for 0.3 s (300 of them took 90 s).
  UciSession uci;
  std::string games;
  for (int i = 0; i < 300; ++i) games += "ucinewgame\n";
  const Clock::time_point start = Clock::now();
  uci.Send(games + "isready");
  ASSERT_TRUE(uci.Child().WaitFor("readyok\n", 0, 30000));
  EXPECT_LT(MillisecondsSince(start), 30000);
  EXPECT_EQ(uci.Quit().exitCode, 0);

  EngineInstall engine;
  std::string console = "xboard\n";
  for (int i = 0; i < 300; ++i) console += "new\n";
  test_support::ChildProcess xboard(engine.Exe());
  xboard.Send(console + "quit\n");
  const auto run = xboard.FinishWithin(30000);
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace morvi::e2e

namespace morvi::e2e {
namespace {

// The last info line of a search's output.
InfoLine LastInfo(const std::string& text) {
  const std::vector<InfoLine> info = InfoLines(text);
  return info.empty() ? InfoLine{} : info.back();
}

TEST(UciHash, MatesAreFoundWithTheTableAndTheirLinesPlay) {
  UciSession uci;
  uci.Send("setoption name Hash value 64\nsetoption name OwnBook value false");
  const struct {
    const char* fen;
    int depth;
    const char* score;
  } mates[] = {
      {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", 5, "mate 2"},
      {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 6, "mate 3"},
      {"1r6/1p3K1k/p3N3/P6n/6RP/2P5/8/8 w - - 0 1", 8, "mate 4"},
  };
  for (const auto& mate : mates) {
    const std::string out = SearchUntilAnswer(
        uci, "position fen " + std::string(mate.fen) + "\ngo depth " + std::to_string(mate.depth));
    const InfoLine last = LastInfo(out);
    EXPECT_EQ(last.score, mate.score) << out;
    EXPECT_TRUE(Playable(mate.fen, last.pv)) << out;
    ASSERT_FALSE(last.pv.empty()) << out;
    EXPECT_NE(out.find("bestmove " + last.pv.front()), std::string::npos) << out;
  }
}

TEST(UciHash, ASizeChangeTakesEffectBetweenSearchesAndAfterARunningOne) {
  UciSession uci;
  // The classic search, whose node counts with and without a table tell the
  // sizes apart.
  uci.Send("setoption name OwnBook value false\nsetoption name Hash value 0\nsetoption name Search value classic");
  const std::string search = "position startpos moves e2e4 e7e5\ngo depth 6";
  const long long withoutTable = LastInfo(SearchUntilAnswer(uci, search)).nodes;
  uci.Send("setoption name Hash value 16");
  const long long withTable = LastInfo(SearchUntilAnswer(uci, "ucinewgame\n" + search)).nodes;
  EXPECT_LT(withTable, withoutTable);
  // Asked for during a search, the change waits for its end; then the search
  // is the engine's own again, node for node.
  SearchUntilAnswer(uci, "position startpos\ngo infinite\nsetoption name Hash value 0\nstop");
  EXPECT_EQ(LastInfo(SearchUntilAnswer(uci, "ucinewgame\n" + search)).nodes, withoutTable);
}

// Two threads: the answer is a legal move, and a node limit counts the
// nodes of both.
TEST(UciThreads, TwoThreadsAnswerAndCountTheirNodesTogether) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false\nsetoption name Threads value 2");
  const std::string fen = "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8";
  for (long long nodes : {20000LL, 200000LL}) {
    const std::string out = SearchUntilAnswer(uci, "position fen " + fen + "\ngo nodes " + std::to_string(nodes));
    const std::vector<InfoLine> infos = InfoLines(out);
    ASSERT_FALSE(infos.empty());
    EXPECT_GE(infos.back().nodes, nodes);
    // The count is checked at the engine thread's polls, while the helper tells
    // its count every 1024 nodes and searches up to 1024 more before it sees
    // the stop: a poll interval and a few helper intervals past the count.
    EXPECT_LE(infos.back().nodes, nodes + nodes / 8 + 8192) << out;
    EXPECT_TRUE(Playable(fen, {BestMove(out)})) << out;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

// MultiPV 3 in analysis: at every depth three lines, numbered 1 to 3, with
// different first moves, best first, each one that plays.
TEST(UciMultiPv, ThreeDistinctLegalLinesAtEveryDepth) {
  UciSession uci;
  uci.Send("setoption name MultiPV value 3");
  const std::string fen = "r3k2r/pp1nbppp/2p1pn2/q7/2BP4/2N1PN2/PP1Q1PPP/R3K2R w KQkq - 2 11";
  uci.Send("position fen " + fen);
  const size_t mark = uci.Mark();
  uci.Send("go infinite");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 6 ", mark));
  const std::string answer = SearchUntilAnswer(uci, "stop");
  const std::vector<InfoLine> infos = InfoLines(uci.Output().substr(mark));
  ASSERT_GE(infos.size(), 18u);
  for (size_t i = 0; i + 2 < infos.size(); i += 3) {
    std::set<std::string> firsts;
    for (int k = 0; k < 3; ++k) {
      const InfoLine& info = infos[i + k];
      EXPECT_EQ(info.multipv, k + 1) << i;
      EXPECT_EQ(info.depth, infos[i].depth) << i;
      ASSERT_FALSE(info.pv.empty());
      firsts.insert(info.pv.front());
      EXPECT_TRUE(Playable(fen, info.pv)) << info.pv.front();
    }
    EXPECT_EQ(firsts.size(), 3u) << i;
  }
  EXPECT_EQ(BestMove(answer), infos[infos.size() - 3].pv.front());  // line 1's move
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

// A position without a move (mated or stalemated) after a search that found
// several lines: no move, not the lines of the search before.
TEST(UciMultiPv, NoMoveToPlayAfterAnEarlierSearchAnswersTheNullMove) {
  const char* settings[] = {
      "setoption name MultiPV value 3",
      "setoption name UCI_LimitStrength value true\nsetoption name UCI_Elo value 1500",
  };
  const char* positions[] = {
      "position startpos moves f2f3 e7e5 g2g4 d8h4",  // White is mated
      "position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",   // Black is stalemated
  };
  for (const char* setting : settings) {
    for (const char* position : positions) {
      UciSession uci;
      uci.Send(std::string("setoption name OwnBook value false\n") + setting);
      ASSERT_NE(BestMove(SearchUntilAnswer(uci, "position startpos moves e2e4\ngo depth 5")), "0000");
      const std::string out = SearchUntilAnswer(uci, std::string(position) + "\ngo depth 5");
      EXPECT_EQ(BestMove(out), "0000") << setting << " / " << position << "\n" << out;
      EXPECT_TRUE(InfoLines(out).empty()) << setting << " / " << position << "\n" << out;
      EXPECT_EQ(uci.Quit().exitCode, 0);
    }
  }
}

TEST(UciAnalysis, GoMateEndsWithTheMateProven) {
  UciSession uci;
  const std::string out =
      SearchUntilAnswer(uci, "position fen r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1\ngo mate 3");
  EXPECT_EQ(InfoLines(out).back().score, "mate 3") << out;
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

// What an analysis GUI shows: the move being searched once a search has run
// a second, and how full the table is.
TEST(UciAnalysis, CurrentMoveAndHashFullAreShown) {
  UciSession uci;
  uci.Send("position startpos moves e2e4 e7e5");
  const size_t mark = uci.Mark();
  uci.Send("go infinite");
  ASSERT_TRUE(uci.Child().WaitFor("info currmove ", mark));
  SearchUntilAnswer(uci, "stop");
  const std::string out = uci.Output().substr(mark);
  EXPECT_NE(out.find(" currmovenumber "), std::string::npos);
  EXPECT_NE(out.find(" hashfull "), std::string::npos);
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

// Edges GUIs reach: an option set during "go infinite" waits for the end of
// the search, which still waits for "stop"; a first line with a byte-order
// mark; a FEN of the four fields an EPD line has.
TEST(UciEdges, AnOptionDuringInfiniteWaitsForTheSearchsEnd) {
  UciSession uci;
  uci.Send("position startpos");
  const size_t mark = uci.Mark();
  uci.Send("go infinite");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 4 ", mark));
  uci.Send("setoption name MultiPV value 2");
  uci.Ask("isready", "readyok\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 0u);
  SearchUntilAnswer(uci, "stop");
  const std::string out = SearchUntilAnswer(uci, "position startpos moves d2d4\ngo depth 3");
  EXPECT_NE(out.find(" multipv 2 "), std::string::npos) << out;  // the option holds now
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

// pychess analyses with "go movetime": in analysis mode the book stays shut.
TEST(UciEdges, AnalysisModeSearchesBookPositions) {
  UciSession uci;
  uci.Send("setoption name UCI_AnalyseMode value true\nposition startpos");
  const std::string out = SearchUntilAnswer(uci, "go movetime 300");
  EXPECT_EQ(out.find("book move"), std::string::npos) << out;
  EXPECT_FALSE(InfoLines(out).empty()) << out;
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciEdges, AByteOrderMarkBeforeUciAndAFourFieldFen) {
  EngineInstall engine;
  test_support::ChildProcess child(engine.Exe());
  child.Send("\xEF\xBB\xBFuci\n");
  ASSERT_TRUE(child.WaitFor("uciok\n"));
  child.Send("position fen 4k3/8/8/8/8/8/4P3/4K3 w - -\ngo depth 3\n");
  ASSERT_TRUE(child.WaitFor("bestmove "));
  EXPECT_EQ(child.Output().find("refused"), std::string::npos) << child.Output();
  child.Send("quit\n");
  EXPECT_EQ(child.Finish().exitCode, 0);
}

// Strength levels: a level answers a clocked game's moves within the clock,
// with legal lines and only the lines it was asked for; the limit off (with
// a level set), and the highest level, search node for node as the full
// search does.
TEST(UciLevels, ALevelPlaysLegalMovesWithinItsClock) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false\nsetoption name UCI_LimitStrength value true");
  uci.Send("setoption name UCI_Elo value 1500");
  std::string moves;
  for (int ply = 0; ply < 6; ++ply) {
    const std::string fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const std::string out =
        SearchUntilAnswer(uci, "position startpos moves" + moves + "\ngo wtime 3000 btime 3000 winc 100 binc 100", 3000);
    const std::string best = BestMove(out);
    ASSERT_FALSE(best.empty()) << out;
    std::vector<std::string> line = Words(moves);
    line.push_back(best);
    EXPECT_TRUE(Playable(fen, line)) << moves << " " << best;
    for (const InfoLine& info : InfoLines(out)) EXPECT_EQ(info.multipv, 0) << out;  // one line shown
    moves += " " + best;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(UciLevels, TheLimitOffAndTheHighestLevelSearchAsTheFullSearch) {
  const std::string go = "position startpos moves e2e4 c7c5 g1f3\ngo depth 9";
  UciSession plain;
  const std::vector<InfoLine> full = InfoLines(SearchUntilAnswer(plain, go));
  EXPECT_EQ(plain.Quit().exitCode, 0);
  const char* const settings[] = {
      // a low level set, then the limit switched off again
      "setoption name UCI_Elo value 600\nsetoption name UCI_LimitStrength value true\n"
      "setoption name UCI_LimitStrength value false",
      // the limit on at the top of the scale: the full search itself
      "setoption name UCI_LimitStrength value true\nsetoption name UCI_Elo value 2000",
  };
  for (const char* setting : settings) {
    UciSession levelSet;
    levelSet.Send(setting);
    const std::vector<InfoLine> same = InfoLines(SearchUntilAnswer(levelSet, go));
    ASSERT_EQ(full.size(), same.size()) << setting;
    for (size_t i = 0; i < full.size(); ++i) {
      EXPECT_EQ(full[i].nodes, same[i].nodes) << setting << " " << i;
      EXPECT_EQ(full[i].pv, same[i].pv) << setting << " " << i;
    }
    EXPECT_EQ(levelSet.Quit().exitCode, 0);
  }
}

}  // namespace
}  // namespace morvi::e2e
