// The program's fixed user texts, numbered 1 to 12, exactly as they are shown.
#pragma once

#include <array>
#include <string_view>

namespace morvi {

enum UserTextId : int {
  TEXT_WELCOME = 1,
  TEXT_ILLEGAL_MOVE = 2,
  TEXT_ERROR = 3,
  TEXT_PROMPT = 4,
  TEXT_HELP_HINT = 5,
  TEXT_HELP_CASE = 6,
  TEXT_HELP_HELP = 7,
  TEXT_HELP_QUIT = 8,
  TEXT_HELP_COMMANDS = 9,
  TEXT_HELP_MOVES = 10,
  TEXT_FAREWELL = 11,
  TEXT_VERSION = 12,
};

inline constexpr std::array<std::string_view, 13> kUserTexts = {
    "",
    "Welcome to Morvi\n",
    "Illegal move",
    "Error",
    "Morvi > ",
    " (Enter HELP  to see commands)\n",
    "Note: All commands are  upper or lower case\n",
    "Help - It produces this output of all legal commands\n",
    "Quit or Exit or Bye - Exits the program\n",
    "d - display board \nanalyze\nbk\nblack\ndraw\neasy\nedit\nexit\nforce\nfritz\ngo\nhard\nhint\n"
    "level\nname\nnew\nnopost\notim\nponder\npost\nrandom\nrating\nremove\ntime\nundo\nwhite\n"
    "xboard\n",
    "moves in format e2e4\n",
    "Thanks for playing - see you soon!\n",
    "1.19c",
};

// Text number id (1 to 12).
constexpr std::string_view UserText(UserTextId id) { return kUserTexts[id]; }

}  // namespace morvi
