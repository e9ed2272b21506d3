// End-to-end: whole games through the pipes as a GUI or a person plays them:
// book and searched moves with their move lines, refused moves, repetition,
// take-backs, game ends, positions set up in edit mode and promotions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/expected_output.h"
#include "e2e/session.h"

namespace morvi::e2e {
namespace {

using test_support::ChildProcess;

TEST(EngineGame, GuiPlaysWhiteAgainstTheEngineFromBookIntoSearch) {
  EngineInstall engine(kLogProfile, kBook);
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nlevel 40 5 0\ntime 30000\notim 30000\n");
  SendAndWaitForStats(child, "e2e4\n");
  SendAndWaitForStats(child, "time 29950\notim 29700\ng1f3\n");
  SendAndWaitForStats(child, "time 29900\notim 29400\nf1c4\n");
  const size_t searched = SendAndWaitForStats(child, "time 500\notim 29100\nc2c3\n");  // the book ends
  child.Send("force\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);

  const std::vector<std::string> moves = MoveLines(run.out, searched);
  ASSERT_EQ(moves.size(), 1u) << run.out;
  ASSERT_EQ(moves[0].substr(0, 7), "4. ... ");
  // Post mode is on after "new": the move is the first of the last line shown.
  const std::vector<std::string> lines = ThinkingLines(run.out.substr(0, run.out.find(moves[0], searched)), searched);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(moves[0].substr(7), LineMoves(lines.back())[0]);
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n1. ... e7e5\n" + std::string(kStats) + "2. ... b8c6\n" + std::string(kStats) +
                       "3. ... f8c5\n" + std::string(kStats) + moves[0] + "\n" + std::string(kStats) +
                       std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  // Five minutes for 40 moves, 5 seconds left at move 4: 500 / 36 * 1.5.
  EXPECT_NE(engine.Log().find("Allocated time: 19 - Calc MPS: 36 - MPS/BASE/INC: 40/30000/0"), std::string::npos);
}

TEST(EngineGame, GuiLetsTheEnginePlayWhiteWithGo) {
  EngineInstall engine({}, kBook);
  ChildProcess child(engine.Exe());
  StartXboard(child);
  // What the GUI sends at the start of a game in which the engine has White.
  SendAndWaitForStats(child, "new\nrandom\nlevel 40 1 0\npost\nhard\nforce\ncomputer\n"
                             "black\ntime 6000\notim 6000\nwhite\ngo\n");
  SendAndWaitForStats(child, "time 5990\notim 5960\ne7e5\n");
  SendAndWaitForStats(child, "time 5980\notim 5920\nb8c6\n");
  child.Send("result 0-1 {White resigns}\nforce\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n" + Unknown("computer") + "1. ... e2e4\n" + std::string(kStats) + "2. ... g1f3\n" +
                       std::string(kStats) + "3. ... f1c4\n" + std::string(kStats) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineGame, RefusedMovesLeaveTheGameUnchanged) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("force\ne2e4\ne7e5\nd1h5\n");
  SendAndWait(child, "d\n", "Board Audit Result");
  // Black to move; the f-pawn is pinned by the queen on h5.
  SendAndWait(child, "f7f6\n", kNotMade);
  SendAndWait(child, "f7f5\n", kNotMade);
  SendAndWait(child, "e7e5\n", kNotFound);  // an empty square
  SendAndWait(child, "h7h5\n", kNotFound);  // a pawn does not take straight ahead
  SendAndWait(child, "g1f3\n", kNotFound);  // not White's turn
  SendAndWait(child, "d\n", "Board Audit Result");
  const size_t search = SendAndWaitForStats(child, "time 100\ngo\n");
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);

  const std::string board = BoardText({"rnbqkbnr", "pppp.ppp", "........", "....p..Q",  //
                                       "....P...", "........", "PPPP.PPP", "RNB.KBNR"});
  const std::vector<std::string> moves = MoveLines(run.out, search);
  ASSERT_EQ(moves.size(), 1u) << run.out;
  EXPECT_EQ(moves[0].substr(0, 7), "2. ... ");  // still Black's second move
  EXPECT_EQ(Skeleton(WithoutPrompts(Normalised(run.out))),
            AfterStart(board + std::string(kNotMade) + std::string(kNotMade) + std::string(kNotFound) +
                       std::string(kNotFound) + std::string(kNotFound) + board + moves[0] + "\n" +
                       std::string(kStats) + std::string(kFarewell) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineGame, ThirdRepetitionIsADrawOnTheLastKnightMove) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nforce\n");
  // 1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1 Ng8 5.Nf3: the position after 1.Nf3
  // occurs for the third time, but it is the oldest repeated one.
  SendAndWait(child, "g1f3\ng8f6\nf3g1\nf6g8\ng1f3\ng8f6\nf3g1\nf6g8\ng1f3\nbk\n", kBookAnswer);
  SendAndWait(child, "g8f6\nbk\n", kBookAnswer);  // 5...Nf6: the third time after 1...Nf6
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n" + std::string(kBookAnswer) + "1/2-1/2 {Draw by repetition}\n" +
                       std::string(kBookAnswer) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

// A GUI that tests claims forfeits a false one: after the rooks' shuffle the
// king-side castling rights are gone, so the position after the last Nf3 has
// stood on the board twice with its rights, not three times.
TEST(EngineGame, NoClaimForAPositionThatStoodTwiceWithTheSameRights) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("xboard\nforce\n");
  SendAndWait(child, "g1f3\ng8f6\nh1g1\nh8g8\ng1h1\ng8h8\nf3g1\nf6g8\ng1f3\ng8f6\nf3g1\nf6g8\ng1f3\nbk\n",
              kBookAnswer);
  SendAndWait(child, "g8f6\nbk\n", kBookAnswer);  // the third time, rights and all, after 3...Rh8
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n" + std::string(kBookAnswer) + "1/2-1/2 {Draw by repetition}\n" +
                       std::string(kBookAnswer) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineGame, TakeBacksKeepMoveNumberAndBook) {
  EngineInstall engine({}, kBook);
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nforce\n");
  SendAndWaitForStats(child, "undo\nremove\ngo\n");   // nothing to take back: move 1 from the start
  SendAndWaitForStats(child, "e7e5\n");               // 2. ... g1f3
  SendAndWaitForStats(child, "force\nremove\ngo\n");  // back to 1.e4: the engine now plays Black
  SendAndWaitForStats(child, "force\nundo\ngo\n");    // 1...e5 again
  SendAndWaitForStats(child, "force\nundo\nundo\nundo\ngo\n");
  child.Send("force\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n1. ... e2e4\n" + std::string(kStats) + "2. ... g1f3\n" + std::string(kStats) +
                       "1. ... e7e5\n" + std::string(kStats) + "1. ... e7e5\n" + std::string(kStats) +
                       "1. ... e2e4\n" + std::string(kStats) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineGame, MatesAndStalemateEndTheGame) {
  struct Case {
    const char* name;
    const char* moves;
    std::string result;
  };
  const Case cases[] = {
      {"engine mates with White", "edit\n#\nKg1\nRa1\nPf2\nPg2\nPh2\nc\nKg8\nPf7\nPg7\nPh7\n.\n",
       "1. ... a1a8\n1-0 {White mates}\n"},
      {"engine mates with Black", "f2f3\ne7e5\ng2g4\n", "2. ... d8h4\n0-1 {Black mates}\n"},
      {"engine mated as White", "f2f3\ne7e5\ng2g4\nd8h4\n", "0-1 {Black mates}\n"},
      {"engine mated as Black", "e2e4\ne7e5\nf1c4\nb8c6\nd1h5\ng8f6\nh5f7\n", "1-0 {White mates}\n"},
      {"engine stalemated", "edit\n#\nKa1\nc\nQb3\nKh8\n.\n", "1/2-1/2 {Stalemate}\n"},
  };
  for (const Case& c : cases) {
    EngineInstall engine;
    ChildProcess child(engine.Exe());
    // A clock on which the search ends between two iterations.
    child.Send(std::string("xboard\nnew\nforce\nlevel 40 5 0\ntime 8000\notim 8000\n") + c.moves);
    SendAndWaitForStats(child, "go\n");
    child.Send("bk\nquit\n");  // the game is over: nothing more from the engine
    auto run = child.FinishWithin(kHangGuardMs);
    EXPECT_EQ(Skeleton(Normalised(run.out)),
              AfterStart(P(1) + "\n" + c.result + std::string(kStats) + std::string(kBookAnswer) +
                         std::string(kByeBye)))
        << c.name;
    EXPECT_EQ(run.exitCode, 0) << c.name;
  }
}

// With 3 seconds left for the rest of the game the search stops at its first
// poll, in an iteration after the one that found the mate: the mate found is
// still the score of the move played, and it is announced.
TEST(EngineGame, MateIsAnnouncedWhenTheClockStopsTheSearch) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nforce\ntime 300\nd2d4\nedit\n#\nKg1\nPf2\nPg2\nPh2\nc\nKg8\nRa8\n.\n");
  SendAndWaitForStats(child, "go\n");
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n1. ... a8a1\n0-1 {Black mates}\n" + std::string(kStats) + std::string(kByeBye)));
  EXPECT_EQ(run.out.find("Score: 0.00"), std::string::npos);
}

TEST(EngineGame, PromotionsPlayThePieceTheyName) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("easy\nforce\ntime 300\n");
  // Only the knight promotion wins the queen: e8=N+ and Nxd6.
  child.Send("edit\n#\nKh1\nPe7\nc\nKg7\nQd6\n.\n");
  const size_t white = SendAndWaitForStats(child, "go\n");
  const size_t whiteBoard = SendAndWait(child, "d\n", "Board Audit Result");
  // The same for Black, one row from the bottom.
  child.Send("edit\n#\nKg2\nQd3\nc\nKh8\nPe2\n.\n");
  const size_t black = SendAndWaitForStats(child, "go\n");
  const size_t blackBoard = SendAndWait(child, "d\n", "Board Audit Result");
  // Typed promotions: a knight, a bishop, a queen (no letter) and a rook.
  child.Send("force\nedit\n#\nKe1\nPa7\nPb7\nc\nKh6\nPh2\nPg2\n.\n");
  const size_t typed = SendAndWait(child, "a7a8n\nh2h1b\nb7b8\ng2g1r\nd\n", "Board Audit Result");
  // The engine's queen promotion has no letter.
  child.Send("edit\n#\nKc1\nPa7\nc\nKh5\n.\n");
  const size_t queen = SendAndWaitForStats(child, "go\n");
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);

  EXPECT_EQ(MoveLines(run.out, white).at(0), "1. ... e7e8n");
  EXPECT_EQ(WithoutPrompts(run.out.substr(whiteBoard, black - whiteBoard)),
            BoardText({"....N...", "......k.", "...q....", "........",  //
                       "........", "........", "........", ".......K"}));
  EXPECT_EQ(MoveLines(run.out, black).at(0), "1. ... e2e1n");
  EXPECT_EQ(WithoutPrompts(run.out.substr(blackBoard, typed - blackBoard)),
            BoardText({".......k", "........", "........", "........",  //
                       "........", "...Q....", "......K.", "....n..."}));
  EXPECT_EQ(WithoutPrompts(run.out.substr(typed, queen - typed)),
            BoardText({"NQ......", "........", ".......k", "........",  //
                       "........", "........", "........", "....K.rb"}));
  EXPECT_EQ(MoveLines(run.out, queen), std::vector<std::string>{"4. ... a7a8"});
  EXPECT_EQ(run.exitCode, 0);
}

TEST(EngineGame, UnplayablePositionIsRefusedOnceAndTheEngineStops) {
  struct Case {
    const char* name;
    const char* pieces;
  };
  const Case cases[] = {
      {"no Black king", "Ke1\nPe2\n"},
      {"side not to move in check", "Ke1\nRe7\nc\nKe8\n"},
  };
  for (const Case& c : cases) {
    EngineInstall engine;
    ChildProcess child(engine.Exe());
    child.Send(std::string("xboard\nnew\nforce\nedit\n#\n") + c.pieces + ".\n");
    SendAndWait(child, "go\n", kUnplayable);
    SendAndWait(child, "bk\n", kBookAnswer);
    SendAndWait(child, "analyze\n", kUnplayable);
    SendAndWait(child, "bk\n", kBookAnswer);
    child.Send("exit\nhard\nquit\n");
    auto run = child.FinishWithin(kHangGuardMs);
    EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + "\n" + std::string(kUnplayable) + std::string(kBookAnswer) +
                                              std::string(kUnplayable) + std::string(kBookAnswer) +
                                              std::string(kByeBye)))
        << c.name;
    EXPECT_EQ(run.exitCode, 0) << c.name;
    EXPECT_EQ(run.err, "") << c.name;
  }
}

TEST(EngineGame, PawnOnAnEdgeRowIsNotPlaced) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  child.Send("xboard\nnew\nforce\ntime 100\nedit\n#\nKe1\nPe8\nPa1\nc\nKe6\n.\n");
  SendAndWaitForStats(child, "go\n");
  child.Send("force\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  const std::vector<std::string> moves = MoveLines(run.out);
  ASSERT_EQ(moves.size(), 1u) << run.out;
  EXPECT_EQ(moves[0].substr(0, 9), "1. ... e1");  // the lone king plays
  const std::string refused = "Error (Add Piece Command refused: pawn on first or last rank)\n";
  EXPECT_EQ(Skeleton(Normalised(run.out)),
            AfterStart(P(1) + "\n" + refused + refused + moves[0] + "\n" + std::string(kStats) +
                       std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace morvi::e2e
