// Command recognition: which command an input line is, in a fixed order of
// exact keywords, the xboard protocol's second version (once a GUI has asked
// for it), keyword searches with their parsers, edit-mode commands and
// finally a move. Commands are queued (or posted by their parser) here;
// what the input loop must answer itself is returned.
#pragma once

#include <string>
#include <string_view>

namespace morvi {

// The input loop's modes (main thread only).
struct FrontEndState {
  bool consoleMode = true;  // cleared for good by "xboard" and "fritz"
  bool editMode = false;    // set by "edit", cleared by "." while set
  std::string features;     // the answer to "protover 2", made at start-up
};

enum class Recognition {
  Handled,  // queued, posted, or ignored ("d" outside console mode)
  Quit,     // "quit" or "bye": the quit sequence
  Help,     // "help": the help text
  Unknown,  // nothing recognised the line
};

// line: the input line with leading white space removed, letter case as typed.
Recognition RecognizeCommand(FrontEndState& state, std::string_view line);

}  // namespace morvi
