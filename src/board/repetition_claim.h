// Repetition as a draw claim counts it: the same pieces on the same squares,
// the same side to move, the same castling rights and the same en-passant
// capture, when one can be made. Each archived position keeps such a key;
// the search's own quick test (the repetition list, pieces and side only)
// is a different, cheaper question.
#pragma once

#include <cstdint>

namespace morvi {

struct Position;

// The position's key, without its en-passant square when no en-passant
// capture is legal there.
std::uint64_t ClaimKey(Position& pos);

// True when the current position, not yet archived, has been archived twice
// before with the same claim key: it stands on the board for the third time.
bool StandsForTheThirdTime(Position& pos);

}  // namespace morvi
