// Child processes on pipes for the end-to-end tests, and temporary folders.
#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace morvi::test_support {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "morvi-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void TempDir::Write(std::string_view name, std::string_view text) const {
  std::ofstream out(File(name), std::ios::binary);
  out << text;
}

std::string TempDir::Read(std::string_view name) const {
  std::ifstream in(File(name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool TempDir::Exists(std::string_view name) const { return fs::exists(File(name)); }

std::vector<std::string> TempDir::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string InstallProgram(const TempDir& dir, const std::string& source, std::string_view name) {
  std::string target = dir.File(name);
  fs::copy_file(source, target, fs::copy_options::overwrite_existing);
  fs::permissions(target, fs::perms::owner_all, fs::perm_options::add);
  return target;
}

ChildProcess::ChildProcess(const std::string& path) {
  ::signal(SIGPIPE, SIG_IGN);  // a child that ends early must not kill the test
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
      ::pipe2(err, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  in_ = in[1];
  out_ = out[0];
  err_ = err[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Finish();
  }
}

void ChildProcess::Send(std::string_view text) { pending_ += text; }

void ChildProcess::Signal(int signal) const { ::kill(pid_, signal); }

void ChildProcess::CloseOutput() {
  if (out_ >= 0) ::close(out_);
  out_ = -1;
}

bool ChildProcess::Pump(bool closeInputWhenSent, int timeoutMs) {
  if (in_ >= 0 && pending_.empty() && closeInputWhenSent) {
    ::close(in_);
    in_ = -1;
  }
  pollfd fds[3] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}, {-1, POLLOUT, 0}};
  if (in_ >= 0 && !pending_.empty()) fds[2].fd = in_;
  if (out_ < 0 && err_ < 0) return false;
  if (::poll(fds, 3, timeoutMs) < 0) return errno == EINTR;
  if (fds[2].revents != 0) {
    ssize_t n = ::write(in_, pending_.data(), pending_.size());
    if (n > 0) {
      pending_.erase(0, static_cast<size_t>(n));
    } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
      pending_.clear();  // the child has stopped reading
      ::close(in_);
      in_ = -1;
    }
  }
  int* streams[2] = {&out_, &err_};
  std::string* texts[2] = {&result_.out, &result_.err};
  for (int i = 0; i < 2; ++i) {
    if (*streams[i] < 0 || fds[i].revents == 0) continue;
    char buffer[4096];
    ssize_t n = ::read(*streams[i], buffer, sizeof buffer);
    if (n > 0) {
      texts[i]->append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      ::close(*streams[i]);
      *streams[i] = -1;
      fds[i].fd = -1;
    }
  }
  return out_ >= 0 || err_ >= 0;
}

const std::string& ChildProcess::WaitForOutput(std::string_view text) {
  WaitFor(text);
  return result_.out;
}

bool ChildProcess::WaitFor(std::string_view text, size_t from, int timeoutMs) {
  return WaitUntil(
      [&](const std::string& out) { return out.size() >= from && out.find(text, from) != std::string::npos; },
      timeoutMs);
}

bool ChildProcess::WaitUntil(const std::function<bool(const std::string&)>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done(result_.out)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (out_ < 0 || left.count() <= 0) return false;
    Pump(false, static_cast<int>(std::min<long long>(left.count(), 20)) + 1);
  }
  return true;
}

RunResult ChildProcess::Finish() {
  while (Pump(true)) {
  }
  if (in_ >= 0) ::close(in_);
  in_ = -1;
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  result_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result_;
}

RunResult ChildProcess::FinishWithin(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      ::kill(pid_, SIGKILL);
      break;
    }
    if (!Pump(true, static_cast<int>(left.count()) + 1)) break;
  }
  return Finish();
}

RunResult RunWithInput(const std::string& path, std::string_view input) {
  ChildProcess child(path);
  child.Send(input);
  return child.Finish();
}

}  // namespace morvi::test_support
