// Replays through the fuzz harness (the function the fuzzer calls): every
// case kept in tools/fuzz/regressions/ and every seed of tools/fuzz/corpus/
// must run to a clean end, so that what the fuzzer once found stays mended.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/fuzz/input_harness.h"

namespace morvi::fuzz {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzDir = fs::path(MORVI_SOURCE_DIR) / "tools" / "fuzz";

std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) return files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The session with the engine's console sent to /dev/null.
SessionResult Replay(const fs::path& path) {
  HarnessOptions options;
  options.bookPath = std::string(MORVI_SOURCE_DIR) + "/morvi.book";
  const std::string input = ReadFile(path);
  const int saved = ::dup(STDOUT_FILENO);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, STDOUT_FILENO);
  ::close(null);
  SessionResult result = RunSession(input, options);
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  return result;
}

void ExpectCleanReplays(const fs::path& folder) {
  for (const fs::path& path : FilesIn(folder)) EXPECT_EQ(Replay(path).finding, "") << path;
}

TEST(FuzzReplay, RegressionCasesRunClean) { ExpectCleanReplays(kFuzzDir / "regressions"); }

// "go btime 9999999999999999999": the UCI number reader once multiplied past
// the 64-bit range (signed overflow; the sanitizer builds stop at it).
TEST(FuzzReplay, UciNumberOverflow) {
  EXPECT_EQ(Replay(kFuzzDir / "regressions" / "uci_number_overflow.txt").finding, "");
}

// With NormalizeS 31 and AspirationWindow 0 every score is equal and no root
// move raised alpha: a search without a root line was ended neither by its
// clock nor by "stop". The full-window search gives it its move.
TEST(FuzzReplay, SearchWithoutRootLineStops) {
  EXPECT_EQ(Replay(kFuzzDir / "regressions" / "search_without_root_line.txt").finding, "");
}

TEST(FuzzReplay, SeedCorpusRunsClean) { ExpectCleanReplays(kFuzzDir / "corpus"); }

// The harness really searches: the seeds of a pondering game and of analysis
// run passes that search, and their records are executed.
TEST(FuzzReplay, SeedsSearchAndExecute) {
  for (const char* seed : {"xboard_engine_black_ponder.txt", "xboard_analyze.txt"}) {
    const SessionResult result = Replay(kFuzzDir / "corpus" / seed);
    EXPECT_GT(result.searches, 0) << seed;
    EXPECT_GT(result.records, 10) << seed;
  }
}

}  // namespace
}  // namespace morvi::fuzz
