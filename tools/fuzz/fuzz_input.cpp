// The libFuzzer entry points of morvi-fuzz-input: standard output goes to
// /dev/null (the engine's console would flood the run), the harness options
// come from the environment, and a finding of the harness aborts the run so
// that libFuzzer keeps its input.
//   MORVI_FUZZ_BOOK   the opening book (default: the shipped morvi.book;
//                     "none": no book)
//   MORVI_FUZZ_DEPTH  iterations every search completes (default 2)
//   MORVI_FUZZ_AVOID  known faults to keep out of the run, comma-separated:
//                     uci-number (digit runs in UCI lines cut to 18 digits),
//                     overrun (a search the harness had to stop is no finding)
// and, to look into one input (morvi-fuzz-input FILE):
//   MORVI_FUZZ_CONSOLE=1   the engine's console stays on standard output
//   MORVI_FUZZ_LOG=PATH    the engine's debug log is written to PATH
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/debug_log.h"
#include "input_harness.h"

namespace {

morvi::fuzz::HarnessOptions options;

void SilenceStandardOutput() {
  const int null = ::open("/dev/null", O_WRONLY);
  if (null < 0) return;
  ::dup2(null, STDOUT_FILENO);
  ::close(null);
}

void OpenLog(const char* path) {
  if (path == nullptr || !morvi::OpenDebugLog(path)) return;
  morvi::debugLog.enabled = true;
}

void ReadOptions() {
  const char* book = std::getenv("MORVI_FUZZ_BOOK");
  options.bookPath = book == nullptr ? MORVI_FUZZ_BOOK : book;
  if (options.bookPath == "none") options.bookPath.clear();
  if (const char* depth = std::getenv("MORVI_FUZZ_DEPTH")) options.standStillDepth = std::atoi(depth);
  const char* avoid = std::getenv("MORVI_FUZZ_AVOID");
  const std::string_view avoided = avoid == nullptr ? "" : avoid;
  options.cutLongUciNumbers = avoided.find("uci-number") != std::string_view::npos;
  options.allowOverruns = avoided.find("overrun") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* console = std::getenv("MORVI_FUZZ_CONSOLE");
  if (console == nullptr || std::string_view(console) != "1") SilenceStandardOutput();
  OpenLog(std::getenv("MORVI_FUZZ_LOG"));
  ReadOptions();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const morvi::fuzz::SessionResult result = morvi::fuzz::RunSession(input, options);
  if (!result.finding.empty()) {
    std::fprintf(stderr, "morvi-fuzz-input finding: %s\n", result.finding.c_str());
    std::abort();
  }
  return 0;
}
