#include "platform/vcl/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/sys/ini_document.h"
#include "platform/sys/private_profile.h"
#include "platform/vcl/types.h"

namespace {

std::optional<std::string> Lookup(const std::string& file, const std::string& section, const std::string& key) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return platform::sys::IniDocument::Parse(text.str()).Get(section, key);
}

}  // namespace

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const std::optional<std::string> value = Lookup(file_name_, section, key);
  if (!value || value->empty()) return def;
  std::string digits = *value;
  bool negative = false;
  if (digits[0] == '-') {
    negative = true;
    digits.erase(0, 1);
  }
  int base = 10;
  if (digits.size() > 1 && digits[0] == '$') {
    base = 16;
    digits.erase(0, 1);
  } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.erase(0, 2);
  }
  if (digits.empty() || digits[0] == '+' || digits[0] == '-' || digits[0] == ' ') return def;
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(digits.c_str(), &end, base);
  if (errno != 0 || *end != '\0') return def;
  const long long signed_number = negative ? -number : number;
  if (signed_number < INT_MIN || signed_number > INT_MAX) return def;
  return static_cast<int>(signed_number);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  return Lookup(file_name_, section, key).value_or(def);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file_name_.c_str()))
    throw EIniFileException("Unable to write to " + file_name_);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const {
  std::ifstream in(file_name_, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  return platform::sys::IniDocument::Parse(text.str()).HasSection(section);
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return Lookup(file_name_, section, key).has_value();
}
