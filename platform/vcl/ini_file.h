// An INI file of settings, on the layer's private-profile engine: every read sees the file as it is now, every
// write replaces the file in one step (never half-written) and keeps its other lines. A write that cannot be
// done raises EIniFileException naming the file. UpdateFile exists for callers that flush at the end: the
// writes are already on disk.
#pragma once

#include <string>

class TIniFile {
 public:
  explicit TIniFile(std::string file_name) : file_name_(std::move(file_name)) {}
  const std::string& FileName() const { return file_name_; }

  // The value as a whole decimal number (a leading '-' allowed, "$" or "0x" for hexadecimal); def when the key
  // is missing or its value is not such a number.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  void WriteBool(const std::string& section, const std::string& key, bool value);
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  void UpdateFile() {}

 private:
  std::string file_name_;
};
