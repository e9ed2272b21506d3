// The profile reader's rules and the reading of every configuration key.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <string>

#include "base/config.h"
#include "base/profile_file.h"

namespace morvi {
namespace {

Configuration Read(std::string_view text) {
  ProfileFile profile;
  profile.LoadText(text);
  Configuration out;
  out.exeDirectory = "/opt/morvi/";
  out.exeBaseName = "morvi";
  ReadConfiguration(profile, out);
  return out;
}

TEST(ProfileFile, NamesIgnoreLetterCaseAndSurroundingBlanks) {
  ProfileFile profile;
  profile.LoadText(
      "; comment\n# comment = 1\n[ engine ]\n  CASTLESFACTORS  =  12\nmaterialfactors=3\r\n"
      "[Search]\nnot a key line\nQSkipMargin = -7\nQSkipMargin = 9\n");
  EXPECT_EQ(profile.GetInt("Engine", "CastlesFactorS ", 0), 12);
  EXPECT_EQ(profile.GetInt("ENGINE", "MaterialFactorS", 0), 3);
  EXPECT_EQ(profile.GetInt("Search", "QSkipMargin", 0), -7);  // the first occurrence wins
  EXPECT_EQ(profile.GetInt("Engine", "QSkipMargin", 5), 5);   // other section
  EXPECT_EQ(profile.GetInt("#", "comment", 8), 8);
  EXPECT_EQ(profile.GetText("Search", "not a key line", "-"), "-");
}

TEST(ProfileFile, ValuesThatAreNotNumbersKeepTheDefault) {
  ProfileFile profile;
  profile.LoadText("[S]\na=12abc\nb=\nc=+\nd= +15 \ne=0x10\nf=1 2\ng=99999999999\nh=-99999999999\n");
  EXPECT_EQ(profile.GetInt("S", "a", -1), -1);
  EXPECT_EQ(profile.GetInt("S", "b", -1), -1);
  EXPECT_EQ(profile.GetInt("S", "c", -1), -1);
  EXPECT_EQ(profile.GetInt("S", "d", -1), 15);
  EXPECT_EQ(profile.GetInt("S", "e", -1), -1);
  EXPECT_EQ(profile.GetInt("S", "f", -1), -1);
  EXPECT_EQ(profile.GetInt("S", "g", -1), INT_MAX);
  EXPECT_EQ(profile.GetInt("S", "h", -1), INT_MIN);
}

TEST(ProfileFile, TextValuesAreTrimmedAndBounded) {
  ProfileFile profile;
  profile.LoadText("[Main]\nDebugFile =  my log.txt  \nBook=" + std::string(5000, 'b') + "\n");
  EXPECT_EQ(profile.GetText("Main", "DebugFile"), "my log.txt");
  EXPECT_EQ(profile.GetText("Main", "Book").size(), 4095u);
  EXPECT_EQ(profile.GetText("Main", "Missing", "x"), "x");
}

TEST(ProfileFile, MissingFileReadsAsEmpty) {
  ProfileFile profile;
  EXPECT_FALSE(profile.Load("/nonexistent/morvi.ini"));
  EXPECT_EQ(profile.GetInt("Engine", "NormalizeS", 10), 10);
}

TEST(Configuration, DefaultsWhenNothingIsSet) {
  Configuration read = Read("");
  Configuration defaults;
  for (const IntegerKey& key : kIntegerKeys) {
    EXPECT_EQ(read.*key.parameter, defaults.*key.parameter) << key.key;
    EXPECT_EQ(read.*key.parameter, key.times1024 ? key.fileDefault * 1024 : key.fileDefault)
        << key.key;
  }
  EXPECT_EQ(read.EarlyEndingCount, 20480);
  EXPECT_EQ(read.LateEndingCount, 12288);
  EXPECT_EQ(read.debugFile, "");
  EXPECT_EQ(read.bookPath, "/opt/morvi/morvi.book");
}

TEST(Configuration, EveryKeyIsReadFromItsSection) {
  std::ostringstream text;
  std::string section;
  int value = 100;
  for (const IntegerKey& key : kIntegerKeys) {
    if (key.section != section) text << "[" << (section = key.section) << "]\n";
    text << key.key << "=" << value++ << "\n";
  }
  Configuration read = Read(text.str());
  // Distinct values also show that no two keys share a parameter.
  value = 100;
  for (const IntegerKey& key : kIntegerKeys) {
    EXPECT_EQ(read.*key.parameter, key.times1024 ? value * 1024 : value) << key.key;
    ++value;
  }
}

TEST(Configuration, ScaledKeysAndBookPath) {
  Configuration read = Read(
      "[GameStage]\nEarlyEndingCount=3\nLateEndingCount=99999999999\n[Main]\nBook=lines.txt\n"
      "DebugFile=none\n[Engine]\nCastlesFactorS=12\n");
  EXPECT_EQ(read.EarlyEndingCount, 3072);
  EXPECT_EQ(read.LateEndingCount, INT_MAX);  // clamped, never overflowing
  EXPECT_EQ(read.CastlesFactorS, 12);
  EXPECT_EQ(read.bookPath, "/opt/morvi/lines.txt");
  EXPECT_EQ(read.debugFile, "none");
}

TEST(Configuration, ShippedProfileListsEveryKeyWithItsDefault) {
  std::ifstream in(MORVI_SOURCE_DIR "/morvi.ini");
  ASSERT_TRUE(in) << "morvi.ini not found";
  std::ostringstream text;
  text << in.rdbuf();
  ProfileFile profile;
  profile.LoadText(text.str());
  for (const IntegerKey& key : kIntegerKeys) {
    if (std::string_view(key.key) == "Hash") {  // empty: the dialect decides
      EXPECT_EQ(profile.GetText(key.section, key.key, "missing"), "");
      EXPECT_EQ(key.fileDefault, -1);
      continue;
    }
    EXPECT_EQ(profile.GetInt(key.section, key.key, INT_MIN), key.fileDefault) << key.key;
  }
  EXPECT_EQ(profile.GetText("Search", "Search", "missing"), "");
  EXPECT_EQ(profile.GetText("Main", "DebugFile", "missing"), "");
  EXPECT_EQ(profile.GetText("Main", "Book", "missing"), "");
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(profile.GetText("Debug", "Exclude" + std::to_string(i), "missing"), "") << i;
  }
}

}  // namespace
}  // namespace morvi
