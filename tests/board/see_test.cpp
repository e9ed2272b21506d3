// The static exchange of set positions: a free capture, an even and a losing
// one, recaptures with pieces behind the first (x-rays, for either side),
// promotions with and without a defender, en passant, and a king that may
// take back only what nothing defends; the shortcut for a capture that
// cannot lose.
#include "board/see.h"

#include "board_test_support.h"

namespace morvi {
namespace {

using test::FenPosition;
using test::FindMove;

constexpr int P = 1024, N = 3072, B = 3072, R = 5120, Q = 9216;

TEST(StaticExchange, SetPositions) {
  const struct {
    const char* what;
    const char* fen;
    const char* move;
    int promotion;
    int value;
  } rows[] = {
      {"a pawn for nothing", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", kNoPromotion, P},
      {"pawn for pawn", "4k3/8/2p5/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", kNoPromotion, 0},
      {"a knight for a pawn", "4k3/8/2p5/3p4/8/4N3/8/4K3 w - - 0 1", "e3d5", kNoPromotion, P - N},
      {"the rook behind comes in", "4k3/8/3r4/3p4/8/8/3R4/3RK3 w - - 0 1", "d2d5", kNoPromotion, P},
      {"the defender's rook behind", "3rk3/3r4/8/3p4/8/8/8/3RK3 w - - 0 1", "d1d5", kNoPromotion, P - R},
      {"the queen behind the bishop", "4k3/8/8/4p3/3p4/8/1B6/Q3K3 w - - 0 1", "b2d4", kNoPromotion, 2 * P - B},
      {"a quiet move to a safe square", "4k3/8/2p5/8/8/2N5/8/4K3 w - - 0 1", "c3e4", kNoPromotion, 0},
      {"a quiet move en prise", "4k3/8/2p5/8/8/2N5/8/4K3 w - - 0 1", "c3b5", kNoPromotion, -N},
      {"promotion", "8/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8", kQueen, Q - P},
      {"promotion, taken at once", "3r4/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7e8", kQueen, -P},
      {"promotion with a capture", "3r4/4P3/8/8/8/8/k7/4K3 w - - 0 1", "e7d8", kQueen, R + Q - P},
      {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", kNoPromotion, P},
      {"the king may not take back", "8/8/8/8/8/2k5/3p4/3QK3 w - - 0 1", "d1d2", kNoPromotion, P},
      {"the king takes back", "8/8/8/8/8/2k5/3p4/3Q3K w - - 0 1", "d1d2", kNoPromotion, P - Q},
      {"pawns take back first", "4k3/8/2p5/3n4/8/4N3/8/4K3 w - - 0 1", "e3d5", kNoPromotion, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto pos = FenPosition(row.fen);
    const Move move = FindMove(*pos, row.move, row.promotion);
    ASSERT_TRUE(IsMove(move)) << row.move;
    EXPECT_EQ(StaticExchange(*pos, move), row.value);
    if (CaptureCannotLose(*pos, move)) {
      EXPECT_GE(row.value, 0);  // the shortcut never hides a loss
    }
  }
  // A pawn takes a knight: sure; a queen takes a defended pawn: not.
  auto pos = FenPosition("4k3/8/2p5/3n4/4P3/8/8/3QK3 w - - 0 1");
  EXPECT_TRUE(CaptureCannotLose(*pos, FindMove(*pos, "e4d5")));
  EXPECT_FALSE(CaptureCannotLose(*pos, FindMove(*pos, "d1d5")));
}

}  // namespace
}  // namespace morvi
