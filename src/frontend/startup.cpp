// Start-up in its fixed order (profile, debug log, book path, integer keys,
// log exclusions, banner, engine thread), then the input loop on the main
// thread: read a line, log it, recognise it, answer or queue it. The loop
// ends at "quit", "bye", end of input or an over-long line; every ending stops
// and joins the engine thread before the log is closed.
#include "frontend/startup.h"

#include <csignal>
#include <cstdio>
#include <string>

#include "engine/engine_thread.h"
#include "engine/session.h"
#include "engine/command_queue.h"
#include "engine/search_choice.h"
#include "engine/xboard_features.h"
#include "base/config.h"
#include "base/console.h"
#include "base/debug_log.h"
#include "base/exe_location.h"
#include "frontend/line_reader.h"
#include "base/profile_file.h"
#include "frontend/recognizer.h"
#include "base/text_scan.h"
#include "frontend/uci_reader.h"
#include "base/user_texts.h"

namespace morvi {

namespace {

constexpr int kStillRunning = -1;

// State of the main thread's run: the input loop's modes and the result code.
struct MainThread {
  FrontEndState modes;
  int resultCode = kStillRunning;
  bool engineRunning = false;
  bool firstLine = true;  // no line read yet: "uci" would switch the dialect
  bool dialectSettled = false;
};

std::string Text(UserTextId id) { return std::string(UserText(id)); }

// A GUI sends SIGINT many times per game, and a closed pipe must not kill the
// engine mid-write: both signals are ignored.
void IgnoreSignals() {
  std::signal(SIGINT, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
}

// Step 3: the debug log under its name, else under its name with "2".
void OpenConfiguredLog(MainThread& main) {
  if (config.debugFile.empty() || config.debugFile == "none") {
    debugLog.enabled = false;
    return;
  }
  debugLog.enabled = true;
  std::string path = config.exeDirectory + config.debugFile;
  if (OpenDebugLog(path) || OpenDebugLog(path + "2")) return;
  ConsoleWrite("Fatal Error: Debug file initialization failed\n");
  main.resultCode = EXIT_NO_DEBUG_FILE;
}

void ReadExcludeList(const ProfileFile& profile) {
  for (size_t i = 0; i < debugLog.exclude.size(); ++i) {
    debugLog.exclude[i] = profile.GetText("Debug", "Exclude" + std::to_string(i));
  }
}

void WriteBanner() {
  ConsoleWrite("\n" + Text(TEXT_WELCOME) + " Version (" + Text(TEXT_VERSION) + ") \n");
  ConsoleWrite(Text(TEXT_HELP_HINT) + "\n");
}

void StartUp(MainThread& main, const char* programPath) {
  ExeLocation exe = FindExeLocation(programPath);
  config.exeDirectory = exe.directory;
  config.exeBaseName = exe.baseName;
  ProfileFile profile;
  profile.Load(exe.directory + exe.baseName + ".ini");
  ReadConfiguration(profile, config);
  // The features, from the configuration as read (before the engine thread
  // owns it) with the second version's defaults.
  Configuration modern = config;
  AdoptModernDefaults(modern);
  main.modes.features = FeatureLines(modern);
  OpenConfiguredLog(main);
  ReadExcludeList(profile);
  WriteBanner();
  // After the debug file's fatal message the engine thread is started, as
  // always, but says nothing.
  main.engineRunning = StartEngineThread(main.resultCode == EXIT_NO_DEBUG_FILE);
  if (main.engineRunning) {
    ConsoleWrite("Engine started\n");
  } else {
    ConsoleWrite("Engine could not be started\n");
    main.resultCode = EXIT_NO_ENGINE;
  }
}

// The engine thread's banner waits for this: the dialect is settled by the
// first line, or by the one after "xboard" ("protover 2" switches it first),
// or by the end of the input.
void SettleDialectOnce(MainThread& main) {
  if (main.dialectSettled) return;
  main.dialectSettled = true;
  SettleDialect();
}

void SettleAfterLine(MainThread& main, bool firstLine, std::string_view raw) {
  if (firstLine && LowerCase(LeftTrim(raw)) == "xboard") return;
  SettleDialectOnce(main);
}

void QuitSequence(MainThread& main) {
  SettleDialectOnce(main);
  if (main.modes.consoleMode) ConsoleWrite(Text(TEXT_FAREWELL) + "\n");
  LogLine("Main-out", "Put QUIT in command queue", "\n");
  QueueCommand(CommandId::kQuit);
  WaitUntilQueueEmpty();
  LogLine("Main-out", "Command queue clean, closing debug file", "\n");
  JoinEngineThread();
  main.engineRunning = false;
  CloseDebugLog();
  main.resultCode = EXIT_QUIT;
}

void WriteHelp() {
  for (UserTextId id : {TEXT_HELP_CASE, TEXT_HELP_HELP, TEXT_HELP_QUIT, TEXT_HELP_COMMANDS,
                        TEXT_HELP_MOVES}) {
    ConsoleWrite(Text(id));
  }
}

void ReportUnknown(const std::string& line) {
  if (Protocol2()) {
    ConsoleWrite(Text(TEXT_ERROR) + " (unknown command): " + line + "\n");
  } else {
    ConsoleWrite(Text(TEXT_ERROR) + "  (unknown command) : " + line + "\n");
  }
  LogLine("Main-out", "{uknown command}", line);
}

// The first line was "uci": the session speaks UCI from now on. The answer
// starts on a line of its own, after the prompt already written.
void SwitchToUci(MainThread& main) {
  SelectDialect(Dialect::kUci);
  main.modes.consoleMode = false;
  ConsoleWrite("\n");
  RecognizeUciLine("uci");
}

// One pass of the input loop in UCI mode: no prompt, long lines, no replies
// from the main thread.
void UciInputPass(MainThread& main) {
  std::string line;
  LineStatus status = ReadLongInputLine(stdin, line);
  if (status == LineStatus::End) {
    QuitSequence(main);
    return;
  }
  LogLine("Main-in", line, "\n");
  if (status == LineStatus::TooLong) return;  // no UCI command is that long
  if (RecognizeUciLine(line) == UciLine::Quit) QuitSequence(main);
}

// One pass of the input loop.
void InputPass(MainThread& main) {
  if (ActiveDialect() == Dialect::kUci) {
    UciInputPass(main);
    return;
  }
  if (main.modes.consoleMode) ConsoleWrite(Text(TEXT_PROMPT) + " ");
  std::string raw;
  LineStatus status = ReadInputLine(stdin, raw);
  if (status == LineStatus::End) {  // end of input ends the run like "quit"
    QuitSequence(main);
    return;
  }
  if (status == LineStatus::TooLong) {
    ConsoleWriteLast(Text(TEXT_ERROR) + " (Fatal - too much input - max is " +
                     std::to_string(kMaxLineLength) + " chars) : " + raw + "\n");
    main.resultCode = EXIT_LINE_TOO_LONG;
    return;
  }
  LogLine("Main-in", raw, "\n");
  const bool firstLine = main.firstLine;
  main.firstLine = false;
  // A byte-order mark before the first line (a GUI that writes its pipe as
  // a UTF-8 file) is no part of the command.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (firstLine && raw.rfind(kByteOrderMark, 0) == 0) raw.erase(0, kByteOrderMark.size());
  if (firstLine && IsUciSwitch(raw)) {
    SwitchToUci(main);
    SettleDialectOnce(main);
    return;
  }
  std::string line = LeftTrim(raw);
  switch (RecognizeCommand(main.modes, line)) {
    case Recognition::Quit: QuitSequence(main); break;
    case Recognition::Help: WriteHelp(); break;
    case Recognition::Unknown: ReportUnknown(line); break;
    case Recognition::Handled: break;
  }
  SettleAfterLine(main, firstLine, raw);
}

// Every ending other than the quit sequence: stop the engine thread quietly
// (no farewell line after the fatal message) so that no thread runs while the
// process ends, then close the log.
void StopEngine(MainThread& main) {
  SettleDialectOnce(main);
  if (main.engineRunning) {
    StopEngineThreadQuietly();
    main.engineRunning = false;
  }
  ClearQueue();
  CloseDebugLog();
}

}  // namespace

int RunProgram(int argc, char** argv) {
  IgnoreSignals();
  MainThread main;
  StartUp(main, argc > 0 ? argv[0] : nullptr);
  while (main.resultCode == kStillRunning) InputPass(main);
  StopEngine(main);
  return main.resultCode;
}

}  // namespace morvi
