// The xboard session's lines that depend on the engine's state: the thinking
// line led by the predicted reply only while a ponder search waits for it,
// with its log copy, and the UCI session's thinking line, which never has
// that lead.
#include "engine/xboard_output.h"

#include <gtest/gtest.h>

#include "engine/uci_output.h"
#include "engine/uci_session.h"
#include "engine_test_support.h"

namespace morvi {
namespace {

using namespace testing;  // NOLINT: the helpers of engine_test_support.h

class XboardLines : public EngineTest {
 protected:
  // The line g1f3 b8c6 after the predicted reply e7e5, at depth 2.
  static void SetPonderLine() {
    thinker.nominalDepth = 2;
    thinker.pvTable[0][0] = {MakeMoveWord(62, 45, 255, 0), 512};
    thinker.pvTable[0][1] = {MakeMoveWord(1, 18, 255, 0), 0};
    thinker.pvLength[0] = 2;
    thinker.ponderMove = MakeMoveWord(12, 28, 255, 24);
  }
  static std::string Written(void (*write)(const Thinker&)) {
    StdoutCapture out;
    write(thinker);
    return out.Text();
  }
};

TEST_F(XboardLines, ThePredictedReplyLeadsUntilTheHit) {
  SetPonderLine();
  BeginPonderSearch(engineState, true);
  LogTap log;
  EXPECT_EQ(Written(AnnounceThinking), " 2  50 0 0 e7e5 g1f3 b8c6 \n");
  EXPECT_NE(log.Raw().find("Think: <2  50 0 0 e7e5 g1f3 b8c6>"), std::string::npos);
  engineState.ponderHit = true;
  EXPECT_EQ(Written(AnnounceThinking), " 2  50 0 0 g1f3 b8c6 \n");
  EndPonderSearch(engineState);
  EXPECT_EQ(Written(AnnounceThinking), " 2  50 0 0 g1f3 b8c6 \n");
}

TEST_F(XboardLines, AUciPonderSearchShowsItsOwnLineOnly) {
  SetPonderLine();
  BeginPonderSearch(engineState, true);
  uciSession.root = position;
  thinker.rootLineDepth = 2;
  LogTap log;
  const std::string line = Written(AnnounceUciThinking);
  EXPECT_EQ(line.rfind("info depth 2 ", 0), 0u) << line;
  EXPECT_NE(line.find(" pv g1f3 b8c6\n"), std::string::npos) << line;
  // The log keeps the engine's own text of the line, without a lead.
  EXPECT_NE(log.Raw().find("Think: <2  50 0 0 g1f3 b8c6>"), std::string::npos);
}

}  // namespace
}  // namespace morvi
