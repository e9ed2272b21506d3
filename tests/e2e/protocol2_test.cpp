// End-to-end: the xboard protocol's second version as a GUI that says
// "protover 2" drives it: the features, ping and pong in step with the
// engine's own search and its pondering, positions by setboard, moves by
// usermove, "move M", fixed time and depth, the table's memory and the
// options; and what a session that never says "protover" keeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/expected_output.h"
#include "e2e/session.h"

namespace morvi::e2e {
namespace {

using test_support::ChildProcess;

// The answer to "protover 2" with the shipped defaults (Hash as given).
std::string Features(int hash = 16) {
  std::string text =
      "feature ping=1 setboard=1 usermove=1 time=1 draw=1 sigint=0 sigterm=0 reuse=1 analyze=1 colors=0 name=1 "
      "memory=1 nps=0\n"
      "feature myname=\"Morvi 1.19c\" variants=\"normal\"\n"
      "feature option=\"Search -combo *full /// classic\"\n"
      "feature option=\"UCI_LimitStrength -check 0\"\n"
      "feature option=\"UCI_Elo -spin 2000 500 2000\"\n";
  const char* options[] = {
      "NormalizeS -spin 10 0 31",         "MaterialFactorS -spin 10 0 31",    "RandomFactorS -spin 9 0 31",       "RandomTerm -spin 0 0 1",
      "PosPawnFactorS -spin 8 0 31",      "PosBishopFactorS -spin 8 0 31",    "PosKnightFactorS -spin 8 0 31",
      "PosRookFactorS -spin 8 0 31",      "PosKingFactorS -spin 8 0 31",      "TwoBishopFactorS -spin 10 0 31",
      "RatioFactorS -spin 10 0 31",       "RookPairFactorS -spin 10 0 31",    "CastlesFactorS -spin 10 0 31",
      "BishopTrapFactorS -spin 10 0 31",  "KnightOutpostFactorS -spin 10 0 31", "BishopOutpostFactorS -spin 10 0 31",
      "DevFactorS -spin 10 0 31",         "KingAttackFactorS -spin 10 0 31",  "HotSpotFactorS -spin 10 0 31",
      "SoloQueenFactorS -spin 10 0 31",   "OpeningCount -spin 7 0 16",        "EarlyEndingCount -spin 20 0 100",
      "LateEndingCount -spin 12 0 100",   "NullDepthStart -spin 0 -128 128",  "NullDepthEnd -spin 3 -128 128",
      "FastEvalDepth -spin -4 -128 128",  "MediumEvalDepth -spin -2 -128 128", "QSkipMargin -spin 512 0 1000000",
      "AspirationWindow -spin 1024 0 1000000", "OppTimeAdv -spin 1 0 1",
  };
  for (const char* option : options) text += "feature option=\"" + std::string(option) + "\"\n";
  text += "feature option=\"Hash -spin " + std::to_string(hash) + " 0 4096\"\n";
  text += "feature option=\"Threads -spin 1 1 256\"\nfeature option=\"MultiPV -spin 1 1 64\"\n";
  return text + "feature done=1\n";
}

// "xboard" and "protover 2", then the features.
void StartProtocol2(ChildProcess& child) {
  child.Send("xboard\nprotover 2\n");
  EXPECT_TRUE(child.WaitFor("feature done=1\n")) << child.Output();
}

// The lines of the output from offset `from` on that begin with `lead`.
std::vector<std::string> LinesStarting(const std::string& out, std::string_view lead, size_t from = 0) {
  std::vector<std::string> lines;
  for (size_t at = from; at < out.size();) {
    const size_t end = out.find('\n', at);
    const std::string line = out.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (line.rfind(lead, 0) == 0) lines.push_back(line);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

TEST(Protocol2, ProtoverIsAnsweredWithTheFeaturesAtOnce) {
  EngineInstall engine;
  auto run = engine.Run("xboard\nprotover 2\nquit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + "\n" + Features() + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);

  // The options carry the values the configuration file gives.
  EngineInstall hashed("[Search]\nHash=64\n");
  EXPECT_NE(hashed.Run("xboard\nprotover 3\nquit\n").out.find(Features(64)), std::string::npos);
}

TEST(Protocol2, WithoutProtoverTwoTheFirstVersionStays) {
  EngineInstall engine;
  // Before "xboard" (at the console) and below version 2 "protover" is unknown,
  // and so are the second version's commands.
  auto run = engine.Run("protover 2\nxboard\nprotover 1\nping 1\nusermove e2e4\nst 5\nquit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + Unknown("protover 2") + P(1) + "\n" + Unknown("protover 1") +
                                            Unknown("ping 1") + Unknown("usermove e2e4") + Unknown("st 5") +
                                            std::string(kByeBye)));
}

TEST(Protocol2, AnswersAndRefusalsTakeTheSecondVersionsForms) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  // The engine thread's refusals: a move not among the generated ones, and a
  // pinned pawn's. GUI answers and resources are taken in silence.
  size_t from = child.Output().size();
  child.Send("accepted ping\nrejected san\ncomputer\nics -\ncores 1\nnew\nforce\nusermove e2e4\ne7e5\n"
             "usermove e1e3\nd1h5\nusermove f7f6\nping 5\n");
  ASSERT_TRUE(child.WaitFor("pong 5\n", from)) << child.Output();
  EXPECT_EQ(Normalised(child.Output().substr(from)),
            "Illegal move: e1e3\nIllegal move (king left in check or castling through check): f7f6\npong 5\n");
  // The input thread's: a move of no form, an unknown command.
  from = SendAndWait(child, "usermove e9e4\nfoo bar\n", "Error (unknown command): foo bar\n");
  EXPECT_EQ(child.Output().substr(from), "Illegal move: e9e4\nError (unknown command): foo bar\n");
  child.Send("quit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  EXPECT_EQ(run.out.substr(run.out.size() - kByeBye.size()), kByeBye);
  EXPECT_EQ(run.exitCode, 0);
}

TEST(Protocol2, PingIsAnsweredOnceEverythingBeforeItIsDone) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  SendAndWait(child, "ping 1\n", "pong 1\n");  // idle

  // On the engine's move the answer follows the move, and with it its
  // statistics.
  size_t from = SendAndWait(child, "new\npost\nst 1\nusermove e2e4\nping 2\n", "pong 2\n");
  const std::string out = child.Output();
  const size_t move = out.find("\nmove ", from);
  ASSERT_NE(move, std::string::npos) << out.substr(from);
  EXPECT_LT(out.find("\nQSkips/StaticSkips/NullSkips: ", move), out.find("pong 2\n", from));

  // Pondering (the thinking lines go on after the move): at once, the ponder
  // search left running until "force" stops it.
  ASSERT_TRUE(WaitForThinking(child, out.find("pong 2\n", from)));
  from = SendAndWait(child, "ping 3\n", "pong 3\n");
  SendAndWait(child, "force\nping 4\n", "pong 4\n");
  EXPECT_TRUE(LinesStarting(child.Output(), "move ", from).empty()) << child.Output().substr(from);
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
  const std::string log = engine.Log();
  EXPECT_LT(log.find("START PONDERING"), log.find("ABORT PONDERING"));
}

TEST(Protocol2, SetboardSetsUpThePositionOrRefusesIt) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  // A mate in one: the engine plays it as "move" and says so.
  size_t from = SendAndWaitForStats(child, "new\nforce\nsetboard 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\ngo\n");
  EXPECT_EQ(LinesStarting(child.Output(), "move ", from), std::vector<std::string>{"move a1a8"});
  EXPECT_NE(child.Output().find("1-0 {White mates}\n", from), std::string::npos);

  // No position (an empty board; a side to move that could take the king;
  // no FEN at all): refused, and every move after it too, until a position
  // the engine can play.
  // A side to move that could take the king, the one fault, is refused in
  // the protocol's quiet form (pychess's analyser of the other side's moves
  // is sent such a position at every check); the others with a message box.
  const std::string dialog = "tellusererror Illegal position: ";
  const std::string quiet = "Error (Illegal position: the side not to move is in check): setboard ";
  const struct {
    const char* fen;
    std::string answer;
  } rows[] = {{"8/8/8/8/8/8/8/8 w - - 0 1", dialog}, {"4k3/4R3/8/8/8/8/8/4K3 w - - 0 1", quiet}, {"banana", dialog}};
  for (const auto& row : rows) {
    const char* fen = row.fen;
    from = SendAndWait(child, std::string("setboard ") + fen + "\n", row.answer + fen + "\n");
    SendAndWait(child, "usermove e1d1\nping 6\n", "pong 6\n");
    EXPECT_NE(child.Output().find("Illegal move (no legal position set up): e1d1\n", from), std::string::npos) << fen;
  }
  from = SendAndWait(child, "go\nping 7\n", "pong 7\n");
  from = SendAndWaitForStats(child, "setboard k7/4P3/1K6/8/8/8/8/8 w - - 0 1\n");
  // The engine was told "go" while refused: it plays White now, its promotion
  // written with its letter.
  EXPECT_EQ(LinesStarting(child.Output(), "move ", from), std::vector<std::string>{"move e7e8q"});
  EXPECT_NE(child.Output().find("1-0 {White mates}\n", from), std::string::npos);
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
}

TEST(Protocol2, StSearchesEveryMoveWithinItsSeconds) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  const size_t from = SendAndWaitForStats(child, "new\nst 1\nusermove e2e4\n");
  EXPECT_EQ(LinesStarting(child.Output(), "move ", from).size(), 1u);
  // "Score: S Evals/Nodes: E/N in MS (...": the engine's own time for the move.
  const std::vector<std::string> score = LinesStarting(child.Output(), "Score: ", from);
  ASSERT_EQ(score.size(), 1u);
  const int ms = std::stoi(score[0].substr(score[0].find(" in ") + 4));
  EXPECT_LE(ms, 1000) << score[0];
  // The time is counted from the move's arrival (the engine may still have
  // been starting then).
  EXPECT_NE(engine.Log().find("Search time per move: 1000 ms, to "), std::string::npos);
  child.Send("force\nquit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
}

TEST(Protocol2, SdLimitsTheDepthOfTheEnginesSearch) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  const size_t from = SendAndWaitForStats(child, "new\npost\neasy\nsd 3\nusermove e2e4\n");
  const std::vector<std::string> lines = ThinkingLines(child.Output(), from);
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) EXPECT_LE(std::stoi(line), 3) << line;
  EXPECT_EQ(std::stoi(lines.back()), 3);
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
}

TEST(Protocol2, MemoryAndOptionsSetTheTableAndTheKeys) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  SendAndWait(child, "memory 16\noption NullDepthEnd=2\noption Hash=8\noption Nonsense=1\noption OpeningCount=99\n"
                     "ping 1\n",
              "pong 1\n");
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
  const std::string log = engine.Log();
  for (const char* record : {"Hash table 16 MB", "Memory 16 MB", "Option set: NullDepthEnd = 2", "Hash table 8 MB",
                             "Option refused: Nonsense=1", "Option value refused: OpeningCount = 99"}) {
    EXPECT_NE(log.find(record), std::string::npos) << record;
  }
}

// A GUI that speaks the second version gets no banner (xboard shows every
// "telluser" in a dialog); the first version and the console keep it.
TEST(Protocol2, TheBannerIsWrittenOnlyOutsideTheSecondVersion) {
  EngineInstall engine;
  const struct {
    const char* input;
    size_t banners;
  } rows[] = {{"xboard\nprotover 2\nquit\n", 0}, {"xboard\nnew\nquit\n", 1}, {"help\nquit\n", 1}, {"", 1}};
  for (const auto& row : rows) {
    EXPECT_EQ(CountOf(engine.Run(row.input).out, kEngineBanner), row.banners) << row.input;
  }
}

// xboard sends "random" before every game: the second version takes it in
// silence, so the random term stays as the RandomTerm option left it.
TEST(Protocol2, RandomIsTakenInSilenceAndTheRandomTermIsAnOption) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  SendAndWait(child, "new\nrandom\nnew\nrandom\nping 1\n", "pong 1\n");
  SendAndWait(child, "option RandomTerm=1\nping 2\n", "pong 2\n");
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
  const std::string log = engine.Log();
  EXPECT_EQ(log.find("Random set to"), std::string::npos);
  EXPECT_NE(log.find("Option set: RandomTerm = 1"), std::string::npos);
}

// A clock that has run out ("time -150") makes the engine move at once, and
// an increment with a fraction is taken to the centisecond.
TEST(Protocol2, ANegativeClockMovesAtOnceAndFractionalIncrementsAreRead) {
  EngineInstall engine(kLogProfile);
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  const size_t from = SendAndWaitForStats(child, "new\nlevel 0 1 0.5\ntime -150\notim 6000\nusermove d2d4\n");
  EXPECT_EQ(LinesStarting(child.Output(), "move ", from).size(), 1u);
  const std::vector<std::string> score = LinesStarting(child.Output(), "Score: ", from);
  ASSERT_EQ(score.size(), 1u);
  EXPECT_LT(std::stoi(score[0].substr(score[0].find(" in ") + 4)), 500) << score[0];
  // With time left the classic search's allocation shows the increment.
  SendAndWaitForStats(child, "option Search=classic\ntime 6000\nusermove c2c4\n");
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
  EXPECT_NE(engine.Log().find("Engine: Level 0 60 0.500"), std::string::npos);
  EXPECT_NE(engine.Log().find("MPS/BASE/INC: 0/6000/50"), std::string::npos);
}

// Every position that truly stands for the third time is claimed, the
// start position too (the first version never claims it: it is the oldest
// entry of its repetition list).
TEST(Protocol2, EveryTrueThirdRepetitionIsClaimed) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  const std::string claim = "1/2-1/2 {Draw by repetition}\n";
  size_t from = SendAndWait(child, "new\nforce\ng1f3\ng8f6\nf3g1\nf6g8\ng1f3\ng8f6\nf3g1\nping 1\n", "pong 1\n");
  EXPECT_EQ(child.Output().find(claim, from), std::string::npos);
  from = SendAndWait(child, "f6g8\nping 2\n", "pong 2\n");
  EXPECT_EQ(child.Output().substr(from), claim + "pong 2\n");
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
}

// Mates in the thinking lines in xboard's form, which it shows as "#N".
TEST(Protocol2, MatesAreShownInXboardsForm) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  const size_t from =
      SendAndWaitForStats(child, "new\nforce\npost\nsd 4\nsetboard 1r4k1/5ppp/8/8/8/8/3R1PPP/3R2K1 w - - 0 1\ngo\n");
  bool shown = false;
  for (const std::string& line : ThinkingLines(child.Output(), from)) {
    shown = shown || line.rfind(" 4 100002 ", 0) == 0 || line.rfind(" 3 100002 ", 0) == 0;
  }
  EXPECT_TRUE(shown) << child.Output().substr(from);
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
}

// Under xboard's default protocol the full search answers: mates in two,
// three and four with their distance in xboard's form and a line that plays.
TEST(Protocol2, TheFullSearchFindsMatesByDefault) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  StartProtocol2(child);
  const struct {
    const char* fen;
    const char* score;  // the last thinking line's
  } mates[] = {
      {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", " 100002 "},
      {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", " 100003 "},
      {"1r6/1p3K1k/p3N3/P6n/6RP/2P5/8/8 w - - 0 1", " 100004 "},
  };
  for (const auto& mate : mates) {
    const size_t from = SendAndWaitForStats(child, std::string("new\neasy\nforce\npost\nsetboard ") + mate.fen + "\ngo\n");
    const std::vector<std::string> lines = ThinkingLines(child.Output(), from);
    ASSERT_FALSE(lines.empty()) << mate.fen;
    EXPECT_NE(lines.back().find(mate.score), std::string::npos) << lines.back();
    // The move played is the line's first.
    const std::vector<std::string> moves = LineMoves(lines.back());
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(LinesStarting(child.Output(), "move ", from), std::vector<std::string>{"move " + moves.front()});
  }
  child.Send("quit\n");
  EXPECT_EQ(child.FinishWithin(kHangGuardMs).exitCode, 0);
}

}  // namespace
}  // namespace morvi::e2e
