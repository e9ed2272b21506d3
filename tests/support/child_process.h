// Test support: temporary directories, an installed copy of a built program,
// and child processes driven through real pipes (standard input, output and
// error), with their exit codes.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvi::test_support {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }
  void Write(std::string_view name, std::string_view text) const;
  std::string Read(std::string_view name) const;
  bool Exists(std::string_view name) const;
  std::vector<std::string> Names() const;  // sorted file names

 private:
  std::string path_;
};

// Copies the program at source into the directory under the given name
// (executable) and returns the copy's path.
std::string InstallProgram(const TempDir& dir, const std::string& source, std::string_view name);

struct RunResult {
  std::string out;
  std::string err;
  int exitCode = -1;  // 128 + signal number when the child was killed
};

// A running child with its three standard streams on pipes.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& path);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Queues text for the child's standard input (written while waiting).
  void Send(std::string_view text);
  // Reads until the child's standard output holds the text (or ends, or a
  // minute passes); returns everything read so far.
  const std::string& WaitForOutput(std::string_view text);
  // Reads until the text appears at or after offset `from` of the output;
  // false when the output ends or the time (milliseconds) runs out first.
  bool WaitFor(std::string_view text, size_t from = 0, int timeoutMs = 60000);
  // Reads until the predicate holds for the output so far; false as above.
  // The predicate is also tried at least every 20 ms while nothing arrives,
  // so it may look at things other than the output (a log file, say).
  bool WaitUntil(const std::function<bool(const std::string&)>& done, int timeoutMs = 60000);
  // Everything the child has written to its standard output so far.
  const std::string& Output() const { return result_.out; }
  void Signal(int signal) const;
  // The child's process id (-1 once it has been waited for).
  pid_t Pid() const { return pid_; }
  // Closes the reading end of the child's standard output, as a GUI that goes
  // away does; later output of the child is lost.
  void CloseOutput();
  // Writes what is queued, closes standard input, reads both outputs to their
  // end and waits for the child.
  RunResult Finish();
  // As Finish, but a child still running after the time (milliseconds) is
  // killed; its exit code is then 128 + SIGKILL.
  RunResult FinishWithin(int timeoutMs);

 private:
  // One round of poll: writes pending input, reads available output. False
  // when both outputs have ended.
  bool Pump(bool closeInputWhenSent, int timeoutMs = -1);

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string pending_;
  RunResult result_;
};

// Runs the program with the given standard input to its end.
RunResult RunWithInput(const std::string& path, std::string_view input);

}  // namespace morvi::test_support
