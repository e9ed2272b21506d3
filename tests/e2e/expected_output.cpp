// Helpers of the end-to-end tests: stamp masking and engine installs.
#include "e2e/expected_output.h"


namespace morvi::e2e {

// A stamp is '[', at least nine blanks or digits, and ']'.
std::string MaskStamps(const std::string& log) {
  std::string masked;
  size_t at = 0;
  while (at < log.size()) {
    size_t end = log[at] == '[' ? log.find_first_not_of(" 0123456789", at + 1) : at;
    if (end != at && end != std::string::npos && log[end] == ']' && end - at - 1 >= 9) {
      masked += "[T]";
      at = end + 1;
    } else {
      masked += log[at++];
    }
  }
  return masked;
}

std::string RecordsOf(const std::string& log, std::initializer_list<std::string_view> categories) {
  std::string masked = MaskStamps(log);
  std::string kept;
  size_t at = masked.find("[T]");
  while (at != std::string::npos) {
    size_t next = masked.find("[T]", at + 3);
    std::string record = masked.substr(at, next == std::string::npos ? std::string::npos : next - at);
    size_t colon = record.find(": ");
    if (colon != std::string::npos) {
      std::string category = record.substr(3, colon - 3);
      category.erase(0, category.find_first_not_of(' '));
      for (std::string_view wanted : categories) {
        if (category == wanted) kept += record;
      }
    }
    at = next;
  }
  return kept;
}

EngineInstall::EngineInstall(std::string_view profile) {
  exe_ = test_support::InstallProgram(dir_, MORVI_BINARY, "morvi");
  if (!profile.empty()) dir_.Write("morvi.ini", profile);
}

test_support::RunResult EngineInstall::Run(std::string_view input) const {
  return test_support::RunWithInput(exe_, input);
}

}  // namespace morvi::e2e
