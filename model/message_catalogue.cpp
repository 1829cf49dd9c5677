#include "model/message_catalogue.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace model {
namespace {

struct TextRow {
  int group;
  int number;
  std::string_view text;
};

constexpr std::string_view kTitles[] = {
#define MESSAGE_TITLE(group, title) title,
#include "model/data/message_titles.def"
#undef MESSAGE_TITLE
};
static_assert(std::size(kTitles) == kMessageGroupCount);

constexpr TextRow kTextRows[] = {
#define MESSAGE_TEXT(group, number, text) {group, number, text},
#include "model/data/message_texts.def"
#undef MESSAGE_TEXT
};
static_assert(std::size(kTextRows) == 295, "309 texts declared, 14 of them group 6's share of group 5");

constexpr auto kTexts = [] {
  std::array<std::string_view, std::size(kTextRows)> texts{};
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kTextRows[i].text;
  return texts;
}();

struct GroupRange {
  std::size_t first = 0;
  std::size_t count = 0;
};

// Rows come group by group with numbers 0, 1, 2, ...; the check below holds the file to that order.
constexpr auto kRanges = [] {
  std::array<GroupRange, kMessageGroupCount> ranges{};
  for (std::size_t i = 0; i < std::size(kTextRows); ++i) {
    GroupRange& r = ranges[static_cast<std::size_t>(kTextRows[i].group)];
    if (r.count == 0) r.first = i;
    ++r.count;
  }
  return ranges;
}();

constexpr bool RowsInOrder() {
  for (std::size_t i = 0; i < std::size(kTextRows); ++i) {
    const TextRow& row = kTextRows[i];
    if (row.group < 1 || row.group >= kMessageGroupCount || row.group == 6 || row.text.empty()) return false;
    const GroupRange& r = kRanges[static_cast<std::size_t>(row.group)];
    if (i != r.first + static_cast<std::size_t>(row.number)) return false;
  }
  return true;
}
static_assert(RowsInOrder(), "message rows must run group by group, numbers from 0 without gaps");

struct Language {
  std::span<const std::string_view> titles;
  std::array<std::span<const std::string_view>, kMessageGroupCount> groups;
};

constexpr Language MakeLanguage() {
  Language language{kTitles, {}};
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const GroupRange& r = kRanges[static_cast<std::size_t>(g == 6 ? 5 : g)];
    language.groups[static_cast<std::size_t>(g)] = std::span<const std::string_view>(kTexts).subspan(r.first, r.count);
  }
  return language;
}

// Both slots hold the same titles and lists.
constexpr std::array<Language, kMessageLanguageCount> kLanguages = {MakeLanguage(), MakeLanguage()};

const Language& LanguageSlot(int language) {
  return kLanguages[language >= 0 && language < kMessageLanguageCount ? static_cast<std::size_t>(language) : 0];
}

}  // namespace

std::string_view MessageGroupTitle(int group, int language) {
  if (group < 0 || group >= kMessageGroupCount) return {};
  return LanguageSlot(language).titles[static_cast<std::size_t>(group)];
}

std::span<const std::string_view> MessageGroupTexts(int group, int language) {
  if (group < 0 || group >= kMessageGroupCount) return {};
  return LanguageSlot(language).groups[static_cast<std::size_t>(group)];
}

std::uint8_t GetMessageText(std::int8_t group, std::int16_t number, char* out, std::int16_t size) {
  const auto texts = MessageGroupTexts(group);
  if (number < 0 || static_cast<std::size_t>(number) >= texts.size()) return 1;
  if (out == nullptr || size < 1) return 1;
  const std::string_view text = texts[static_cast<std::size_t>(number)];
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return 0;
}

std::uint8_t LastMessageGroupIndex() { return kMessageGroupCount - 1; }

std::int16_t LastMessageIndex(std::int8_t group) {
  const auto texts = MessageGroupTexts(group);
  return texts.empty() ? 0 : static_cast<std::int16_t>(texts.size() - 1);
}

}  // namespace model
