// The dialect the engine speaks and the session that speaks it. Each dialect
// (xboard, UCI) is a session of the same shape on the engine thread: it
// executes its own command records between searches, runs its pass of the
// engine loop, gives its verdict on a command that arrives during a search,
// and writes every protocol line of its dialect. The engine core (position,
// book, time, the search and the engine's moves) serves both. The dialect is
// chosen once, by the session's first line ("uci"), and is the program's one
// dialect flag: the input thread reads its lines by it, the engine thread
// picks its session by it.
#pragma once

#include <string>

#include "base/clock.h"
#include "board/move.h"
#include "engine/command.h"

namespace morvi {

struct Thinker;

enum class Dialect {
  kXboard,   // the xboard protocol's first version (and the console)
  kXboard2,  // the xboard session after "protover 2": features, ping, setboard, "move M"
  kUci,
};

// A session's verdict on the record at the head of the queue during a search.
enum class Verdict {
  kContinue,  // handled; the record is consumed, the search goes on
  kWrapUp,    // handled; the record is consumed, play the best move now
  kAbort,     // not handled here; stop and leave the record queued
};

class Session {
 public:
  // Executes a record between searches; returns the text of its "Command"
  // log record (empty: none).
  virtual std::string Execute(const CommandRecord& record) = 0;
  // One pass of the engine loop after the queue was drained (the pass's
  // counters are reset already); false when there was nothing to do.
  virtual bool RunPass() = 0;
  // The verdict on the oldest queued record; it stays queued during the call.
  virtual Verdict InSearch(CommandRecord& record) = 0;
  // A thinking line of the running search (its root line changed).
  virtual void WriteThinking(const Thinker& t) = 0;
  // The root move the search takes up now (a dialect may show it).
  virtual void WriteCurrentMove(Move /*move*/, int /*number*/) {}
  // The position on the board is one the engine cannot play from.
  virtual void WriteUnplayable() = 0;
  // The engine's farewell at "quit".
  virtual void WriteFarewell() = 0;

 protected:
  ~Session() = default;
};

// The dialect of the program: xboard until the first line says "uci" (or
// "protover 2" comes).
Dialect ActiveDialect();
// Sets it; the input thread does so at the line that chooses it, before the
// line's record is queued.
void SelectDialect(Dialect dialect);
// The xboard session speaks the protocol's second version.
inline bool Protocol2() { return ActiveDialect() == Dialect::kXboard2; }

// The start-up banner waits for the session's first lines: a GUI that speaks
// the protocol's second version says "xboard" and then "protover N" at once,
// and gets no banner (it would show it in a dialog). The input thread
// settles the question once: after the first line when it is not "xboard",
// after the line that follows "xboard", or at the end of its input.
void SettleDialect();
// Engine thread: waits until the input thread has settled the dialect, at
// most until the clock reads `until`; returns the dialect then.
Dialect AwaitSettledDialect(TimeMs until);

// The session of the active dialect (engine thread).
Session& ActiveSession();

}  // namespace morvi
