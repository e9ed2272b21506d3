// Debug log records: the exact format, exclusions, and the off switch.
#include "base/debug_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/child_process.h"

namespace morvi {
namespace {

TEST(DebugLogFormat, LongAndShortRecords) {
  EXPECT_EQ(FormatLogRecord(1700000000, "Main-in", "go", "\n"), "[1700000000]   Main-in: go \n");
  EXPECT_EQ(FormatLogRecord(1700000000, "Main-out", "{uknown command}", ""),
            "[1700000000]  Main-out: {uknown command}");
  EXPECT_EQ(FormatLogRecord(42, "Heartbeat", "x", "y"), "[       42] Heartbeat: x y");
  EXPECT_EQ(FormatLogRecord(42, "TwelveCharsX", "x", "\n"), "[       42]TwelveCharsX: x \n");
  EXPECT_EQ(FormatLogRecord(-5, "****", "", ""), "[       -5]      ****: ");
}

class DebugLogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    CloseDebugLog();
    debugLog = DebugLog{};
  }
  std::string Contents() {
    std::ifstream in(dir.File("test.log"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  test_support::TempDir dir;
};

TEST_F(DebugLogTest, ExcludedCategoriesAreCaseSensitive) {
  ASSERT_TRUE(OpenDebugLog(dir.File("test.log")));
  debugLog.enabled = true;
  debugLog.exclude[4] = "Heartbeat";
  LogLine("Heartbeat", "poll");
  LogLine("heartbeat", "kept");
  LogLine("Think", "depth 3", "");
  LogLine("Book", "line\n", "");
  CloseDebugLog();
  std::string log = Contents();
  EXPECT_EQ(log.find("poll"), std::string::npos);
  EXPECT_NE(log.find(" heartbeat: kept \n"), std::string::npos);
  EXPECT_NE(log.find("     Think: depth 3["), std::string::npos);  // no line end added
  EXPECT_EQ(log.substr(log.size() - 18), "]      Book: line\n");
}

TEST_F(DebugLogTest, NothingIsWrittenWhenOff) {
  ASSERT_TRUE(OpenDebugLog(dir.File("test.log")));
  debugLog.enabled = false;
  LogLine("Main-in", "go");
  CloseDebugLog();
  EXPECT_EQ(Contents(), "");
}

TEST_F(DebugLogTest, OpeningTruncatesAnEarlierFile) {
  dir.Write("test.log", "earlier contents");
  ASSERT_TRUE(OpenDebugLog(dir.File("test.log")));
  CloseDebugLog();
  EXPECT_EQ(Contents(), "");
  EXPECT_FALSE(OpenDebugLog(dir.File("missing/test.log")));
}

}  // namespace
}  // namespace morvi
