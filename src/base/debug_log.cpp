// Debug log records: built outside the output lock, written as one write(2)
// under it, so the file holds every record in order even after a crash.
#include "base/debug_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

#include "base/console.h"
#include "base/clock.h"

namespace morvi {

DebugLog debugLog;

bool OpenDebugLog(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // The file is not shared with other openers: a second instance that finds it
  // locked falls back to the name with "2".
  if (::lockf(fd, F_TLOCK, 0) != 0 || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return false;
  }
  debugLog.fd = fd;
  return true;
}

void CloseDebugLog() {
  std::lock_guard<std::mutex> guard(OutputLock());
  if (debugLog.fd >= 0) ::close(debugLog.fd);
  debugLog.fd = -1;
}

std::string FormatLogRecord(long long seconds, std::string_view category, std::string_view text,
                            std::string_view tail) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%9lld]", seconds);
  std::string record = stamp;
  if (category.size() < 10) record.append(10 - category.size(), ' ');
  record += category;
  record += ": ";
  record += text;
  if (!tail.empty()) {
    record += ' ';
    record += tail;
  }
  return record;
}

void LogLine(std::string_view category, std::string_view text, std::string_view tail) {
  if (!debugLog.enabled) return;
  long long now = CalendarSeconds();
  std::string record = FormatLogRecord(now, category, text, tail);
  for (const std::string& excluded : debugLog.exclude) {
    if (excluded == category) return;
  }
  std::lock_guard<std::mutex> guard(OutputLock());
  if (debugLog.fd < 0) return;
  const char* data = record.data();
  size_t size = record.size();
  while (size > 0) {
    ssize_t n = ::write(debugLog.fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a full disk: the record is dropped
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

void LogText(std::string_view category, std::string_view text) {
  const bool ownLineEnd = !text.empty() && text.back() == '\n';
  LogLine(category, text, ownLineEnd ? "" : "\n");
}

}  // namespace morvi
