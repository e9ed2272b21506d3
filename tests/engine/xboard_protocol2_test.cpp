// The xboard session in the protocol's second version: setboard and the
// refused position, ping on and off the engine's move (and during a
// search), the time per move and the depth limit, memory and options, and
// the forms of the engine's move and of refused moves.
#include <gtest/gtest.h>

#include "book/opening_book.h"
#include "engine/engine_state.h"
#include "engine/time_allocation.h"
#include "engine/xboard_output.h"
#include "engine/xboard_session.h"
#include "engine_test_support.h"
#include "search/transposition.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

CommandRecord Arg(CommandId id, const char* argument) {
  return Rec(id, [argument](CommandRecord& r) { r.argument = argument; });
}
CommandRecord Num(CommandId id, int number) {
  return Rec(id, [number](CommandRecord& r) { r.number = number; });
}

class Protocol2Session : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SelectDialect(Dialect::kXboard2);
    // A second at every look at the clock: a "new" that calibrates stops at
    // its first look.
    thinker.clock = StepClock::Read;
    StepClock::step = 1000;
  }
  void TearDown() override {
    config.Hash = 0;
    SizeTableToConfiguration();
    EngineTest::TearDown();
  }
  static std::string Verdict(const CommandRecord& r, morvi::Verdict expected) {
    StdoutCapture capture;
    EXPECT_EQ(XboardVerdict(r), expected);
    return capture.Text();
  }
};

TEST_F(Protocol2Session, SetboardStartsTheGameAfreshFromThePosition) {
  Play("e2e4");
  thinker.pvTable[0][1] = {MakeMoveWord(Sq("e7"), Sq("e5"), kNoPromotion, kPawnMove | kDoubleStep), 0};
  thinker.pvLength[0] = 2;
  openingBook.inBook = true;
  transpositionTable.Resize(1);
  transpositionTable.Store(position.Key, 3, Bound::kExact, 0, kNoMove);
  engineState.analysisDone = true;

  const Outcome out = Execute(Arg(CommandId::kSetboard, "r3k2r/8/8/8/4pP2/8/8/R3K2R b KQkq f3 4 17"));
  EXPECT_EQ(out.console, "");
  EXPECT_EQ(out.log, "Position set: r3k2r/8/8/8/4pP2/8/8/R3K2R b KQkq f3 4 17");
  EXPECT_EQ(position.SideToMove, Colour::kBlack);
  EXPECT_EQ(position.EpSquare, Sq("f3"));
  EXPECT_EQ(position.ArchiveCount, 1);
  EXPECT_EQ(engineState.moveNumber, 17);
  EXPECT_FALSE(openingBook.inBook);
  EXPECT_EQ(openingBook.gameText, "");
  EXPECT_FALSE(transpositionTable.Probe(position.Key).has_value());
  EXPECT_EQ(thinker.pvLength[0], 0);  // no hint or ponder move of the old game
  EXPECT_FALSE(engineState.analysisDone);
  EXPECT_EQ(Play("e4f3").console, "");  // the en-passant capture the FEN allows
}

TEST_F(Protocol2Session, ARefusedPositionRefusesEveryMoveUntilAPlayableOne) {
  const GameSnapshot before = Snapshot();
  Outcome out = Execute(Arg(CommandId::kSetboard, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"));
  EXPECT_EQ(out.console, "");  // a FEN may leave out the move counters
  // A side to move that could take the king is refused in the protocol's
  // quiet form (an analyser of the other side is sent it at every check).
  const std::string dialog = "tellusererror Illegal position: ";
  const std::string quiet = "Error (Illegal position: the side not to move is in check): setboard ";
  const struct {
    const char* fen;
    std::string answer;
  } rows[] = {{"not a fen", dialog},
              {"8/8/8/8/8/8/8/8 w - - 0 1", dialog},
              {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", quiet},
              {"4k3/4R3/8/8/8/8/8/4K2P w - - 0 1", dialog}};  // ... and with a pawn on the first rank too
  for (const auto& row : rows) {
    const char* fen = row.fen;
    SCOPED_TRACE(fen);
    out = Execute(Arg(CommandId::kSetboard, fen));
    EXPECT_EQ(out.console, row.answer + fen + "\n");
    EXPECT_EQ(out.log, std::string("Position refused: ") + fen);
    EXPECT_TRUE(engineState.positionRefused);
    EXPECT_EQ(Play("e1e2").console, "Illegal move (no legal position set up): e1e2\n");
  }
  // Nothing is played from it, "go" or not.
  Execute(Cmd(CommandId::kGo));
  EXPECT_FALSE(xboardSession.RunPass());

  // A position it can play, "edit" and "new" each end the refusal.
  Execute(Arg(CommandId::kSetboard, "4k3/8/8/8/8/8/8/4K3 w - - 0 1"));
  EXPECT_FALSE(engineState.positionRefused);
  Execute(Arg(CommandId::kSetboard, "x"));
  Execute(Cmd(CommandId::kEdit));
  EXPECT_FALSE(engineState.positionRefused);
  Execute(Cmd(CommandId::kEditDone));
  Execute(Arg(CommandId::kSetboard, "x"));
  Execute(Cmd(CommandId::kNew));
  EXPECT_FALSE(engineState.positionRefused);
  EXPECT_TRUE(Snapshot() == before);
}

TEST_F(Protocol2Session, PingIsAnsweredAfterTheEnginesMoveWhenItIsOnMove) {
  // Idle (the engine plays Black, White to move): at once.
  EXPECT_EQ(Execute(Arg(CommandId::kPing, "1")).console, "pong 1\n");
  // On its move: after the pass has played it (a mate in one here).
  SetUpGame("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  engineState.depthLimit = 2;
  Execute(Cmd(CommandId::kGo));
  EXPECT_EQ(Execute(Arg(CommandId::kPing, "2")).console, "");
  StdoutCapture capture;
  EXPECT_TRUE(xboardSession.RunPass());
  const std::string text = capture.Text();
  EXPECT_EQ(text.rfind("move a1a8\n1-0 {White mates}\n", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 7), "pong 2\n");
  EXPECT_TRUE(xboardSession.deferred.empty());
}

TEST_F(Protocol2Session, DuringASearchPingWaitsForTheEnginesOwnMoveOnly) {
  // The engine's own search: answered after it, with a table size and an
  // option that must not change the running search.
  EXPECT_EQ(Verdict(Arg(CommandId::kPing, "3"), morvi::Verdict::kContinue), "");
  EXPECT_EQ(Verdict(Num(CommandId::kMemory, 2), morvi::Verdict::kContinue), "");
  EXPECT_EQ(Verdict(Arg(CommandId::kOption, "NullDepthEnd=1"), morvi::Verdict::kContinue), "");
  EXPECT_EQ(config.NullDepthEnd, 3);
  EXPECT_EQ(transpositionTable.Megabytes(), 0u);
  ASSERT_EQ(xboardSession.deferred.size(), 3u);
  // ... while the time per move and the depth limit are for later moves.
  EXPECT_EQ(Verdict(Num(CommandId::kSt, 2000), morvi::Verdict::kContinue), "");
  EXPECT_EQ(Verdict(Num(CommandId::kSd, 4), morvi::Verdict::kContinue), "");
  EXPECT_EQ(engineState.moveTimeMs, 2000);
  EXPECT_EQ(engineState.depthLimit, 4);
  EXPECT_EQ(Verdict(Arg(CommandId::kSetboard, "8/8/8/8/8/8/8/8 w - - 0 1"), morvi::Verdict::kAbort), "");

  // The pass (nothing to do here) runs what waited, in order.
  engineState.engineActive = false;
  StdoutCapture capture;
  xboardSession.RunPass();
  EXPECT_EQ(capture.Text(), "pong 3\n");
  EXPECT_EQ(transpositionTable.Megabytes(), 2u);
  EXPECT_EQ(config.NullDepthEnd, 1);
  config.NullDepthEnd = 3;

  // Pondering and analysing: at once.
  engineState.pondering = true;
  EXPECT_EQ(Verdict(Arg(CommandId::kPing, "4"), morvi::Verdict::kContinue), "pong 4\n");
  EndPonderSearch(engineState);
  engineState.analysisMode = true;
  EXPECT_EQ(Verdict(Arg(CommandId::kPing, "5"), morvi::Verdict::kContinue), "pong 5\n");
  EXPECT_TRUE(xboardSession.deferred.empty());
}

TEST_F(Protocol2Session, TimePerMoveDepthLimitMemoryAndOptions) {
  EngineState& s = engineState;
  Execute(Num(CommandId::kSt, 1500));
  EXPECT_EQ(MoveTimeDeadlines(s, 1000, 1200).hardMs, 1500 - kMoveOverheadMs - 200);
  EXPECT_EQ(MoveTimeDeadlines(s, -1, 1200).softMs, 1500 - kMoveOverheadMs);
  Execute(Rec(CommandId::kLevel, [](CommandRecord& r) { r.levelMoves = 40; }));
  EXPECT_EQ(s.moveTimeMs, 0);  // a time control replaces it

  EXPECT_EQ(SearchDepthLimit(s), kDepthLimit);
  Execute(Num(CommandId::kSd, 5));
  EXPECT_EQ(SearchDepthLimit(s), 5);
  Execute(Num(CommandId::kSd, 40));
  EXPECT_EQ(SearchDepthLimit(s), kDepthLimit);
  Execute(Num(CommandId::kSt, 3000));
  Execute(Cmd(CommandId::kNew));
  EXPECT_EQ(s.depthLimit, 0);  // "new" ends the depth limit
  EXPECT_EQ(s.moveTimeMs, 3000);  // ... not the time control

  EXPECT_EQ(Execute(Num(CommandId::kMemory, 3)).log, "Memory 3 MB");
  EXPECT_EQ(transpositionTable.Megabytes(), 3u);
  Execute(Num(CommandId::kMemory, 1 << 30));
  EXPECT_EQ(config.Hash, static_cast<int>(kMaxHashMegabytes));
  EXPECT_EQ(Execute(Arg(CommandId::kOption, "Hash=0")).log, "Option set: Hash = 0");
  EXPECT_FALSE(transpositionTable.Enabled());
  EXPECT_EQ(Execute(Arg(CommandId::kOption, "nulldepthend=2")).log, "Option set: NullDepthEnd = 2");
  EXPECT_EQ(config.NullDepthEnd, 2);
  config.NullDepthEnd = 3;
  EXPECT_EQ(Execute(Arg(CommandId::kOption, "OppTimeAdv=2")).log, "Option value refused: OppTimeAdv = 2");
  EXPECT_EQ(Execute(Arg(CommandId::kOption, "KnightMobFactorS=3")).log, "Option refused: KnightMobFactorS=3");
  EXPECT_EQ(Execute(Arg(CommandId::kOption, "Hash")).log, "Option value refused: Hash = ");
}

TEST_F(Protocol2Session, MovesAndRefusalsInTheSecondVersionsForms) {
  const auto written = [](auto write) {
    StdoutCapture capture;
    write();
    return capture.Text();
  };
  const Move queen = MakeMoveWord(Sq("e7"), Sq("e8"), kQueen, kPromotion | kPawnMove);
  const Move knight = MakeMoveWord(Sq("a2"), Sq("a1"), kKnight, kPromotion | kPawnMove | kCapture);
  EXPECT_EQ(written([&] { AnnounceMove(12, queen); }), "move e7e8q\n");
  EXPECT_EQ(written([&] { AnnounceMove(12, knight); }), "move a2a1n\n");
  EXPECT_EQ(written([] { AnnounceIllegalMove(MoveRefusal::kNotFound, Sq("e2"), Sq("e5"), -1); }),
            "Illegal move: e2e5\n");
  EXPECT_EQ(written([] { AnnounceIllegalMove(MoveRefusal::kNotMade, Sq("e7"), Sq("e8"), kRook); }),
            "Illegal move (king left in check or castling through check): e7e8r\n");

  // The first version keeps its own.
  SelectDialect(Dialect::kXboard);
  EXPECT_EQ(written([&] { AnnounceMove(12, queen); }), "12. ... e7e8\n");
  EXPECT_EQ(written([] { AnnounceIllegalMove(MoveRefusal::kNotMade, Sq("e7"), Sq("e8"), kRook); }),
            "Illegal Move: Could not make it\n");
}

}  // namespace
}  // namespace morvi
