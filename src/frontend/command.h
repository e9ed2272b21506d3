// The command record that carries one recognised input line from the input
// thread to the engine thread, and the command identifiers.
#pragma once

#include <string>
#include <vector>

namespace morvi {

enum CommandId : int {
  CMD_DISPLAY = 1,
  CMD_XBOARD = 2,
  CMD_FRITZ = 3,
  CMD_NEW = 4,
  CMD_QUIT = 5,
  CMD_RANDOM = 6,
  CMD_FORCE = 7,
  CMD_WHITE = 8,
  CMD_BLACK = 9,
  CMD_LEVEL = 10,
  CMD_TIME = 11,
  CMD_OTIM = 12,
  CMD_GO = 13,
  CMD_MOVE_NOW = 14,
  CMD_DRAW = 15,
  CMD_RESULT = 16,
  CMD_HINT = 17,
  CMD_BOOK = 18,
  CMD_UNDO = 19,
  CMD_REMOVE = 20,
  CMD_HARD = 21,
  CMD_EASY = 22,
  CMD_PONDER_MOVE = 23,
  CMD_POST = 24,
  CMD_NOPOST = 25,
  CMD_ANALYZE = 26,
  CMD_EXIT = 27,
  CMD_STATUS = 28,
  CMD_NAME = 29,
  CMD_RATING = 30,
  CMD_EDIT = 31,
  CMD_EDIT_COLOUR = 32,
  CMD_EDIT_CLEAR = 33,
  CMD_EDIT_DONE = 34,
  CMD_EDIT_PLACE = 35,
  CMD_EDIT_EMPTY = 36,
  CMD_EDIT_CASTLE = 37,
  CMD_EDIT_EP = 38,
  CMD_USER_MOVE = 39,
  // The UCI dialect's own commands.
  CMD_UCI = 40,          // "uci": identify, list the options, "uciok"
  CMD_ISREADY = 41,      // "isready": "readyok" once everything before it is done
  CMD_SETOPTION = 42,    // "setoption name N [value V]": optionName, optionValue
  CMD_UCINEWGAME = 43,   // "ucinewgame"
  CMD_POSITION = 44,     // "position startpos|fen F [moves ...]": positionBase, positionMoves
  CMD_UCI_GO = 45,       // "go ...": go
  CMD_STOP = 46,         // "stop"
  CMD_PONDERHIT = 47,    // "ponderhit"
};

// The arguments of a UCI "go"; -1 (or 0 for the flags) where not given.
// Times in milliseconds, clamped to the 32-bit range.
struct GoArguments {
  int whiteTime = -1;
  int blackTime = -1;
  int whiteIncrement = -1;
  int blackIncrement = -1;
  int movesToGo = -1;
  int moveTime = -1;
  int depth = -1;
  long long nodes = -1;
  int mate = -1;
  bool infinite = false;
  bool ponder = false;
  std::vector<std::string> searchMoves;  // "searchmoves": the moves as typed
};

// Fields a command does not carry stay zero (texts empty).
struct CommandRecord {
  int id = 0;
  int receivedAt = -1;     // milliseconds on the engine's clock when it was queued (-1: not known)
  int levelMoves = 0;
  int levelBase = 0;       // seconds
  int levelIncrement = 0;  // seconds
  int clockValue = 0;      // centiseconds, as typed
  int resultCode = 0;      // 0 "1-0", 1 "1/2-1/2", 2 "0-1", 3 "*"
  std::string resultText;
  std::string nameText;
  int ratingOwn = 0;
  int ratingOpponent = 0;
  int square = 0;
  int piece = 0;  // 0..5, or 'x' (120) for CMD_EDIT_EMPTY
  int moveFrom = 0;
  int moveTo = 0;
  int movePromotion = 0;  // 1..4, or -1 for none
  int castleCode = 0;
  // UCI only.
  std::string optionName;   // as typed, blanks inside kept
  std::string optionValue;  // as typed; empty when no value was given
  std::string positionBase;  // "startpos" or the FEN text
  std::vector<std::string> positionMoves;  // as typed, in order
  GoArguments go;
};

}  // namespace morvi
