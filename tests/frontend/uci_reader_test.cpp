// The UCI line reader: the "uci" switch, the record each command word queues,
// the arguments of "go", "position" and "setoption" as they arrive in the
// record, and the lines that must queue nothing.
#include "frontend/uci_reader.h"

#include <climits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "frontend/queue_fixture.h"

namespace morvi {
namespace {

using Moves = std::vector<std::string>;

class UciReaderTest : public QueueTest {
 protected:
  // The one record the line queued (a failure when it queued none or more).
  std::unique_ptr<CommandRecord> Read(std::string_view line) {
    EXPECT_EQ(RecognizeUciLine(line), UciLine::Handled) << line;
    EXPECT_EQ(QueuedCount(), 1u) << line;
    return Posted();
  }
};

TEST(UciSwitch, OnlyTheWordUciAlone) {
  for (const char* line : {"uci", "UCI", "  Uci \t", "uci\r"}) EXPECT_TRUE(IsUciSwitch(line)) << line;
  for (const char* line : {"", "   ", "ucinewgame", "uci now", "u ci", "xboard", "isready"}) {
    EXPECT_FALSE(IsUciSwitch(line)) << line;
  }
}

TEST_F(UciReaderTest, EveryPlainWordQueuesItsCommand) {
  const std::pair<const char*, CommandId> table[] = {
      {"uci", CommandId::kUci},           {"isready", CommandId::kIsready},       {"ucinewgame", CommandId::kUcinewgame},
      {"stop", CommandId::kStop},         {"ponderhit", CommandId::kPonderhit},   {"IsReady", CommandId::kIsready},
      {" \tSTOP  ", CommandId::kStop},    {"UciNewGame\r", CommandId::kUcinewgame}, {"PonderHit", CommandId::kPonderhit},
      {"go", CommandId::kUciGo},         {"position startpos", CommandId::kPosition},
      {"setoption name Ponder value true", CommandId::kSetoption},
  };
  for (const auto& [line, id] : table) EXPECT_EQ(Read(line)->id, id) << line;
}

TEST_F(UciReaderTest, QuitEndsTheSessionAndQueuesNothing) {
  for (const char* line : {"quit", "QUIT", "  Quit\t"}) {
    EXPECT_EQ(RecognizeUciLine(line), UciLine::Quit) << line;
    EXPECT_TRUE(NothingPosted()) << line;
  }
}

TEST_F(UciReaderTest, NonCommandsAndMalformedLinesQueueNothing) {
  const char* lines[] = {
      "", "   \t ", "debug on", "register later", "uciok", "readyok", "xboard", "new", "e2e4",
      "isready2", "gogo depth 3",
      // "setoption" without a name
      "setoption", "setoption value 5", "setoption Hash value 32", "setoption name", "setoption name value 5",
      // "position" without a base
      "position", "position moves e2e4", "position e2e4", "position fen", "position fen moves e2e4",
      "position startposition",
  };
  for (const char* line : lines) {
    EXPECT_EQ(RecognizeUciLine(line), UciLine::Handled) << line;
    EXPECT_TRUE(NothingPosted()) << line;
    ClearQueue();
  }
}

// --- go ---------------------------------------------------------------------

struct GoCase {
  const char* line;
  GoArguments expected;
};

std::ostream& operator<<(std::ostream& out, const GoCase& c) { return out << '"' << c.line << '"'; }

class UciGoTest : public UciReaderTest, public ::testing::WithParamInterface<GoCase> {};

TEST_P(UciGoTest, ArgumentsReachTheRecord) {
  const auto record = Read(GetParam().line);
  ASSERT_EQ(record->id, CommandId::kUciGo);
  const GoArguments& got = record->go;
  const GoArguments& want = GetParam().expected;
  EXPECT_EQ(got.whiteTime, want.whiteTime);
  EXPECT_EQ(got.blackTime, want.blackTime);
  EXPECT_EQ(got.whiteIncrement, want.whiteIncrement);
  EXPECT_EQ(got.blackIncrement, want.blackIncrement);
  EXPECT_EQ(got.movesToGo, want.movesToGo);
  EXPECT_EQ(got.moveTime, want.moveTime);
  EXPECT_EQ(got.depth, want.depth);
  EXPECT_EQ(got.nodes, want.nodes);
  EXPECT_EQ(got.mate, want.mate);
  EXPECT_EQ(got.infinite, want.infinite);
  EXPECT_EQ(got.ponder, want.ponder);
  EXPECT_EQ(got.searchMoves, want.searchMoves);
}

// The expected arguments name only the fields given; the rest keep their
// "not given" defaults.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
INSTANTIATE_TEST_SUITE_P(
    UciReader, UciGoTest,
    ::testing::Values(
        // Nothing given: everything stays "not given".
        GoCase{"go", {}},
        GoCase{"go wtime 300000 btime 299000 winc 2000 binc 1000 movestogo 40",
               {.whiteTime = 300000, .blackTime = 299000, .whiteIncrement = 2000, .blackIncrement = 1000,
                .movesToGo = 40}},
        GoCase{"go movetime 5000", {.moveTime = 5000}},
        GoCase{"go depth 7", {.depth = 7}},
        GoCase{"go nodes 123456", {.nodes = 123456}},
        GoCase{"go mate 3", {.mate = 3}},
        GoCase{"go infinite", {.infinite = true}},
        GoCase{"go ponder wtime 1000 btime 2000", {.whiteTime = 1000, .blackTime = 2000, .ponder = true}},
        GoCase{"go depth +6", {.depth = 6}},
        // Letter case and white space do not matter.
        GoCase{"GO WTime 100 INFINITE", {.whiteTime = 100, .infinite = true}},
        GoCase{"  go\tdepth   5\t\tmovetime  900 ", {.moveTime = 900, .depth = 5}},
        // Numbers beyond 32 bits clamp; the node count is 64 bits wide.
        GoCase{"go wtime 2147483648 btime 99999999999 movetime 4294967296 depth 123456789012",
               {.whiteTime = INT_MAX, .blackTime = INT_MAX, .moveTime = INT_MAX, .depth = INT_MAX}},
        GoCase{"go nodes 99999999999", {.nodes = 99999999999LL}},
        // A negative number reads as zero, never as "not given" (an overrun
        // clock is still a clock).
        GoCase{"go wtime -500 btime -1 winc -10 depth -3 nodes -7",
               {.whiteTime = 0, .blackTime = 0, .whiteIncrement = 0, .depth = 0, .nodes = 0}},
        GoCase{"go wtime -99999999999", {.whiteTime = 0}},
        // A word without its number is skipped; the next word is still read.
        GoCase{"go wtime", {}},
        GoCase{"go wtime btime 5000", {.blackTime = 5000}},
        GoCase{"go depth x movetime - nodes 5k mate", {}},
        GoCase{"go movestogo 1.5 binc 20", {.blackIncrement = 20}},
        // Unknown words and stray numbers are skipped.
        GoCase{"go foo 10 depth 4 bar", {.depth = 4}},
        GoCase{"go wtime 100 frobnicate 7 btime 200", {.whiteTime = 100, .blackTime = 200}},
        // "searchmoves" takes the coordinate moves after it, as typed.
        GoCase{"go searchmoves e2e4 d2d4 g1f3 depth 3", {.depth = 3, .searchMoves = {"e2e4", "d2d4", "g1f3"}}},
        GoCase{"go depth 2 searchmoves e7e8q", {.depth = 2, .searchMoves = {"e7e8q"}}},
        GoCase{"go searchmoves E2E4 infinite", {.infinite = true, .searchMoves = {"E2E4"}}},
        GoCase{"go searchmoves ponder", {.ponder = true}},
        GoCase{"go searchmoves", {}}));
#pragma GCC diagnostic pop

// --- position ---------------------------------------------------------------

constexpr const char* kFenAfterE4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";

TEST_F(UciReaderTest, PositionCarriesItsBaseAndMoves) {
  const std::string fen = kFenAfterE4;
  struct Case {
    std::string line;
    std::string base;
    Moves moves;
  } cases[] = {
      {"position startpos", "startpos", {}},
      {"position startpos moves", "startpos", {}},
      {"position startpos moves e2e4 e7e5 g1f3", "startpos", {"e2e4", "e7e5", "g1f3"}},
      {"POSITION StartPos MOVES E2E4 e7e8Q", "startpos", {"E2E4", "e7e8Q"}},  // moves as typed
      // The FEN keeps its letter case; its six fields are joined by one blank.
      {"position FEN " + fen, fen, {}},
      {"position fen " + fen + " moves e7e5 g1f3", fen, {"e7e5", "g1f3"}},
      {"position\tfen  rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR \tb KQkq  e3 0   1  moves   e7e5 ", fen,
       {"e7e5"}},
      // Fewer fields are handed on as they are: the engine thread checks them.
      {"position fen 8/8/8/8/8/8/8/K6k w", "8/8/8/8/8/8/8/K6k w", {}},
      {"position fen 8/8/8/8/8/8/8/K6k moves a1a2", "8/8/8/8/8/8/8/K6k", {"a1a2"}},
  };
  for (const Case& c : cases) {
    const auto record = Read(c.line);
    EXPECT_EQ(record->id, CommandId::kPosition) << c.line;
    EXPECT_EQ(record->positionBase, c.base) << c.line;
    EXPECT_EQ(record->positionMoves, c.moves) << c.line;
  }
}

// "position fen startpos" has no FEN: the word is read as one and refused by
// the engine, never taken for "position startpos".
TEST_F(UciReaderTest, AFenThatReadsStartposIsStillAFen) {
  EXPECT_EQ(RecognizeUciLine("position fen startpos moves e2e4"), UciLine::Handled);
  auto record = TakeCommand();
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->positionFen);  // refused as a FEN, never the start position
  record = Read("position startpos");
  ASSERT_NE(record, nullptr);
  EXPECT_FALSE(record->positionFen);
}

// --- setoption --------------------------------------------------------------

TEST_F(UciReaderTest, SetOptionKeepsNameAndValueWithInnerBlanks) {
  struct Case {
    const char* line;
    const char* name;
    const char* value;
  } cases[] = {
      {"setoption name Ponder value true", "Ponder", "true"},
      {"setoption name Move Overhead value 100", "Move Overhead", "100"},
      {"setoption name Book File value /home/me/my books/x.bin", "Book File", "/home/me/my books/x.bin"},
      {"setoption name Clear Hash", "Clear Hash", ""},      // a button: no value
      {"setoption name OwnBook value", "OwnBook", ""},      // "value" with nothing after it
      {"SETOPTION NAME Ponder VALUE True", "Ponder", "True"},  // keywords in any case, texts as typed
      {"setoption  name\tMove   Overhead  value  250 ", "Move Overhead", "250"},  // blank runs become one
      {"setoption name NormalizeS value 12 value 13", "NormalizeS", "12 value 13"},  // the first "value" splits
  };
  for (const Case& c : cases) {
    const auto record = Read(c.line);
    EXPECT_EQ(record->id, CommandId::kSetoption) << c.line;
    EXPECT_EQ(record->optionName, c.name) << c.line;
    EXPECT_EQ(record->optionValue, c.value) << c.line;
  }
}

}  // namespace
}  // namespace morvi
