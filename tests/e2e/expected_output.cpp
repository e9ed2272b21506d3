// Helpers of the end-to-end tests: stamp masking and engine installs.
#include "e2e/expected_output.h"

#include <regex>

namespace morvi::e2e {

std::string MaskStamps(const std::string& log) {
  static const std::regex stamp(R"(\[[ 0-9]{9,}\])");
  return std::regex_replace(log, stamp, "[T]");
}

EngineInstall::EngineInstall(std::string_view profile) {
  exe_ = test_support::InstallProgram(dir_, MORVI_BINARY, "morvi");
  if (!profile.empty()) dir_.Write("morvi.ini", profile);
}

test_support::RunResult EngineInstall::Run(std::string_view input) const {
  return test_support::RunWithInput(exe_, input);
}

}  // namespace morvi::e2e
