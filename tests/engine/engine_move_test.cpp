// The engine's own move: the move line and move number for either colour,
// promotions, the mate it gives, the repetition it makes, the end of the game
// when it has no move, a move refused, and the statistics of the pass.
#include "engine/engine_move.h"

#include <gtest/gtest.h>

#include "engine/pondering.h"
#include "engine/user_move.h"
#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h
using enum Colour;

class EngineMove : public EngineTest {
 protected:
  // Plays the move the text names as a search hands it over; returns the
  // console text without the three statistics lines that end it.
  static std::string Complete(const char* text, int score) {
    const CommandRecord r = MoveCmd(text);
    return Complete({FindGeneratedMove(r.moveFrom, r.moveTo, r.movePromotion), score});
  }
  static std::string Complete(const SearchResult& result) {
    StdoutCapture capture;
    CompleteEngineMove(result);
    const std::string text = capture.Text();
    const size_t at = text.find("Score: ");
    EXPECT_NE(text.find("\nEvaluations Complete/Medium/Fast: ", at), std::string::npos) << text;
    EXPECT_NE(text.find("\nQSkips/StaticSkips/NullSkips: ", at), std::string::npos) << text;
    return text.substr(0, at);
  }
  static void PlayAll(std::initializer_list<const char*> moves) {
    for (const char* m : moves) ASSERT_EQ(Play(m).console, "") << m;
  }
};

TEST_F(EngineMove, MoveLineAndMoveNumberForEitherColour) {
  Play("e2e4");
  engineState.moveNumber = 12;
  engineState.ponderFinished = true;
  {
    LogTap log;
    EXPECT_EQ(Complete("e7e5", 0), "12. ... e7e5\n");
    const auto records = log.Records("Engine");
    EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + 2),
              (std::vector<std::string>{"12. ... e7e5", "Engine move applied"}));
  }
  EXPECT_EQ(engineState.moveNumber, 13);
  EXPECT_TRUE(engineState.engineActive);
  EXPECT_FALSE(engineState.ponderFinished);
  EXPECT_EQ(openingBook.gameText, "e2e4e7e5");

  engineState.engineColour = kWhite;
  EXPECT_EQ(Complete("g1f3", 0), "13. ... g1f3\n");
  EXPECT_EQ(engineState.moveNumber, 13);
  for (const char* move : {"e7e8n", "e7e8r", "e7e8"}) {
    SetUpGame("k7/4P3/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_EQ(Complete(move, 0), std::string("13. ... ") + move + "\n");
  }
  EXPECT_EQ(position.SquarePiece[Sq("e8")], kQueen);
}

TEST_F(EngineMove, MateInOneIsAnnouncedAfterTheMove) {
  PlayAll({"f2f3", "e7e5", "g2g4"});
  {
    LogTap log;
    EXPECT_EQ(Complete("d8h4", kMateInOneScore), "2. ... d8h4\n0-1 {Black mates}\n");
    EXPECT_EQ(log.Records("Engine")[1], "0-1 {Black mates}");
  }
  EXPECT_FALSE(engineState.engineActive);
  EXPECT_EQ(position.ArchiveCount, 5);

  Clean();
  PlayAll({"e2e4", "e7e5", "d1h5", "b8c6", "f1c4", "g8f6"});
  engineState.engineColour = kWhite;
  EXPECT_EQ(Complete("h5f7", kMateInOneScore), "4. ... h5f7\n1-0 {White mates}\n");
  Clean();
  PlayAll({"f2f3", "e7e5", "g2g4"});
  EXPECT_EQ(Complete("d8h4", kMateInOneScore - 1024), "2. ... d8h4\n");  // mate in two: not announced
  EXPECT_TRUE(engineState.engineActive);
}

TEST_F(EngineMove, RepetitionIsADrawOnlyForTheValueZero) {
  for (int score : {0, 7}) {
    SCOPED_TRACE(score);
    Clean();
    PlayAll({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8", "g1f3"});
    EXPECT_EQ(Complete("g8f6", score), score == 0 ? "5. ... g8f6\n1/2-1/2 {Draw by repetition}\n" : "5. ... g8f6\n");
    EXPECT_EQ(engineState.engineActive, score != 0);
    EXPECT_EQ(position.ArchiveCount, 11);
  }
}

TEST_F(EngineMove, WithoutAMoveTheBoardDecidesTheResult) {
  const char* foolsMate = "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3";
  const char* stalemate = "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1";
  const struct {
    const char* fen;
    Colour engineColour;
    int score;
    const char* line;
  } rows[] = {
      {foolsMate, kWhite, -102400, "0-1 {Black mates}\n"},
      {foolsMate, kWhite, 0, "0-1 {Black mates}\n"},
      {"r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4", kBlack, -102400, "1-0 {White mates}\n"},
      {stalemate, kBlack, 0, "1/2-1/2 {Stalemate}\n"},
      {stalemate, kBlack, -5000, "1/2-1/2 {Stalemate}\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    Clean();
    SetUpGame(row.fen);
    engineState.engineColour = row.engineColour;
    const GameSnapshot before = Snapshot();
    LogTap log;
    EXPECT_EQ(Complete({MakeMoveWord(255, 0, 255, 0), row.score}), row.line);
    EXPECT_FALSE(engineState.engineActive);
    EXPECT_TRUE(Snapshot() == before);
    EXPECT_EQ(log.Records("Engine").size(), 3u);  // the statistics only
  }
}

TEST_F(EngineMove, IllegalResultIsRefused) {
  SetUpGame("4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1");  // the knight is pinned
  engineState.engineColour = kWhite;
  const GameSnapshot before = Snapshot();
  LogTap log;
  EXPECT_EQ(Complete("e2c3", 100), "Error : search ended with illegal move!\n");
  EXPECT_FALSE(engineState.engineActive);
  EXPECT_TRUE(Snapshot() == before);
  EXPECT_EQ(log.Records("Engine")[0], "Error - search ended with illegal move!");
}

TEST_F(EngineMove, StatisticsLinesIn64BitsAndBothForms) {
  SearchCounters& c = searchCounters;
  c.nodes = 5000000000LL;
  c.QSkips = 4, c.NullSkips = 5, c.movesSearched = 9, c.expandedNodes = 4;
  evalStats = {3000000000LL, 2147483648LL, 2, 3};
  engineState.passStart = 1000;
  const std::string rest =
      "Evaluations Complete/Medium/Fast: 2147483648/2/3/ \n"
      "QSkips/StaticSkips/NullSkips: 4/0/5 HashNodes/Hits: 0/0 AvgMoves/Node 2.25\n";
  const struct {
    int clock, score;
    std::string first;
  } rows[] = {
      {3500, 512, "Score: 0.50 Evals/Nodes: 3000000000/5000000000 in 2500 ( 2.50 seconds) 2000000000.00 Nodes/sec\n"},
      {1000, -1536, "Score: -1.50 Evals/Nodes: 3000000000/5000000000 in 0 ( 0.00 seconds) \n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.clock);
    ManualClock::now = row.clock;
    LogTap log;
    StdoutCapture capture;
    ReportPassStatistics(row.score);
    EXPECT_EQ(capture.Text(), row.first + rest);
    EXPECT_EQ(log.Raw(), "    Engine: " + row.first + "    Engine: " + rest.substr(0, rest.find('\n') + 1) +
                             "    Engine: " + rest.substr(rest.find('\n') + 1));
  }
  thinker.startClock = 1000, thinker.nominalDepth = 4, thinker.rootMovesLeft = 7, thinker.rootMoveCount = 20;
  ManualClock::now = 3509;
  StdoutCapture capture;
  ReportStatus();
  EXPECT_EQ(capture.Text(), "stat01: 250 5000000000 4 7 20\n");
}

}  // namespace
}  // namespace morvi
