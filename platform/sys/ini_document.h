// An INI text held line by line, with the look-up and edit rules of the private-profile functions:
// sections and keys match without regard to case, values are trimmed, and an edit changes only the line it
// concerns, so comments, blank lines, order and every other section survive a write.
// Text is bytes: Windows-1252 passes through unchanged. Lines may end in CR LF or LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::sys {

// Compares two names the way section and key names match: ASCII and Windows-1252 letters without case,
// surrounding blanks ignored.
bool IniNamesEqual(std::string_view a, std::string_view b);

class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument Parse(std::string_view text);

  // The text to store; line ends are those of the parsed text (CR LF for a new document).
  std::string Serialize() const;

  // The value of the first matching key, trimmed, with one pair of enclosing quotes (' or ") removed.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Section names in file order (each once), and the keys of a section in file order.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Replaces the value of an existing key in place, or adds the key after the last entry of the section, or
  // appends the section. CR and LF inside the names or the value become blanks, so that no edit can add lines.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key; true when there was one.
  bool RemoveKey(std::string_view section, std::string_view key);
  // Removes the section's heading and all its lines; true when there was one.
  bool RemoveSection(std::string_view section);

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  enum class LineKind { kOther, kSection, kEntry };
  struct LineInfo {
    LineKind kind;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // entry value, trimmed
  };
  // What a look-up compares of a line, found once per line so that no look-up classifies every line of the file
  // again: its kind, where its trimmed name lies in it and a hash of the name without case (names that differ
  // in it are told apart without comparing them).
  struct LineKey {
    LineKind kind;
    std::size_t name_at;
    std::size_t name_size;
    std::uint32_t name_hash;
  };
  bool NameMatches(std::size_t line, std::string_view trimmed, std::uint32_t hash) const;
  static LineInfo Classify(std::string_view line);
  static LineKey KeyOf(std::string_view line);
  std::string_view NameOf(std::size_t line) const;
  // Calls f(line index) for every entry line of every section matching section whose name matches key (every
  // entry line for a null key); f returns false to stop.
  template <typename F>
  void ForEachEntry(std::string_view section, const std::string_view* key, F&& f) const;
  void InsertLine(std::size_t at, std::string line);
  // Index just past the last non-blank line of the section that starts at heading.
  std::size_t SectionInsertPoint(std::size_t heading) const;

  std::vector<std::string> lines_;
  std::vector<LineKey> keys_;  // one per line
  std::string eol_ = "\r\n";
  bool final_eol_ = true;
};

}  // namespace platform::sys
