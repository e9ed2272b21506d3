// Text operations and number scans used by the command parsers.
#include "base/text_scan.h"

#include <climits>

namespace morvi {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one "%d" number starting at pos; on success advances pos past it.
bool ScanOne(std::string_view text, size_t& pos, int& value) {
  size_t at = pos;
  while (at < text.size() && IsSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  if (at >= text.size() || !IsDigit(text[at])) return false;
  long long magnitude = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    // Past 2^31 the value only needs to stay past it: stop growing.
    if (magnitude <= 1LL << 32) magnitude = magnitude * 10 + (text[at] - '0');
  }
  value = ClampToInt(negative ? -magnitude : magnitude);
  pos = at;
  return true;
}

}  // namespace

std::string SkipToFirstOf(std::string_view text, std::string_view set) {
  size_t at = text.find_first_of(set);
  return at == std::string_view::npos ? std::string() : std::string(text.substr(at));
}

std::string LeadingRun(std::string_view text, std::string_view set) {
  size_t end = text.find_first_not_of(set);
  return std::string(end == std::string_view::npos ? text : text.substr(0, end));
}

std::string LeftTrim(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  return std::string(text.substr(at));
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool KeywordAtStart(std::string_view text, std::string_view keyword) {
  return text.find(keyword) == 0;
}

int ClampToInt(long long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int ScanInt(std::string_view text, int& value) {
  size_t pos = 0;
  return ScanOne(text, pos, value) ? 1 : 0;
}

int ScanIntColonInt(std::string_view text, int& first, int& second) {
  size_t pos = 0;
  if (!ScanOne(text, pos, first)) return 0;
  if (pos >= text.size() || text[pos] != ':') return 1;
  ++pos;
  return ScanOne(text, pos, second) ? 2 : 1;
}

}  // namespace morvi
