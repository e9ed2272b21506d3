// StartPondering, HintMove and ReportStatus. The expected reply comes from
// the last search's line, which may belong to another position by now (after
// a take-back, say), so it is looked up among the generated moves before it
// is played.
#include "engine/pondering.h"

#include <cstdio>

#include "board/position.h"
#include "engine/engine_state.h"
#include "engine/user_move.h"
#include "engine/xboard_output.h"
#include "base/debug_log.h"
#include "search/thinker.h"
#include "search/search_threads.h"

namespace morvi {

bool StartPondering() {
  Thinker& t = thinker;
  if (t.pvLength[0] < 2) return false;
  const Move reply = t.pvTable[0][1].move;
  if (!IsMove(reply) || FindGeneratedMove(MoveFrom(reply), MoveTo(reply), MovePromotion(reply)) != reply) return false;
  if (position.MakeMove(reply, t.ponderUndo) == 0) return false;
  t.ponderMove = reply;
  position.ArchivePush(reply);
  LogLine("Thinker", "START PONDERING");
  return true;
}

Move HintMove() {
  const Thinker& t = thinker;
  if (engineState.pondering) return t.ponderMove;
  if (t.pvLength[0] > 1) return t.pvTable[0][1].move;
  return kNoMove;
}

void ReportStatus() {
  const Thinker& t = thinker;
  char line[128];
  std::snprintf(line, sizeof line, "stat01: %d %lld %d %d %d\n", ElapsedCentiseconds(t),
                static_cast<long long>(SearchedNodes()), t.nominalDepth, t.rootMovesLeft, t.rootMoveCount);
  AnnounceStatus(line);
}

}  // namespace morvi
