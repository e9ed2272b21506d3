// The command record that carries one recognised input line from the input
// thread to the engine thread, and the command identifiers.
#pragma once

#include <string>
#include <vector>

#include "base/clock.h"

namespace morvi {

enum class CommandId : int {
  kNone = 0,  // a record not yet filled in
  kDisplay = 1,
  kXboard = 2,
  kFritz = 3,
  kNew = 4,
  kQuit = 5,
  kRandom = 6,
  kForce = 7,
  kWhite = 8,
  kBlack = 9,
  kLevel = 10,
  kTime = 11,
  kOtim = 12,
  kGo = 13,
  kMoveNow = 14,
  kDraw = 15,
  kResult = 16,
  kHint = 17,
  kBook = 18,
  kUndo = 19,
  kRemove = 20,
  kHard = 21,
  kEasy = 22,
  kPonderMove = 23,
  kPost = 24,
  kNopost = 25,
  kAnalyze = 26,
  kExit = 27,
  kStatus = 28,
  kName = 29,
  kRating = 30,
  kEdit = 31,
  kEditColour = 32,
  kEditClear = 33,
  kEditDone = 34,
  kEditPlace = 35,
  kEditEmpty = 36,
  kEditCastle = 37,
  kEditEp = 38,
  kUserMove = 39,
  // The UCI dialect's own commands.
  kUci = 40,          // "uci": identify, list the options, "uciok"
  kIsready = 41,      // "isready": "readyok" once everything before it is done
  kSetoption = 42,    // "setoption name N [value V]": optionName, optionValue
  kUcinewgame = 43,   // "ucinewgame"
  kPosition = 44,     // "position startpos|fen F [moves ...]": positionBase, positionMoves
  kUciGo = 45,       // "go ...": go
  kStop = 46,         // "stop"
  kPonderhit = 47,    // "ponderhit"
  // The xboard protocol's second version (after "protover 2").
  kProtover = 48,  // "protover N": number; the features are written by the input thread
  kPing = 49,      // "ping N": argument, answered "pong N" once everything before it is done
  kSetboard = 50,  // "setboard FEN": argument
  kSt = 51,        // "st N": number, the seconds of every move in milliseconds
  kSd = 52,        // "sd N": number, the depth limit
  kMemory = 53,    // "memory N": number, megabytes for the table
  kOption = 54,    // "option NAME=VALUE": argument
  kCores = 55,     // "cores N": number, the threads the search may use
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
  CommandId id = CommandId::kNone;
  TimeMs receivedAt = -1;  // the engine's clock when it was queued (-1: not known)
  int levelMoves = 0;
  int levelBase = 0;       // seconds
  int levelIncrement = 0;  // seconds
  int levelIncrementMs = -1;  // the increment to the millisecond, when given so (protocol 2)
  int clockValue = 0;      // centiseconds, as typed
  int resultCode = 0;      // 0 "1-0", 1 "1/2-1/2", 2 "0-1", 3 "*"
  std::string resultText;
  std::string nameText;
  int ratingOwn = 0;
  int ratingOpponent = 0;
  int square = 0;
  int piece = 0;  // 0..5, or 'x' (120) for kEditEmpty
  int moveFrom = 0;
  int moveTo = 0;
  int movePromotion = 0;  // 1..4, or -1 for none
  int castleCode = 0;
  // UCI only.
  std::string optionName;   // as typed, its words joined by single blanks
  std::string optionValue;  // the same; empty when no value was given
  std::string positionBase;  // "startpos" or the FEN text
  bool positionFen = false;  // the base is a FEN (even one that reads "startpos")
  std::vector<std::string> positionMoves;  // as typed, in order
  GoArguments go;
  // xboard protocol 2 only.
  int number = 0;        // protover, st (milliseconds), sd, memory
  std::string argument;  // ping's number, setboard's FEN, option's NAME=VALUE, as typed
};

}  // namespace morvi
