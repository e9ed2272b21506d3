// End-to-end: the debug log file written by the engine binary: its records,
// exclusions, "none", the second name with "2", and exit code 4.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "e2e/expected_output.h"

namespace morvi::e2e {
namespace {

constexpr std::string_view kQuitRecords =
    "[T]   Main-in: quit \n"
    "[T]  Main-out: Put QUIT in command queue \n"
    "[T]  Main-out: Command queue clean, closing debug file \n";

TEST(DebugLogFile, RecordsOfASession) {
  EngineInstall engine("[Main]\nDebugFile=morvi.log\n");
  long long before = std::time(nullptr);
  auto run = engine.Run("  go\nFoo\n\nquit\n");
  long long after = std::time(nullptr);
  EXPECT_EQ(run.exitCode, 0);
  std::string log = engine.Dir().Read("morvi.log");
  // The raw line is logged; an unknown command's record has the line as its
  // tail and no line end of its own.
  EXPECT_EQ(MainRecords(log), "[T]   Main-in:   go \n"
                             "[T]   Main-in: Foo \n"
                             "[T]  Main-out: {uknown command} Foo"
                             "[T]   Main-in:  \n"
                             "[T]  Main-out: {uknown command}" +
                                 std::string(kQuitRecords));
  ASSERT_GE(log.size(), 12u);
  EXPECT_EQ(log[0], '[');
  EXPECT_EQ(log[11], ']');
  long long stamp = std::stoll(log.substr(1, 10));
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
}

TEST(DebugLogFile, ExcludedCategoriesAreSilencedByExactName) {
  EngineInstall engine(
      "[Main]\nDebugFile=morvi.log\n[Debug]\nExclude3=Main-in\nExclude9=main-out\nExclude0=\n");
  auto run = engine.Run("quit\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(MainRecords(engine.Dir().Read("morvi.log")),
            "[T]  Main-out: Put QUIT in command queue \n"
            "[T]  Main-out: Command queue clean, closing debug file \n");
}

TEST(DebugLogFile, NoLogWithNoneEmptyOrMissingKey) {
  for (const char* profile : {"[Main]\nDebugFile=none\n", "[Main]\nDebugFile=\n", "; empty\n", ""}) {
    EngineInstall engine(profile);
    auto run = engine.Run("help\nquit\n");
    EXPECT_EQ(run.exitCode, 0) << profile;
    std::vector<std::string> expected = {"morvi"};
    if (*profile) expected.push_back("morvi.ini");
    EXPECT_EQ(engine.Dir().Names(), expected) << profile;
  }
}

TEST(DebugLogFile, ProfileNamesIgnoreLetterCaseAndBlanks) {
  EngineInstall engine("# comment\n[ MAIN ]\n  debugfile  =  session.log  \n");
  auto run = engine.Run("quit\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(MainRecords(engine.Dir().Read("session.log")), kQuitRecords);
}

TEST(DebugLogFile, AnEarlierLogIsReplaced) {
  EngineInstall engine("[Main]\nDebugFile=morvi.log\n");
  engine.Dir().Write("morvi.log", std::string(5000, 'o'));
  auto run = engine.Run("quit\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(MainRecords(engine.Dir().Read("morvi.log")), kQuitRecords);
}

TEST(DebugLogFile, SecondInstanceWritesToTheNameWith2) {
  EngineInstall engine("[Main]\nDebugFile=morvi.log\n");
  test_support::ChildProcess first(engine.Exe());
  first.WaitForOutput(kPrompt);  // the first instance holds morvi.log now

  auto second = engine.Run("bye\n");
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(MainRecords(engine.Dir().Read("morvi.log2")),
            "[T]   Main-in: bye \n"
            "[T]  Main-out: Put QUIT in command queue \n"
            "[T]  Main-out: Command queue clean, closing debug file \n");

  first.Send("quit\n");
  auto run = first.Finish();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(MainRecords(engine.Dir().Read("morvi.log")), kQuitRecords);
}

TEST(DebugLogFile, NeitherNameCreatedEndsWithCode4) {
  EngineInstall engine("[Main]\nDebugFile=no-such-folder/morvi.log\n");
  auto run = engine.Run("help\nquit\n");
  // The engine thread is still started, but writes nothing (not even its
  // banner); the input loop is not run.
  EXPECT_EQ(run.out, "Fatal Error: Debug file initialization failed\n" + std::string(kStartText));
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_EQ(run.err, "");
}

TEST(DebugLogFile, OverlongLineIsNotLogged) {
  EngineInstall engine("[Main]\nDebugFile=morvi.log\n");
  auto run = engine.Run("go\n" + std::string(300, 'q') + "\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(MainRecords(engine.Dir().Read("morvi.log")), "[T]   Main-in: go \n");
}

}  // namespace
}  // namespace morvi::e2e
