// Small text operations the command parsers are built from: character-set
// skips and runs, left-trim, lower case, keyword-at-start, and the "%d" /
// "%d:%d" number scans. The scans clamp numbers that do not fit in 32 bits
// instead of overflowing.
#pragma once

#include <string>
#include <string_view>

namespace morvi {

inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kClockChars = "0123456789:";
inline constexpr std::string_view kResultChars = "012-/*";
inline constexpr std::string_view kCastleSigns = "+-";

// Drops the leading characters that are not in the set (all if none is).
std::string SkipToFirstOf(std::string_view text, std::string_view set);
// The longest prefix made only of characters in the set (possibly empty).
std::string LeadingRun(std::string_view text, std::string_view set);
// Drops leading white space (blank, tab, line feed, carriage return, vertical tab, form feed).
std::string LeftTrim(std::string_view text);
// Lower-case copy (ASCII letters only).
std::string LowerCase(std::string_view text);
// True when the keyword's first occurrence in the text is at position 0.
bool KeywordAtStart(std::string_view text, std::string_view keyword);

// Clamps a wide value to the signed 32-bit range.
int ClampToInt(long long value);

// "%d": optional white space, optional sign, decimal digits. Returns 1 and sets
// value when digits were read, else 0. Out-of-range numbers are clamped.
int ScanInt(std::string_view text, int& value);
// "%d:%d": a number, a colon right after it, a second number. Returns how many
// numbers were read (0, 1 or 2); first and second are set as they are read.
int ScanIntColonInt(std::string_view text, int& first, int& second);

}  // namespace morvi
