// MergeTerminalTexts: the old per-terminal texts of record 317 joined into its one text block.
#include <array>
#include <cstring>
#include <string>

#include "model/element_access.h"
#include "model/element_type.h"
#include "model/layout_upgrade.h"

namespace model {
namespace {

constexpr std::uint16_t kCommentRecord = 317;
constexpr std::uint16_t kTextBlock = 5421;
constexpr std::size_t kBlockSize = ElementTypeSizeOf(kTypeText1023);  // 1023 characters and the terminator
constexpr std::size_t kTextSize = ElementTypeSizeOf(kTypeText80);

struct TerminalText {
  std::uint16_t element;
  const char* label;
};

constexpr TerminalText kTerminalTexts[] = {
#define TERMINAL_TEXT(element, label) {element, label},
#include "model/data/terminal_texts.def"
#undef TERMINAL_TEXT
};
static_assert(std::size(kTerminalTexts) == 14);

}  // namespace

std::uint8_t MergeTerminalTexts(std::uint8_t set) {
  std::array<char, kBlockSize> block{};
  std::uint8_t status = WriteElement(kCommentRecord, kTextBlock, block.data(), kModeRaw, set);
  if (status != 0) return status;

  // Fourteen full texts with their labels need more than the block holds: what does not fit is cut.
  std::string merged;
  for (const TerminalText& terminal : kTerminalTexts) {
    std::array<char, kTextSize> text{};
    status = ReadElement(kCommentRecord, terminal.element, text.data(), kModeRaw, set);
    if (status != 0) return status;
    text.back() = '\0';
    if (std::strlen(text.data()) <= 2) continue;
    merged.append(terminal.label).append(": ").append(text.data()).append("\r\n");
  }
  if (merged.size() > kBlockSize - 1) merged.resize(kBlockSize - 1);
  std::memcpy(block.data(), merged.data(), merged.size());
  block[merged.size()] = '\0';
  return WriteElement(kCommentRecord, kTextBlock, block.data(), kModeRaw, set);
}

}  // namespace model
