#include "platform/sys/ini_document.h"

#include <algorithm>
#include <array>

namespace platform::sys {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Windows-1252 lower case of one byte.
constexpr unsigned char LowerCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
  }
}

// The same as a table: names are compared and hashed byte by byte on every look-up.
constexpr std::array<unsigned char, 256> kFoldTable = [] {
  std::array<unsigned char, 256> table{};
  for (std::size_t c = 0; c < table.size(); ++c) table[c] = LowerCase(static_cast<unsigned char>(c));
  return table;
}();

unsigned char FoldCase(unsigned char c) { return kFoldTable[c]; }

// FNV-1a over the case-folded bytes: equal names without case hash alike.
std::uint32_t NameHash(std::string_view name) {
  std::uint32_t h = 2166136261u;
  for (const char c : name) h = (h ^ FoldCase(static_cast<unsigned char>(c))) * 16777619u;
  return h;
}

std::string NoLineBreaks(std::string_view s) {
  std::string out(s);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

}  // namespace

bool IniNamesEqual(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  const auto first_lf = text.find('\n');
  doc.eol_ = (first_lf == std::string_view::npos || (first_lf > 0 && text[first_lf - 1] == '\r')) ? "\r\n" : "\n";
  doc.final_eol_ = text.empty() || text.back() == '\n';
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto lf = text.find('\n', pos);
    std::string_view line = text.substr(pos, lf == std::string_view::npos ? std::string_view::npos : lf - pos);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // CR LF, also a doubled CR
    doc.lines_.emplace_back(line);
    doc.keys_.push_back(KeyOf(line));
    if (lf == std::string_view::npos) break;
    pos = lf + 1;
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || final_eol_) out += eol_;
  }
  return out;
}

IniDocument::LineInfo IniDocument::Classify(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';') return {LineKind::kOther, {}, {}};
  if (t.front() == '[') {
    std::string_view name = t.substr(1);
    const auto close = name.find(']');
    if (close != std::string_view::npos) name = name.substr(0, close);
    return {LineKind::kSection, Trim(name), {}};
  }
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return {LineKind::kOther, {}, {}};
  return {LineKind::kEntry, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

IniDocument::LineKey IniDocument::KeyOf(std::string_view line) {
  const LineInfo info = Classify(line);
  const std::size_t at = info.name.empty() ? 0 : static_cast<std::size_t>(info.name.data() - line.data());
  return {info.kind, at, info.name.size(), NameHash(info.name)};
}

bool IniDocument::NameMatches(std::size_t line, std::string_view trimmed, std::uint32_t hash) const {
  const LineKey& k = keys_[line];
  return k.name_hash == hash && k.name_size == trimmed.size() && IniNamesEqual(NameOf(line), trimmed);
}

std::string_view IniDocument::NameOf(std::size_t line) const {
  return std::string_view(lines_[line]).substr(keys_[line].name_at, keys_[line].name_size);
}

template <typename F>
void IniDocument::ForEachEntry(std::string_view section_in, const std::string_view* key_in, F&& f) const {
  const std::string_view section = Trim(section_in);
  const std::uint32_t section_hash = NameHash(section);
  const std::string_view key = key_in ? Trim(*key_in) : std::string_view();
  const std::uint32_t key_hash = NameHash(key);
  bool inside = false;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    const LineKind kind = keys_[i].kind;
    if (kind == LineKind::kSection) {
      inside = NameMatches(i, section, section_hash);
    } else if (inside && kind == LineKind::kEntry && (!key_in || NameMatches(i, key, key_hash))) {
      if (!f(i)) return;
    }
  }
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  std::optional<std::string> result;
  ForEachEntry(section, &key, [&](std::size_t i) {
    std::string_view v = Classify(lines_[i]).value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
      v = v.substr(1, v.size() - 2);
    }
    result = std::string(v);
    return false;
  });
  return result;
}

bool IniDocument::HasSection(std::string_view section) const {
  const std::string_view trimmed = Trim(section);
  const std::uint32_t hash = NameHash(trimmed);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].kind == LineKind::kSection && NameMatches(i, trimmed, hash)) return true;
  }
  return false;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].kind != LineKind::kSection) continue;
    const std::string_view name = NameOf(i);
    const bool seen =
        std::any_of(names.begin(), names.end(), [&](const std::string& n) { return IniNamesEqual(n, name); });
    if (!seen) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  ForEachEntry(section, nullptr, [&](std::size_t i) {
    const std::string_view name = NameOf(i);
    const bool seen =
        std::any_of(names.begin(), names.end(), [&](const std::string& n) { return IniNamesEqual(n, name); });
    if (!seen) names.emplace_back(name);
    return true;
  });
  return names;
}

void IniDocument::InsertLine(std::size_t at, std::string line) {
  keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(at), KeyOf(line));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::size_t IniDocument::SectionInsertPoint(std::size_t heading) const {
  std::size_t end = heading + 1;
  std::size_t insert = heading + 1;
  while (end < lines_.size() && keys_[end].kind != LineKind::kSection) {
    if (!Trim(lines_[end]).empty()) insert = end + 1;
    ++end;
  }
  return insert;
}

void IniDocument::Set(std::string_view section_in, std::string_view key_in, std::string_view value_in) {
  const std::string section = NoLineBreaks(Trim(section_in));
  const std::string key = NoLineBreaks(Trim(key_in));
  const std::string line = key + "=" + NoLineBreaks(value_in);

  bool replaced = false;
  const std::string_view key_view = key;
  ForEachEntry(section, &key_view, [&](std::size_t i) {
    keys_[i] = KeyOf(line);
    lines_[i] = line;
    replaced = true;
    return false;
  });
  if (replaced) return;

  const std::string_view trimmed_section = Trim(section);
  const std::uint32_t section_hash = NameHash(trimmed_section);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].kind == LineKind::kSection && NameMatches(i, trimmed_section, section_hash)) {
      InsertLine(SectionInsertPoint(i), line);
      return;
    }
  }
  final_eol_ = true;
  InsertLine(lines_.size(), "[" + section + "]");
  InsertLine(lines_.size(), line);
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  std::vector<std::size_t> doomed;
  ForEachEntry(section, &key, [&](std::size_t i) {
    doomed.push_back(i);
    return true;
  });
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
    keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  return !doomed.empty();
}

bool IniDocument::RemoveSection(std::string_view section) {
  bool removed = false;
  const std::string_view trimmed = Trim(section);
  const std::uint32_t hash = NameHash(trimmed);
  std::vector<std::string> kept;
  std::vector<LineKey> kept_keys;
  kept.reserve(lines_.size());
  kept_keys.reserve(keys_.size());
  bool inside = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (keys_[i].kind == LineKind::kSection) {
      inside = NameMatches(i, trimmed, hash);
      removed = removed || inside;
    }
    if (!inside) {
      kept.push_back(std::move(lines_[i]));
      kept_keys.push_back(std::move(keys_[i]));
    }
  }
  lines_ = std::move(kept);
  keys_ = std::move(kept_keys);
  return removed;
}

}  // namespace platform::sys
