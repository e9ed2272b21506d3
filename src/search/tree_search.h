// The full-width alpha-beta tree search (negamax, fail-hard) over the one
// position: null move and quiescence probe, PV following, history ordering,
// repetition and fifty-move rules, mate scores. Ply 0 is the root.
#pragma once

namespace morvi {

// depth is the depth limit of the line (the iteration's nominal depth, 3 less
// below a null move); the remaining depth is depth - ply.
int Search(int ply, int depth, int alpha, int beta, bool allowNull);

}  // namespace morvi
