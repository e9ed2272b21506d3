// Test scaffolding for the opening book: a private temporary directory for
// small book files, config.bookPath pointed at one of them, and a debug log
// in the same directory whose records the tests read back.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/notation.h"
#include "book/opening_book.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "base/random.h"

namespace morvi::testing_book {

class BookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "morvi-book-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    savedBookPath_ = config.bookPath;
    logPath_ = (dir_ / "debug.log").string();
    ASSERT_TRUE(OpenDebugLog(logPath_));
    debugLog.enabled = true;
    ResetBook();
  }

  void TearDown() override {
    ResetBook();
    debugLog.enabled = false;
    CloseDebugLog();
    config.bookPath = savedBookPath_;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  static void ResetBook() { ResetOpeningBook(); }

  // Writes a book file with exactly these bytes and points the book at it.
  std::string UseBook(const std::string& bytes, const std::string& name = "test.book") {
    const std::string path = (dir_ / name).string();
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    config.bookPath = path;
    return path;
  }

  // A seed for which the line choice over lineCount gives target.
  static unsigned SeedForTarget(int lineCount, int target) {
    for (unsigned seed = 1; seed < 100000; ++seed) {
      SeedRandom(seed);
      if (BookTargetLine(lineCount) == target) return seed;
    }
    ADD_FAILURE() << "no seed gives target " << target;
    return 0;
  }

  // The log's records with the time stamp cut off: "      Book: text tail".
  std::vector<std::string> LogRecords() const {
    std::ifstream in(logPath_, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::vector<std::string> records;
    std::string text = all.str();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      end = end == std::string::npos ? text.size() : end + 1;
      std::string record = text.substr(start, end - start);
      const std::size_t stamp = record.find(']');
      records.push_back(stamp == std::string::npos ? record : record.substr(stamp + 1));
      start = end;
    }
    return records;
  }

  std::filesystem::path dir_;
  std::string logPath_;
  std::string savedBookPath_;
};

// Text of a move from the four-character notation, for BookAppendMove.
inline Move BookMove(const char* text) {
  return MakeMoveWord(UncheckedSquare(text[0], text[1]), UncheckedSquare(text[2], text[3]),
                      kNoPromotion, 0);
}

}  // namespace morvi::testing_book
