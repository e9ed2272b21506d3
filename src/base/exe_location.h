// Where the running executable lives: its directory (ending in '/') and its
// file name without extension. The profile, book and log are found there.
#pragma once

#include <string>

namespace morvi {

struct ExeLocation {
  std::string directory;  // ends in '/'
  std::string baseName;   // file name without its extension
};

// From /proc/self/exe; falls back to the given program path (argv[0]).
ExeLocation FindExeLocation(const char* programPath);
// Splits a path into directory and base name ("/a/b/morvi.exe" -> "/a/b/", "morvi").
ExeLocation SplitExePath(const std::string& path);

}  // namespace morvi
