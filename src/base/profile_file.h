// The profile (INI) file reader. Format: "[Section]" header lines and
// "Key=Value" lines. Section and key names compare without letter case and
// without surrounding blanks; blanks around '=' are ignored; lines whose first
// non-blank character is ';' or '#' are comments; other lines without '=' are
// ignored. When a key occurs more than once in a section, the first wins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvi {

class ProfileFile {
 public:
  // Reads the file; a missing or unreadable file reads as empty (all defaults).
  bool Load(const std::string& path);
  // Reads profile text directly.
  void LoadText(std::string_view text);

  // The text of the key, or the default when the key is missing. Longer
  // values are cut to 4095 bytes.
  std::string GetText(std::string_view section, std::string_view key,
                      std::string_view fallback = "") const;
  // The key's value as a signed decimal integer (optional sign, digits, nothing
  // else), clamped to 32 bits; the default when the key is missing or its
  // value is not such a number.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;

 private:
  struct Entry {
    std::string section;  // lower case, trimmed
    std::string key;      // lower case, trimmed
    std::string value;    // trimmed
  };
  const Entry* Find(std::string_view section, std::string_view key) const;
  std::vector<Entry> entries_;
};

}  // namespace morvi
