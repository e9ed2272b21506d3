// The console output channel: the one routine that writes to standard output,
// and the output lock it shares with the debug log.
#pragma once

#include <mutex>
#include <string>

namespace morvi {

// Guards standard output and the debug log file. Lock order: the command
// queue's lock may be held while this one is taken, never the reverse.
std::mutex& OutputLock();

// Writes the text unchanged (no line end added) and flushes, in one piece.
void ConsoleWrite(std::string text);

// Writes the program's last words (a fatal message): every later ConsoleWrite,
// from either thread, writes nothing.
void ConsoleWriteLast(std::string text);

}  // namespace morvi
