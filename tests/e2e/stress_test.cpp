// End-to-end: a stress run. A fixed pseudo-random stream of input lines
// (console and xboard keywords, clock and level numbers at and beyond 32
// bits, legal and illegal moves, edit mode, garbage bytes, blank lines,
// lines of up to 253 characters) goes into the real program while it
// searches, ponders and analyses; it must answer every "bk", still answer at
// the end, write nothing on standard error and end with code 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "e2e/expected_output.h"
#include "e2e/session.h"

namespace morvi::e2e {
namespace {

using test_support::ChildProcess;

constexpr int kLines = 100000;
constexpr int kChunkLines = 1000;  // "bk" is answered after each chunk
constexpr int kBatchLines = 20;    // sent at once, then a pause
constexpr int kBatchPauseMs = 3;
constexpr int kChunkPauseMs = 30;
constexpr std::uint64_t kSeed = 0x5eed2024;
constexpr size_t kLongestLine = 253;  // one more ends the program by design

// The line as the front end reads it: blanks in front dropped, lower case
// (ASCII only), a carriage return before the line end dropped.
std::string AsRead(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const size_t start = line.find_first_not_of(" \t\n\r\v\f");
  std::string text(start == std::string_view::npos ? std::string_view() : line.substr(start));
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The stream: each line is drawn from one of a few kinds, weighted.
class LineSource {
 public:
  explicit LineSource(std::uint64_t seed) : random_(seed) {}

  // One line without its line end: never "quit" or "bye" (which end the run)
  // and never longer than kLongestLine; "xboard" and "fritz" (which end
  // console mode for good) only when allowed.
  std::string Next(bool xboardAllowed) {
    for (;;) {
      std::string line = Draw();
      if (line.size() > kLongestLine) line.resize(kLongestLine);
      const std::string read = AsRead(line);
      if (read == "quit" || read == "bye" || (!xboardAllowed && (read == "xboard" || read == "fritz"))) continue;
      return line;
    }
  }

 private:
  size_t Pick(size_t n) { return static_cast<size_t>(random_() % n); }
  bool Chance(int percent) { return Pick(100) < static_cast<size_t>(percent); }
  template <size_t N>
  std::string From(const char* const (&words)[N]) {
    return words[Pick(N)];
  }

  std::string Draw() {
    if (Pick(10000) == 0) return "new";  // rare: it calibrates for 0.3 s
    if (Pick(1000) == 0) return "edit";    // rare: few positions it leaves can be played
    const size_t kind = Pick(1000);
    std::string line;
    if (kind < 300) {
      line = Keyword();
    } else if (kind < 450) {
      line = WithArguments();
    } else if (kind < 650) {
      line = MoveText();
    } else if (kind < 750) {
      line = Placement();
    } else if (kind < 850) {
      line = Garbage(Pick(40));
    } else if (kind < 900) {
      line = From({"", " ", "\t", "  \t ", "\r"});
    } else if (kind < 950) {
      line = Long();
    } else {
      line = Number();
    }
    return Dress(line);
  }

  // Now and then mixed case, blanks in front, a blank or a carriage return
  // behind.
  std::string Dress(std::string line) {
    if (Chance(8)) {
      for (char& c : line) {
        if (c >= 'a' && c <= 'z' && Chance(50)) c = static_cast<char>(c - 'a' + 'A');
      }
    }
    if (Chance(8)) line = std::string(1 + Pick(3), Chance(50) ? ' ' : '\t') + line;
    if (Chance(3)) line += ' ';
    if (Chance(2)) line += '\r';
    return line;
  }

  std::string Keyword() {
    static const char* const kKeywords[] = {
        "random", "force", "white", "black", "go", "go", "go", "?", "draw", "hint", "bk", "undo", "remove",
        "hard", "hard", "easy", "post", "nopost", "analyze", "analyze", "exit", "d", "help", ".", ".",
        "c", "#", "fritz", "xboard", "computer", "protover 2", "accepted", "st 1", "sd 3", "ping 7", "uci",
    };
    return From(kKeywords);
  }

  // A number: small, a clock value, a 32-bit boundary or far beyond, signed
  // now and then.
  std::string Number() {
    static const char* const kBoundaries[] = {
        "0", "-1", "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295", "4294967296",
        "9223372036854775807", "9223372036854775808", "18446744073709551616", "99999999999999999999999999",
    };
    switch (Pick(6)) {
      case 0: return std::to_string(Pick(10));
      case 1: return std::to_string(Pick(400));
      case 2: return std::to_string(Pick(100000));
      case 3: return From(kBoundaries);
      case 4: {
        const std::string sign = Chance(30) ? "-" : "";
        return sign + Digits(1 + Pick(40));
      }
      default: return std::to_string(Pick(60)) + ":" + std::to_string(Pick(100));
    }
  }

  std::string Digits(size_t count) {
    std::string digits;
    for (size_t i = 0; i < count; ++i) digits += static_cast<char>('0' + Pick(10));
    return digits;
  }

  std::string Square() {
    std::string square;
    square += static_cast<char>(Chance(95) ? 'a' + Pick(8) : 'i' + Pick(3));
    square += static_cast<char>(Chance(95) ? '1' + Pick(8) : (Chance(50) ? '0' : '9'));
    return square;
  }

  // A move: one that is often legal in the games the stream plays, or any
  // squares with a promotion letter now and then.
  std::string MoveText() {
    static const char* const kPlausible[] = {
        "e2e4", "d2d4", "g1f3", "c2c4", "b1c3", "f1c4", "f1b5", "e1g1", "e2e3", "a2a3", "h2h3", "d1h5",
        "e7e5", "d7d5", "g8f6", "c7c5", "b8c6", "f8c5", "e8g8", "e7e6", "a7a6", "h7h6", "e4d5", "d5e4",
        "e5d4", "d4e5", "f3e5", "c6d4", "e7e8", "e7e8n", "a7a8q", "a2a1r", "h2h1b",
    };
    if (Chance(50)) return From(kPlausible);
    std::string move = Square() + Square();
    if (Chance(10)) move += "qrbnkpx"[Pick(7)];
    return move;
  }

  // An edit-mode piece, a square emptied, castling or en passant.
  std::string Placement() {
    switch (Pick(8)) {
      case 0: return "x" + Square();
      case 1: return "castle " + From({"+w00", "-w000", "+b00", "-b000", "+w0", "w00", "+b0000", "-x00"});
      case 2: return "ep " + Square();
      default: return std::string(1, "PNBRQKpnbrqkXzZ"[Pick(15)]) + Square();
    }
  }

  std::string WithArguments() {
    switch (Pick(10)) {
      case 0: return "level " + Number() + " " + Number() + " " + Number();
      case 1: return "level 40 0:0" + std::to_string(Pick(10)) + " 0";
      case 2: return "time " + (Chance(50) ? std::to_string(Pick(3000)) : Number());
      case 3: return "otim " + (Chance(50) ? std::to_string(Pick(3000)) : Number());
      case 4: return "ponder " + MoveText();
      case 5: return "result " + From({"1-0", "0-1", "1/2-1/2", "*", "2-0", "1/2"}) + " {" + Garbage(Pick(20)) + "}";
      case 6: return "name " + Garbage(Pick(30));
      case 7: return "rating " + Number() + " " + Number();
      case 8: return From({"time", "otim", "level", "rating", "name", "result", "ponder"});
      default: return From({"sometime 5", "level", "level 40", "level x y z", "time -", "otim :", "ratings 1 2"});
    }
  }

  // Any bytes but the line end.
  std::string Garbage(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
      char c = Chance(80) ? static_cast<char>(' ' + Pick(95)) : static_cast<char>(Pick(256));
      text += c == '\n' ? '?' : c;
    }
    return text;
  }

  // 200 to 253 characters.
  std::string Long() {
    const size_t length = 200 + Pick(kLongestLine - 200 + 1);
    std::string line;
    switch (Pick(5)) {
      case 0: line = "name "; break;
      case 1: line = "level 40 "; break;
      case 2: line = "time "; break;
      case 3: line = "result 1-0 {"; break;
      default: break;
    }
    while (line.size() < length) line += Chance(70) ? Digits(1) : Garbage(1);
    line.resize(length);
    return line;
  }

  std::mt19937_64 random_;
};

// Counts a text's occurrences in a growing output without reading it twice.
class Tally {
 public:
  explicit Tally(std::string_view text) : text_(text) {}
  size_t Count(const std::string& out) {
    for (size_t at = out.find(text_, next_); at != std::string::npos; at = out.find(text_, next_)) {
      ++count_;
      next_ = at + text_.size();
    }
    if (out.size() >= text_.size()) next_ = std::max(next_, out.size() - text_.size() + 1);
    return count_;
  }

 private:
  std::string_view text_;
  size_t next_ = 0;
  size_t count_ = 0;
};

// Positions set up in edit mode, with the side to move given last; the
// stream's moves include some that are legal in them.
const char* const kSetUps[] = {
    // A middle game after 1.Nf3 Nc6 with the e- and d-pawns gone, White to move.
    "edit\n#\nKg1\nQd1\nRa1\nRf1\nBc1\nBf1\nNf3\nNb1\nPa2\nPb2\nPc2\nPf2\nPg2\nPh2\nc\n"
    "Kg8\nQd8\nRa8\nRf8\nBc8\nBf8\nNc6\nNg8\nPa7\nPb7\nPc7\nPf7\nPg7\nPh7\n.\nwhite\n",
    // Pawns about to promote on both sides, Black to move.
    "edit\n#\nKh1\nPe7\nPa7\nPb2\nc\nKh8\nPa2\nPh2\nPe2\nNg6\n.\nblack\n",
    // Kings and rooks with castling rights and an en-passant square, White to move.
    "edit\n#\nKe1\nRa1\nRh1\nPe2\nPd5\nc\nKe8\nRa8\nRh8\nPe5\ncastle +w00\ncastle +w000\ncastle +b00\n"
    "castle +b000\nep e6\n.\nwhite\n",
};

// Reads the child's output for a while.
void Pause(ChildProcess& child, int ms) {
  child.WaitUntil([](const std::string&) { return false; }, ms);
}

// The output's last characters, for a failure message.
std::string Tail(const std::string& out) { return out.substr(out.size() - std::min<size_t>(out.size(), 2000)); }

TEST(StressRun, RandomLinesWhileSearchingLoseNothingAndEndCleanly) {
  EngineInstall engine;
  ChildProcess child(engine.Exe());
  LineSource source(kSeed);
  // The book answer's last line: its first line is written on its own, and
  // the input loop's answers (a prompt, an unknown command) may come between.
  Tally answers("\tthis is not training program\n\n");
  size_t books = 0;
  bool editMode = false;  // as the front end sees it
  child.Send("post\n");   // a first line that is not "uci"
  for (int first = 0; first < kLines; first += kChunkLines) {
    // Each chunk starts from a position the engine can play: a new game now
    // and then (it calibrates for 0.3 s), else one set up in edit mode.
    const int chunkIndex = first / kChunkLines;
    std::string chunk = chunkIndex % 10 == 0 ? "new\n" : kSetUps[chunkIndex % std::size(kSetUps)];
    for (int i = first; i < first + kChunkLines && i < kLines; ++i) {
      if (i == kLines / 2) chunk += "xboard\n";
      const std::string line = source.Next(i >= kLines / 2);  // console mode for the first half
      const std::string read = AsRead(line);
      books += read == "bk";
      if (read == "edit") editMode = true;
      if (read == "." && editMode) editMode = false;
      chunk += line + "\n";
      // A few lines at a time, so that most arrive while a search runs.
      if ((i + 1) % kBatchLines == 0) {
        child.Send(chunk);
        chunk.clear();
        Pause(child, kBatchPauseMs);
      }
    }
    // End every chunk with a search under way, so that the next one arrives
    // during it: an analysis, the engine's own move on a long clock, or
    // pondering after a move on a short one.
    if (editMode) chunk += ".\n";
    editMode = false;
    static const char* const kSearches[] = {"exit\npost\nanalyze\n", "exit\ntime 100000\ngo\n",
                                            "exit\nhard\ntime 30\ngo\n"};
    chunk += std::string(kSearches[chunkIndex % 3]) + "bk\n";
    ++books;
    child.Send(chunk);
    ASSERT_TRUE(child.WaitUntil([&](const std::string& out) { return answers.Count(out) >= books; }, kHangGuardMs))
        << "lines " << first << " to " << first + kChunkLines << ": " << answers.Count(child.Output()) << " of "
        << books << " \"bk\" answered; the output ends:\n"
        << Tail(child.Output());
    Pause(child, kChunkPauseMs);  // let the search run a little
  }
  // Nothing searches any more; then one status line and the book answer.
  const size_t before = child.Output().size();
  child.Send("force\nexit\nbk\n");
  ++books;
  ASSERT_TRUE(child.WaitUntil([&](const std::string& out) { return answers.Count(out) >= books; }, kHangGuardMs))
      << Tail(child.Output().substr(before));
  const size_t from = child.Output().size();
  child.Send(".\nbk\nhint\nquit\n");
  auto run = child.FinishWithin(kHangGuardMs);
  const std::string tail = run.out.substr(from);
  // "stat01: ...", the book answer, perhaps a hint, the farewell.
  const size_t status = tail.find('\n') + 1;
  EXPECT_EQ(Skeleton(tail.substr(0, status)), "stat01: *\n") << tail;
  std::string rest = tail.substr(status);
  EXPECT_TRUE(rest.starts_with(kBookAnswer)) << tail;
  EXPECT_TRUE(rest.ends_with(kByeBye)) << tail;
  if (rest.size() >= kBookAnswer.size() + kByeBye.size()) {
    rest = rest.substr(kBookAnswer.size(), rest.size() - kBookAnswer.size() - kByeBye.size());
    EXPECT_TRUE(rest.empty() || (rest.starts_with("Hint: ") && rest.size() <= 12 && rest.ends_with('\n'))) << tail;
  }
  EXPECT_EQ(answers.Count(run.out), books + 1);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace morvi::e2e
