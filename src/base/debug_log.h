// The debug log: one record per call, "[time] category: text tail", written
// only when a log file is configured and the category is not excluded.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace morvi {

struct DebugLog {
  bool enabled = false;                   // DebugEnabled
  std::array<std::string, 10> exclude{};  // ExcludeList: Exclude0 .. Exclude9
  int fd = -1;                            // the open log file, or -1
};

// The one debug log of the process. Set up by start-up before the engine
// thread exists; records are appended under the output lock.
extern DebugLog debugLog;

// Opens (creates empty, truncating) the log file; false if it cannot be made.
bool OpenDebugLog(const std::string& path);
void CloseDebugLog();

// Formats one record; exposed for tests.
std::string FormatLogRecord(long long seconds, std::string_view category, std::string_view text,
                            std::string_view tail);

// One record. Costs a single test when the log is off.
void LogLine(std::string_view category, std::string_view text, std::string_view tail = "\n");

// A record of a text that may end in its own line end: such a text gets no
// second one.
void LogText(std::string_view category, std::string_view text);

}  // namespace morvi
