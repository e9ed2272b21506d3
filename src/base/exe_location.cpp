// The executable's own path, read from /proc/self/exe.
#include "base/exe_location.h"

#include <unistd.h>

#include <climits>

namespace morvi {

ExeLocation SplitExePath(const std::string& path) {
  ExeLocation location;
  size_t slash = path.rfind('/');
  std::string name = path;
  if (slash == std::string::npos) {
    location.directory = "./";
  } else {
    location.directory = path.substr(0, slash + 1);
    name = path.substr(slash + 1);
  }
  size_t dot = name.rfind('.');
  location.baseName = (dot == std::string::npos || dot == 0) ? name : name.substr(0, dot);
  return location;
}

ExeLocation FindExeLocation(const char* programPath) {
  char buffer[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return SplitExePath(std::string(buffer, static_cast<size_t>(length)));
  return SplitExePath(programPath ? programPath : "morvi");
}

}  // namespace morvi
