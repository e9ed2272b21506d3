// Standard output under the output lock: each message is written whole and
// flushed at once, so a driving program sees it immediately and messages of
// the two threads never interleave.
#include "base/console.h"

#include <unistd.h>

#include <cerrno>

namespace morvi {

std::mutex& OutputLock() {
  static std::mutex lock;  // function-local: usable during static init and teardown
  return lock;
}

namespace {
void WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a closed pipe: nothing more can be said
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

// Set, under the output lock, once the last words are written.
bool consoleClosed = false;

}  // namespace

void ConsoleWrite(std::string text) {
  std::lock_guard<std::mutex> guard(OutputLock());
  if (!consoleClosed) WriteAll(STDOUT_FILENO, text.data(), text.size());
}

void ConsoleWriteLast(std::string text) {
  std::lock_guard<std::mutex> guard(OutputLock());
  if (!consoleClosed) WriteAll(STDOUT_FILENO, text.data(), text.size());
  consoleClosed = true;
}

}  // namespace morvi
