// morvi-bench epd: runs a test suite written in EPD. Each line holds the four
// FEN fields and then operations ended by ';'; "bm" names the best move (any
// of several), "am" moves to avoid, "id" the position's name, and the rest
// are passed over. Each position is searched as the engine searches its own
// move, and judged solved when the move found is among the bm moves (if any)
// and none of the am moves; one line a position, then "solved N of M".
// A line that cannot be read is reported and left out of the count. With
// --hash MB the search has a transposition table, cleared for each position.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_commands.h"
#include "bench_table.h"
#include "board/fen.h"
#include "board/position.h"
#include "board/san.h"
#include "search/bench_suite.h"
#include "search/full_search.h"
#include "search/thinker.h"

namespace morvi::bench {
namespace {

constexpr int kDefaultBudget = 100;           // centiseconds a position
constexpr int kUnlimitedBudget = 1000000000;  // with --depth alone no clock ends a search

struct EpdOptions {
  std::string file;
  int budget = kDefaultBudget;
  int depth = 0;  // 0: the search's deepest
  int hash = 0;   // megabytes
  bool full = false;  // the full-strength search
};

// One line of the suite, its moves still as written.
struct EpdEntry {
  std::string fen;
  std::string id;
  std::vector<std::string> best;
  std::vector<std::string> avoid;
};

// The bm and am moves as moves of the position.
struct Verdicts {
  std::vector<Move> best;
  std::vector<Move> avoid;
};

struct Found {
  Move move;
  int score;
  int depth;
  long long nodes;
  int milliseconds;
};

int EpdUsage() {
  std::fprintf(stderr, "usage: morvi-bench epd FILE [--time CENTISECONDS | --depth N] [--hash MB] [--full]\n");
  return 1;
}

bool ReadCount(const char* text, int low, int high, int& value) {
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || n < low || n > high) return false;
  value = static_cast<int>(n);
  return true;
}

// A depth alone lifts the clock; a time alone keeps the deepest iteration.
bool ReadOptions(int argc, char** argv, EpdOptions& options) {
  bool timeGiven = false;
  bool depthGiven = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc) {
      if (!ReadCount(argv[++i], 1, kFullDepthLimit, options.depth)) return false;
      depthGiven = true;
    } else if (std::strcmp(argv[i], "--time") == 0 && i + 1 < argc) {
      if (!ReadCount(argv[++i], 1, kUnlimitedBudget, options.budget)) return false;
      timeGiven = true;
    } else if (std::strcmp(argv[i], "--hash") == 0 && i + 1 < argc) {
      if (!ReadHashMegabytes(argv[++i], options.hash)) return false;
    } else if (std::strcmp(argv[i], "--full") == 0) {
      options.full = true;
    } else if (options.file.empty() && argv[i][0] != '-') {
      options.file = argv[i];
    } else {
      return false;
    }
  }
  if (depthGiven && !timeGiven) options.budget = kUnlimitedBudget;
  const int deepest = DeepestIteration(options.full ? SearchKind::kFull : SearchKind::kClassic);
  if (options.depth == 0) options.depth = deepest;
  return !options.file.empty() && options.depth <= deepest;
}

// Takes the four FEN fields off the front of the line.
bool TakeFen(std::string_view& line, std::string& fen) {
  for (int field = 0; field < 4; ++field) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    size_t stop = line.find_first_of(" \t", start);
    if (stop == std::string_view::npos) stop = line.size();
    if (field > 0) fen += ' ';
    fen.append(line.substr(start, stop - start));
    line.remove_prefix(stop);
  }
  return true;
}

void KeepOperation(const std::vector<std::string>& words, EpdEntry& entry) {
  if (words.empty()) return;
  const std::vector<std::string> operands(words.begin() + 1, words.end());
  if (words[0] == "bm") entry.best.insert(entry.best.end(), operands.begin(), operands.end());
  if (words[0] == "am") entry.avoid.insert(entry.avoid.end(), operands.begin(), operands.end());
  if (words[0] == "id" && !operands.empty()) entry.id = operands[0];
}

// Splits the operations into words at blanks, and into operations at the
// semicolons; a quoted string is one word (without its quotes) whatever it holds.
bool ReadOperations(std::string_view text, EpdEntry& entry) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool inQuotes = false;
  for (const char c : text) {
    if (inQuotes) {
      if (c == '"') {
        inQuotes = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      inQuotes = inWord = true;
    } else if (c == ' ' || c == '\t' || c == ';') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      if (c == ';') {
        KeepOperation(words, entry);
        words.clear();
      }
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  KeepOperation(words, entry);  // the last operation may lack its ';'
  return !inQuotes;
}

bool ReadEntry(std::string_view line, EpdEntry& entry, std::string& problem) {
  if (TakeFen(line, entry.fen) && ReadOperations(line, entry)) return true;
  problem = "not an EPD line";
  return false;
}

bool ReadMoves(Position& pos, const char* opcode, const std::vector<std::string>& texts,
               std::vector<Move>& moves, std::string& problem) {
  for (const std::string& text : texts) {
    const ReadMove read = ReadMoveText(pos, text);
    if (read.outcome != MoveReading::kFound) {
      problem = std::string(opcode) + " " + text +
                (read.outcome == MoveReading::kAmbiguous ? ": ambiguous" : ": no such legal move");
      return false;
    }
    moves.push_back(read.move);
  }
  return true;
}

// Sets up the entry's position and reads its moves there.
bool SetUp(const EpdEntry& entry, Verdicts& verdicts, std::string& problem) {
  Position& pos = position;
  pos.NewGame();  // the constant tables and an empty archive
  if (!LoadFen(pos, entry.fen) || !pos.IsPlayable()) {
    problem = "bad FEN: " + entry.fen;
    return false;
  }
  if (entry.best.empty() && entry.avoid.empty()) {
    problem = "neither bm nor am";
    return false;
  }
  return ReadMoves(pos, "bm", entry.best, verdicts.best, problem) &&
         ReadMoves(pos, "am", entry.avoid, verdicts.avoid, problem);
}

// The search of the position set up, with the state a bench search starts
// from: nothing left over from the position before.
Found SearchPosition(int budget, int depth) {
  const BenchOutcome outcome = SearchSetPosition(budget, depth);
  // The search leaves its depth one past the last iteration when it ended on
  // the depth limit; the line shows the depth searched.
  const int searched = std::min(thinker.nominalDepth, depth);
  return {outcome.bestMove, outcome.score, searched, outcome.nodes, outcome.milliseconds};
}

bool SameMove(Move a, Move b) {
  return MoveFrom(a) == MoveFrom(b) && MoveTo(a) == MoveTo(b) && MovePromotion(a) == MovePromotion(b);
}

bool Among(const std::vector<Move>& moves, Move move) {
  return std::any_of(moves.begin(), moves.end(), [&](Move m) { return SameMove(m, move); });
}

bool Solved(const Verdicts& verdicts, Move found) {
  if (!IsMove(found)) return false;
  return (verdicts.best.empty() || Among(verdicts.best, found)) && !Among(verdicts.avoid, found);
}

std::string Expected(const EpdEntry& entry) {
  std::string text;
  for (const auto* list : {&entry.best, &entry.avoid}) {
    if (list->empty()) continue;
    if (!text.empty()) text += ' ';
    text += list == &entry.best ? "bm" : "am";
    for (const std::string& move : *list) text += ' ' + move;
  }
  return text;
}

void PrintPosition(const EpdEntry& entry, const Found& found, bool solved) {
  const std::string move = !IsMove(found.move) ? "none" : GameMoveText(found.move, true);
  std::printf("%-24s %-24s found %-6s %-8s score %6d depth %2d nodes %10lld ms %6d\n", entry.id.c_str(),
              Expected(entry).c_str(), move.c_str(), solved ? "solved" : "unsolved", found.score * 100 / 1024,
              found.depth, found.nodes, found.milliseconds);
  std::fflush(stdout);
}

struct Tally {
  TableCounters table;
  int solved = 0;
  int searched = 0;
  bool refused = false;
};

// One line of the file: read, searched and printed, or reported.
void RunLine(const EpdOptions& options, int number, const std::string& line, Tally& tally) {
  EpdEntry entry;
  Verdicts verdicts;
  std::string problem;
  if (!ReadEntry(line, entry, problem) || !SetUp(entry, verdicts, problem)) {
    std::fprintf(stderr, "morvi-bench epd: %s line %d: %s\n", options.file.c_str(), number, problem.c_str());
    tally.refused = true;
    return;
  }
  if (entry.id.empty()) entry.id = "line-" + std::to_string(number);
  transpositionTable.Clear();
  const Found found = SearchPosition(options.budget, options.depth);
  AddTableUse(tally.table);
  const bool solved = Solved(verdicts, found.move);
  PrintPosition(entry, found, solved);
  tally.solved += solved ? 1 : 0;
  ++tally.searched;
}

}  // namespace

int Epd(int argc, char** argv) {
  EpdOptions options;
  if (!ReadOptions(argc, argv, options)) return EpdUsage();
  std::ifstream in(options.file);
  if (!in) {
    std::fprintf(stderr, "morvi-bench epd: cannot read %s\n", options.file.c_str());
    return 1;
  }
  if (!UseTable(options.hash)) return 1;
  thinker.kind = options.full ? SearchKind::kFull : SearchKind::kClassic;
  Tally tally;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") != std::string::npos) RunLine(options, number, line, tally);
  }
  PrintTableUse(tally.table);
  std::printf("solved %d of %d\n", tally.solved, tally.searched);
  return tally.refused ? 1 : 0;
}

}  // namespace morvi::bench
