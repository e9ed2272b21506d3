// Number scans with the "%d" and "%d:%d" rules, clamping, and the character
// runs, trims and keyword test.
#include "base/text_scan.h"

#include <gtest/gtest.h>

#include <climits>

namespace morvi {
namespace {

TEST(TextScan, ScanIntReadsSignAndDigitsAfterWhiteSpace) {
  int value = 7;
  EXPECT_EQ(ScanInt("  -42xyz", value), 1);
  EXPECT_EQ(value, -42);
  EXPECT_EQ(ScanInt("+5", value), 1);
  EXPECT_EQ(value, 5);
  value = 7;
  for (const char* text : {"", "x1", "-", "+ 1", ":5"}) {
    EXPECT_EQ(ScanInt(text, value), 0) << text;
    EXPECT_EQ(value, 7) << text;
  }
}

TEST(TextScan, ScanIntClampsTo32Bits) {
  int value = 0;
  EXPECT_EQ(ScanInt("99999999999", value), 1);
  EXPECT_EQ(value, INT_MAX);
  EXPECT_EQ(ScanInt("-99999999999999999999999999", value), 1);
  EXPECT_EQ(value, INT_MIN);
  EXPECT_EQ(ScanInt("2147483647", value), 1);
  EXPECT_EQ(value, INT_MAX);
  EXPECT_EQ(ScanInt("-2147483648", value), 1);
  EXPECT_EQ(value, INT_MIN);
  EXPECT_EQ(ScanInt("2147483648", value), 1);
  EXPECT_EQ(value, INT_MAX);
}

TEST(TextScan, ScanIntColonIntCountsWhatItRead) {
  int first = 0, second = 0;
  EXPECT_EQ(ScanIntColonInt("2:30", first, second), 2);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 30);
  first = second = 0;
  EXPECT_EQ(ScanIntColonInt("5", first, second), 1);
  EXPECT_EQ(ScanIntColonInt("5:", first, second), 1);
  EXPECT_EQ(ScanIntColonInt("5 :3", first, second), 1);  // the colon must follow at once
  EXPECT_EQ(ScanIntColonInt("5: 3", first, second), 2);  // the second number skips blanks
  EXPECT_EQ(ScanIntColonInt(":30", first, second), 0);
  EXPECT_EQ(ScanIntColonInt("", first, second), 0);
}

TEST(TextScan, CharacterSetOperations) {
  EXPECT_EQ(SkipToFirstOf("level 40", kDigits), "40");
  EXPECT_EQ(SkipToFirstOf("level", kDigits), "");
  EXPECT_EQ(LeadingRun("2:30 12", kClockChars), "2:30");
  EXPECT_EQ(LeadingRun("x", kDigits), "");
  EXPECT_EQ(LeftTrim(" \t x "), "x ");
  EXPECT_EQ(LowerCase("QuIt 1-0"), "quit 1-0");
  EXPECT_TRUE(KeywordAtStart("time 5", "time"));
  EXPECT_FALSE(KeywordAtStart("xtime 5", "time"));
}

}  // namespace
}  // namespace morvi
