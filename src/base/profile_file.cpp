// Profile file reading: the whole file is split into (section, key, value)
// entries once; lookups compare the normalised names.
#include "base/profile_file.h"

#include <fstream>
#include <sstream>

#include "base/text_scan.h"

namespace morvi {

namespace {

constexpr size_t kMaxTextLength = 4095;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Normalise(std::string_view name) { return LowerCase(Trim(name)); }

// Signed decimal digits and nothing else.
bool IsDecimal(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool ProfileFile::Load(const std::string& path) {
  entries_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  LoadText(text.str());
  return true;
}

void ProfileFile::LoadText(std::string_view text) {
  entries_.clear();
  std::string section;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      if (close != std::string_view::npos) section = Normalise(line.substr(1, close - 1));
      continue;
    }
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    entries_.push_back(
        {section, Normalise(line.substr(0, equals)), std::string(Trim(line.substr(equals + 1)))});
  }
}

const ProfileFile::Entry* ProfileFile::Find(std::string_view section, std::string_view key) const {
  std::string wantedSection = Normalise(section);
  std::string wantedKey = Normalise(key);
  for (const Entry& entry : entries_) {
    if (entry.section == wantedSection && entry.key == wantedKey) return &entry;
  }
  return nullptr;
}

std::string ProfileFile::GetText(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
  const Entry* entry = Find(section, key);
  std::string value(entry ? std::string_view(entry->value) : fallback);
  if (value.size() > kMaxTextLength) value.resize(kMaxTextLength);
  return value;
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  const Entry* entry = Find(section, key);
  if (!entry || !IsDecimal(entry->value)) return fallback;
  int value = fallback;
  ScanInt(entry->value, value);
  return value;
}

}  // namespace morvi
