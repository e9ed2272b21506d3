// End-to-end: the UCI dialect through real pipes. The first line "uci"
// switches the session; the tests drive it as a UCI GUI does and read the
// engine's identification, options, info lines and exactly one "bestmove"
// per "go". Searches are kept short with "depth", "movetime" or "stop".
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/expected_output.h"
#include "e2e/uci_driver.h"

namespace morvi::e2e {
namespace {

TEST(Uci, FirstLineSwitchesAndIdentifies) {
  UciSession uci;
  const std::string out = Normalised(uci.Output());
  // The answer starts on a line of its own after the console prompt.
  const std::string head = AfterStart(std::string(kPrompt) + "\nid name Morvi 1.19c\nid author ");
  EXPECT_EQ(out.substr(0, head.size()), head);
  for (const char* option :
       {"option name Ponder type check default false\n", "option name OwnBook type check default true\n",
        "option name Move Overhead type spin default 30 min 0 max 5000\n",
        "option name NormalizeS type spin default 10 min 0 max 31\n",
        "option name CastlesFactorS type spin default 10 min 0 max 31\n",
        "option name EarlyEndingCount type spin default 20 min 0 max 100\n",
        "option name FastEvalDepth type spin default -4 min -128 max 128\n",
        "option name OppTimeAdv type spin default 1 min 0 max 1\n",
        "option name RandomTerm type spin default 0 min 0 max 1\n"}) {
    EXPECT_NE(out.find(option), std::string::npos) << option;
  }
  // Ponder, OwnBook, Move Overhead and the 30 configuration keys in use (the
  // four mobility factors are read from the file but used by no term).
  EXPECT_EQ(Count(out, "option name "), 40u);
  EXPECT_NE(out.find("option name Hash type spin default 16 min 0 max 4096\n"), std::string::npos);
  EXPECT_NE(out.find("option name Search type combo default full var full var classic\n"), std::string::npos);
  EXPECT_NE(out.find("option name Threads type spin default 1 min 1 max 256\n"), std::string::npos);
  EXPECT_NE(out.find("option name MultiPV type spin default 1 min 1 max 64\n"), std::string::npos);
  EXPECT_NE(out.find("option name UCI_AnalyseMode type check default false\n"), std::string::npos);
  EXPECT_EQ(Count(out, "MobFactorS"), 0u);
  EXPECT_EQ(out.substr(out.size() - 6), "uciok\n");
  EXPECT_EQ(Count(out, kPrompt), 1u);  // no prompt after the switch
  auto run = uci.Quit();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Count(run.out, "Bye-bye"), 0u);
}

TEST(Uci, ProfileValuesAreTheOptionDefaults) {
  UciSession uci("[Engine]\nRandomFactorS=3\n[Search]\nQSkipMargin=2000000\n");
  EXPECT_NE(uci.Output().find("option name RandomFactorS type spin default 3 min 0 max 31\n"), std::string::npos);
  // A value beyond the usual range widens it.
  EXPECT_NE(uci.Output().find("option name QSkipMargin type spin default 2000000 min 0 max 2000000\n"),
            std::string::npos);
}

TEST(Uci, OnlyTheFirstLineSwitches) {
  EngineInstall engine;
  auto run = engine.Run("help\nuci\nquit\n");
  EXPECT_NE(run.out.find(Unknown("uci")), std::string::npos);
  EXPECT_EQ(run.out.find("uciok"), std::string::npos);
  run = engine.Run("xboard\nuci\nquit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(std::string(kPrompt) + "\n" + Unknown("uci") + std::string(kByeBye)));
}

TEST(Uci, ReadyAfterEverythingBeforeIt) {
  UciSession uci;
  std::string out = uci.Ask("isready", "readyok\n");
  EXPECT_EQ(out, "readyok\n");
  // Bad lines get no answer and leave the engine working.
  for (const char* line : {"", "   \t ", "xyzzy", "position", "position sideways", "setoption",
                           "setoption name", "setoption name NoSuchOption value 3",
                           "setoption name NormalizeS value 99", "setoption name Move Overhead value -5",
                           "setoption name OwnBook value maybe", "debug on", "register later",
                           "e2e4", "help", "new", "position startpos moves e2e4 e2e4 zz"}) {
    uci.Send(line);
  }
  out = uci.Ask("isready", "readyok\n");
  EXPECT_EQ(out, "info string illegal move in position: e2e4\nreadyok\n");
  uci.Send("ucinewgame");
  out = uci.Ask("isready", "readyok\n");
  EXPECT_EQ(out, "readyok\n");
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(Uci, GoWithDepthWritesInfoLinesAndOneBestMove) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  uci.Send("position startpos moves e2e4 e7e5");
  const std::string out = uci.Ask("go depth 3", "bestmove ");
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));
  const std::vector<std::string> lines = Lines(uci.Output().substr(uci.Output().size() - out.size()));
  int depth = 0;
  for (const std::string& line : lines) {
    if (line.rfind("info depth ", 0) != 0) continue;
    ++depth;
    // info depth D seldepth S score cp X nodes N nps N time T pv ...
    EXPECT_EQ(line.find("info depth " + std::to_string(depth) + " seldepth "), 0u) << line;
    for (const char* field : {" score cp ", " nodes ", " nps ", " time ", " pv "}) {
      EXPECT_NE(line.find(field), std::string::npos) << line;
    }
  }
  EXPECT_GE(depth, 3);
  EXPECT_EQ(Count(uci.Output(), "bestmove "), 1u);
  EXPECT_EQ(BestMove(uci.Output()).size(), 4u);
  EXPECT_NE(uci.Output().find(" ponder "), std::string::npos);
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(Uci, ClocksMoveTimeNodesAndHugeNumbers) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  for (const char* go : {"go wtime 3000 btime 3000 winc 100 binc 100", "go wtime 2000 btime 2000 movestogo 2",
                         "go movetime 200", "go nodes 5000", "go depth 2 wtime 99999999999999 btime -5",
                         "go wtime 1 btime 1"}) {
    uci.Send("position startpos moves d2d4");
    const size_t mark = uci.Mark();
    uci.Send(go);
    ASSERT_TRUE(uci.Child().WaitFor("bestmove ", mark)) << go;
    ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove "))) << go;
    EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 1u) << go;
  }
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(Uci, StopEndsInfiniteAndPonderSearchesWithOneBestMove) {
  UciSession uci;
  uci.Send("position startpos");
  uci.Send("go infinite");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 2 "));
  // "isready" during a search is answered at once and does not stop it.
  std::string out = uci.Ask("isready", "readyok\n");
  EXPECT_EQ(Count(out, "bestmove"), 0u);
  out = uci.Ask("stop", "bestmove ");
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));

  uci.Send("position startpos moves e2e4 e7e5");
  size_t mark = uci.Mark();
  uci.Send("go ponder wtime 60000 btime 60000");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 2 ", mark));
  EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove"), 0u);
  out = uci.Ask("stop", "bestmove ");
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));
  EXPECT_EQ(Count(uci.Output(), "bestmove "), 2u);
  // A "stop" with no search running is ignored.
  out = uci.Ask("stop\nisready", "readyok\n");
  EXPECT_EQ(out, "readyok\n");
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(Uci, CommandsSentTogetherEachGetTheirAnswer) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  // A "stop" right behind its "go", before the search begins, still ends it;
  // each of several "go" lines sent at once is answered for its own position.
  const size_t mark = uci.Mark();
  uci.Send("position startpos\ngo infinite\nstop\nposition startpos moves e2e4\ngo depth 1\n"
           "position fen 8/6Pp/6pk/6pp/8/8/8/B3K3 w - - 0 1\ngo ponder wtime 1000 btime 1000\nponderhit\nisready");
  ASSERT_TRUE(uci.Child().WaitUntil([&](const std::string& out) {
    return Count(out.substr(mark), "bestmove ") == 3 && out.back() == '\n';
  }));
  const std::vector<std::string> lines = Lines(uci.Output().substr(mark));
  std::vector<std::string> answers;
  for (const std::string& line : lines) {
    if (line.rfind("bestmove ", 0) == 0) answers.push_back(BestMove(line + "\n"));
  }
  ASSERT_EQ(answers.size(), 3u);
  // A search the next command stopped before it had a move still answers
  // with a legal one.
  EXPECT_NE(answers[0], "0000");
  EXPECT_TRUE(answers[1][1] == '7' || answers[1][1] == '8') << answers[1];  // Black's move after e2e4
  EXPECT_EQ(answers[2], "g7g8n");
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(Uci, PonderHitTurnsThePonderSearchIntoTheRealOne) {
  UciSession uci;
  uci.Send("setoption name OwnBook value false");
  uci.Send("position startpos moves e2e4 e7e5 g1f3");
  const size_t mark = uci.Mark();
  uci.Send("go ponder wtime 2000 btime 2000");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 3 ", mark));
  EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove"), 0u);
  uci.Send("ponderhit");
  // The search now ends by the clock of its "go", without a "stop".
  ASSERT_TRUE(uci.Child().WaitFor("bestmove ", mark));
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));
  EXPECT_EQ(Count(uci.Output().substr(mark), "bestmove "), 1u);
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

TEST(Uci, QuitDuringASearchEndsPromptly) {
  UciSession uci;
  uci.Send("position startpos");
  uci.Send("go infinite");
  ASSERT_TRUE(uci.Child().WaitFor("info depth 3 "));
  auto run = uci.Quit();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
}

TEST(Uci, PositionThatExtendsTheGameKeepsItsBookLine) {
  UciSession uci("[Main]\nDebugFile=morvi.log\n", "e2e4e7e5g1f3b8c6f1b5a7a6\n");
  uci.Send("ucinewgame");
  uci.Send("position startpos");
  std::string out = uci.Ask("go wtime 10000 btime 10000", "bestmove ");
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));
  EXPECT_EQ(BestMove(uci.Output()), "e2e4");
  uci.Send("position startpos moves e2e4 e7e5");
  uci.Ask("go wtime 10000 btime 10000", "bestmove g1f3");
  uci.Send("position startpos moves e2e4 e7e5 g1f3 b8c6");
  uci.Ask("go wtime 10000 btime 10000", "bestmove f1b5");
  // A list that does not extend the game is played from the start again.
  uci.Send("position startpos moves d2d4");
  uci.Ask("isready", "readyok\n");
  auto run = uci.Quit();
  EXPECT_EQ(run.exitCode, 0);
  const std::string book = RecordsOf(uci.Install().Dir().Read("morvi.log"), {"Book"});
  // One book line chosen at start-up, one at "ucinewgame", one for d2d4.
  EXPECT_EQ(Count(book, "At book line"), 3u);
}

TEST(Uci, FenPositionsAndUnderPromotionBothWays) {
  UciSession uci;
  // Only the knight promotion mates.
  const std::string fen = "position fen 8/6Pp/6pk/6pp/8/8/8/B3K3 w - - 0 1";
  uci.Send(fen);
  uci.Ask("go depth 3", "bestmove g7g8n\n");
  EXPECT_NE(uci.Output().find("score mate 1 "), std::string::npos);
  // The GUI's knight promotion mates too: no move is left.
  uci.Send(fen + " moves g7g8n");
  std::string out = uci.Ask("go depth 2", "bestmove ");
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));
  EXPECT_EQ(BestMove(uci.Output()), "0000");
  // Its queen promotion does not.
  uci.Send(fen + " moves g7g8q");
  out = uci.Ask("go depth 2", "bestmove ");
  ASSERT_TRUE(uci.Child().WaitFor("\n", uci.Output().rfind("bestmove ")));
  EXPECT_NE(BestMove(uci.Output()), "0000");
  // A FEN the engine refuses is said, and "go" answers without a move.
  uci.Send("position fen 8/8/8/8/8/8/8/8 w - - 0 1");
  out = uci.Ask("go depth 2", "bestmove 0000\n");
  EXPECT_NE(out.find("info string "), std::string::npos);
  EXPECT_EQ(uci.Quit().exitCode, 0);
}

}  // namespace
}  // namespace morvi::e2e
