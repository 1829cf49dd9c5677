#include "platform/sys/ini_document.h"

#include <algorithm>

namespace platform::sys {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Windows-1252 lower case of one byte.
unsigned char FoldCase(unsigned char c) {
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

template <typename F>
void IniDocument::ForEachEntry(std::string_view section, F&& f) const {
  bool inside = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const LineInfo info = Classify(lines_[i]);
    if (info.kind == LineKind::kSection) {
      inside = IniNamesEqual(info.name, section);
    } else if (inside && info.kind == LineKind::kEntry) {
      if (!f(i, info)) return;
    }
  }
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  std::optional<std::string> result;
  ForEachEntry(section, [&](std::size_t, const LineInfo& info) {
    if (!IniNamesEqual(info.name, key)) return true;
    std::string_view v = info.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
      v = v.substr(1, v.size() - 2);
    }
    result = std::string(v);
    return false;
  });
  return result;
}

bool IniDocument::HasSection(std::string_view section) const {
  return std::any_of(lines_.begin(), lines_.end(), [&](const std::string& line) {
    const LineInfo info = Classify(line);
    return info.kind == LineKind::kSection && IniNamesEqual(info.name, section);
  });
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& line : lines_) {
    const LineInfo info = Classify(line);
    if (info.kind != LineKind::kSection) continue;
    const bool seen = std::any_of(names.begin(), names.end(),
                                  [&](const std::string& n) { return IniNamesEqual(n, info.name); });
    if (!seen) names.emplace_back(info.name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  ForEachEntry(section, [&](std::size_t, const LineInfo& info) {
    const bool seen =
        std::any_of(names.begin(), names.end(), [&](const std::string& n) { return IniNamesEqual(n, info.name); });
    if (!seen) names.emplace_back(info.name);
    return true;
  });
  return names;
}

std::size_t IniDocument::SectionInsertPoint(std::size_t heading) const {
  std::size_t end = heading + 1;
  std::size_t insert = heading + 1;
  while (end < lines_.size() && Classify(lines_[end]).kind != LineKind::kSection) {
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
  ForEachEntry(section, [&](std::size_t i, const LineInfo& info) {
    if (!IniNamesEqual(info.name, key)) return true;
    lines_[i] = line;
    replaced = true;
    return false;
  });
  if (replaced) return;

  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const LineInfo info = Classify(lines_[i]);
    if (info.kind == LineKind::kSection && IniNamesEqual(info.name, section)) {
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(SectionInsertPoint(i)), line);
      return;
    }
  }
  final_eol_ = true;
  lines_.push_back("[" + section + "]");
  lines_.push_back(line);
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  std::vector<std::size_t> doomed;
  ForEachEntry(section, [&](std::size_t i, const LineInfo& info) {
    if (IniNamesEqual(info.name, key)) doomed.push_back(i);
    return true;
  });
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  return !doomed.empty();
}

bool IniDocument::RemoveSection(std::string_view section) {
  bool removed = false;
  std::vector<std::string> kept;
  kept.reserve(lines_.size());
  bool inside = false;
  for (auto& line : lines_) {
    const LineInfo info = Classify(line);
    if (info.kind == LineKind::kSection) {
      inside = IniNamesEqual(info.name, section);
      removed = removed || inside;
    }
    if (!inside) kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
  return removed;
}

}  // namespace platform::sys
