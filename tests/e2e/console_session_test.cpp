// End-to-end: the engine binary driven through pipes in console and xboard
// mode; exact standard output bytes and exit codes.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "e2e/expected_output.h"

namespace morvi::e2e {
namespace {

// The farewell of console mode and the engine thread's last line.
std::string Bye() { return std::string(kFarewell) + std::string(kByeBye); }

std::string P(int count) {  // count prompts
  std::string prompts;
  for (int i = 0; i < count; ++i) prompts += kPrompt;
  return prompts;
}

TEST(ConsoleSession, BannerPromptAndQuit) {
  EngineInstall engine;
  auto run = engine.Run("quit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
}

TEST(ConsoleSession, HelpListsTheCommandsInBothModes) {
  EngineInstall engine;
  auto run = engine.Run("help\nHELP\nxboard\nhelp\nquit\n");
  EXPECT_EQ(Normalised(run.out),
            AfterStart(P(1) + std::string(kHelpText) + P(1) + std::string(kHelpText) + P(1) + "\n" +
                       std::string(kHelpText) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

// xboard at its default protocol sends "protover 2" right behind "xboard" and
// waits for features; their lines start on a line of their own, written while
// the engine thread is still calibrating.
TEST(ConsoleSession, ProtocolTwoIsAnsweredOnALineOfItsOwn) {
  EngineInstall engine;
  auto run = engine.Run("xboard\nprotover 2\nquit\n");
  EXPECT_EQ(Normalised(run.out).rfind(AfterStart(P(1) + "\nfeature ping=1 "), 0), 0u) << run.out;
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, QuitAndByeInAnyLetterCase) {
  for (const char* line : {"QUIT\n", "Quit\n", "quit\n", "bye\n", "BYE\n", "  quit\n", "\tbye\n"}) {
    EngineInstall engine;
    auto run = engine.Run(std::string(line) + "help\n");
    EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + Bye())) << line;
    EXPECT_EQ(run.exitCode, 0) << line;
  }
}

TEST(ConsoleSession, QuitWithTrailingBlankIsUnknown) {
  EngineInstall engine;
  auto run = engine.Run("quit \nexit\nbye\n");
  // "exit" leaves analysis; it does not end the program.
  EXPECT_EQ(Normalised(run.out),
            AfterStart(P(1) + Unknown("quit ") + P(2) + Bye()));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, LongestLineIs253Characters) {
  EngineInstall engine;
  std::string line253(253, 'z');
  auto run = engine.Run(line253 + "\nquit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + Unknown(line253) + P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, LineOf254CharactersEndsWithCode2) {
  for (size_t length : {254u, 400u}) {
    EngineInstall engine;
    std::string line(length, 'z');
    auto run = engine.Run(line + "\nquit\n");
    EXPECT_EQ(Normalised(run.out),
              AfterStart(P(1) + "Error (Fatal - too much input - max is 253 chars) : " +
                         std::string(254, 'z') + "\n"));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "");
  }
}

TEST(ConsoleSession, EmptyLineAndBlanksAreUnknown) {
  EngineInstall engine;
  auto run = engine.Run("\n   \n  Foo Bar  \nquit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + Unknown("") + P(1) + Unknown("") + P(1) +
                                            Unknown("Foo Bar  ") + P(1) + Bye()));
}

TEST(ConsoleSession, DisplayOnlyInConsoleModeAndNoFarewellAfterXboard) {
  EngineInstall engine;
  test_support::ChildProcess child(engine.Exe());
  ASSERT_TRUE(child.WaitFor(kEngineBanner));
  child.Send("xboard\n");
  ASSERT_TRUE(child.WaitUntil([](const std::string& out) {  // the engine's answer to "xboard"
    return Normalised(out) == AfterStart(P(1) + "\n");
  }));
  // After "xboard": no prompt, "d" is ignored silently, unknown lines are still answered.
  child.Send("d\nfoo\nquit\n");
  auto run = child.Finish();
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + "\n" + Unknown("foo") + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, FritzAlsoLeavesConsoleMode) {
  EngineInstall engine;
  auto run = engine.Run("FRITZ\nbye\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, EndOfInputEndsLikeQuit) {
  EngineInstall engine;
  auto run = engine.Run("");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);

  run = engine.Run("help");  // a last line without a line end is still read
  EXPECT_EQ(Normalised(run.out),
            AfterStart(P(1) + std::string(kHelpText) + P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);

  run = engine.Run("xboard\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + "\n" + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, RecognisedCommandsAreQueuedSilently) {
  EngineInstall engine;
  auto run = engine.Run(
      "new\nlevel 40 5 0\nTIME 6000\notim 99999999999\ne2e4\nresult 1-0 {White mates}\n"
      "name Club Player\nrating 2100 1950\nforce\nedit\nPe4\nc\n.\nlevel 40 5\ne9e4\nc\nquit\n");
  // Only the ill-formed level, the bad square and "c" outside edit mode are
  // unknown; the engine executes the rest without a word.
  EXPECT_EQ(Normalised(run.out), AfterStart(P(14) + Unknown("level 40 5") + P(1) + Unknown("e9e4") +
                                            P(1) + Unknown("c") + P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, WindowsLineEndsAreAccepted) {
  EngineInstall engine;
  auto run = engine.Run("help\r\nquit\r\n");
  EXPECT_EQ(Normalised(run.out),
            AfterStart(P(1) + std::string(kHelpText) + P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, InterruptSignalIsIgnored) {
  EngineInstall engine;
  test_support::ChildProcess child(engine.Exe());
  ASSERT_TRUE(child.WaitFor(kEngineBanner));
  ASSERT_TRUE(child.WaitFor(kPrompt));
  for (int i = 0; i < 5; ++i) child.Signal(SIGINT);
  child.Send("help\n");
  child.WaitForOutput(std::string(kHelpText) + std::string(kPrompt));
  child.Send("quit\n");
  auto run = child.Finish();
  EXPECT_EQ(Normalised(run.out),
            AfterStart(P(1) + std::string(kHelpText) + P(1) + Bye()));
  EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleSession, ClosedOutputPipeDoesNotKillTheEngine) {
  EngineInstall engine;
  test_support::ChildProcess child(engine.Exe());
  child.WaitForOutput(kPrompt);
  child.CloseOutput();
  std::string input;
  for (int i = 0; i < 200; ++i) input += "help\n";
  child.Send(input + "quit\n");
  auto run = child.Finish();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
}

TEST(ConsoleSession, ManyQueuedCommandsThenQuitEndCleanly) {
  // The engine thread is still taking records when "quit" arrives.
  EngineInstall engine;
  std::string input = "xboard\nforce\n";
  for (int i = 0; i < 2000; ++i) input += "e2e4\nlevel 0 2:30 12\nundo\n";
  auto run = engine.Run(input + "quit\n");
  EXPECT_EQ(Normalised(run.out), AfterStart(P(1) + "\n" + std::string(kByeBye)));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace morvi::e2e
