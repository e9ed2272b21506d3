// The full-strength search, beside the classic one: the same board,
// evaluation, move generator, table, heartbeat and caller interface, with
// the techniques strong engines use. ThinkFull is its iterative deepening;
// FullSearch and FullQuiesce are its tree and its quiescence search, on a
// SearchWorker.
#pragma once

#include "search/search_worker.h"
#include "search/think.h"

namespace morvi {

// The deepest iteration of the full search.
constexpr int kFullDepthLimit = 100;

// Searches the engine's position as Think does (the same result, lines,
// budget and deadlines; depthLimit up to kFullDepthLimit).
void ThinkFull(SearchResult& result, int budget, int depthLimit, const SearchDeadlines& deadlines);

// A new game: the full search forgets what it learnt of the moves (the
// killers, counter moves and history carried from search to search).
void ClearFullSearchMemory();

// A worker's own iterative deepening, without a clock or a caller (a helper
// thread's): depth by depth from firstDepth to depthLimit, each in an
// aspiration window, until its Thinker's stop. Returns the last complete
// depth's score; its lastScore holds it too.
int DeepenFull(SearchWorker& w, int firstDepth, int depthLimit);

// The tree search at `ply` with `depth` plies to go, within (alpha, beta):
// a fail-soft value for the side to move.
int FullSearch(SearchWorker& w, int ply, int depth, int alpha, int beta);

// The quiescence search below the horizon; qply counts its plies.
int FullQuiesce(SearchWorker& w, int ply, int qply, int alpha, int beta);

// The position's key for the repetition rule: without its en-passant
// square. The game's positions are kept with theirs only when the capture
// could be made, which no later position can then repeat.
std::uint64_t RepetitionKey(const Position& pos);

// True when the position at `ply` stood before in the line or in the game
// since the last capture or pawn move (with the same side to move): a draw.
bool IsRepeated(const SearchWorker& w, int ply);

}  // namespace morvi
