// The developer page's memory access on the inverter link.
#include "app/pages/developer_memory.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "app/common/wait_cursor.h"
#include "app/documents/file_titles.h"
#include "link/online_services.h"
#include "model/message_show.h"
#include "model/project_line_codec.h"

namespace app {
namespace {

constexpr std::int8_t kLinkGroup = 1;
constexpr std::int8_t kActionGroup = 11;
constexpr int kFieldChars = 50;
constexpr std::size_t kMaximumWords = kDevMaximumLength / 4;

struct Fields {
  std::uint32_t address = 0;
  std::uint32_t length = 1;
  std::uint32_t value = 0;
};

std::uint32_t ReadHex(HWND dialog, int id) {
  char text[kFieldChars + 1] = {};
  GetDlgItemText(dialog, id, text, kFieldChars);
  return ParseHexField(text);
}

Fields ReadFields(HWND dialog) {
  Fields f;
  f.address = ReadHex(dialog, kDevAddressEdit);
  f.length = std::clamp<std::uint32_t>(ReadHex(dialog, kDevLengthEdit), 1, kDevMaximumLength);
  f.value = ReadHex(dialog, kDevValueEdit);
  return f;
}

void SetHex(HWND dialog, int id, std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(value));
  SetDlgItemText(dialog, id, text);
}

bool Connect(std::uint8_t set) {
  const std::uint8_t code = ilink::ConnectInverter(set);
  if (code != 0) model::ShowMessage(model::kShowFault, kLinkGroup, code);
  return code == 0;
}

// Reads the words from the address on an open link; false after an error (shown).
bool ReadWords(const Fields& f, std::uint8_t set, std::array<std::uint8_t, kDevMaximumLength>& bytes) {
  const std::size_t words = std::max<std::size_t>((f.length + 3) / 4, 1);
  for (std::size_t i = 0; i < std::min(words, kMaximumWords); ++i) {
    std::uint32_t word = 0;
    const std::uint8_t code = ilink::ReadInverterWord(set, f.address + static_cast<std::uint32_t>(4 * i), &word);
    if (code != 0) {
      model::ShowMessage(model::kShowFault, kLinkGroup, code);
      return false;
    }
    for (std::size_t k = 0; k < 4; ++k) bytes[4 * i + k] = static_cast<std::uint8_t>(word >> (8 * k));
  }
  return true;
}

void ReadAndShow(HWND dialog, const Fields& f, std::uint8_t set) {
  if (!Connect(set)) return;
  std::array<std::uint8_t, kDevMaximumLength> bytes{};
  const bool read = ReadWords(f, set, bytes);
  ilink::DisconnectInverter(set);
  if (!read) return;
  SetHex(dialog, kDevAddressEdit, f.address);
  SetHex(dialog, kDevValueEdit, f.value);
  SetDlgItemText(dialog, kDevDumpField,
                 model::BytesToHexText(std::span<const std::uint8_t>(bytes).first(f.length)).c_str());
}

}  // namespace

std::uint32_t ParseHexField(const char* text) {
  if (text == nullptr) return 0;
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 16);
  if (end == text || errno != 0 || value > 0xFFFFFFFFull) return 0;
  while (std::isspace(static_cast<unsigned char>(*end))) ++end;
  return *end == '\0' ? static_cast<std::uint32_t>(value) : 0;
}

void InitDeveloperFields(HWND dialog) {
  SetHex(dialog, kDevAddressEdit, 0);
  SetHex(dialog, kDevLengthEdit, 4);
  SetHex(dialog, kDevValueEdit, 0);
  SetDlgItemText(dialog, kDevDumpField, " - ");
}

void DeveloperReadArray(HWND dialog) { ReadAndShow(dialog, ReadFields(dialog), GetActiveFile()); }

void DeveloperWriteWord(HWND dialog) {
  const Fields f = ReadFields(dialog);
  const std::uint8_t set = GetActiveFile();
  if (!Connect(set)) return;
  const std::uint8_t code = ilink::WriteInverterWord(set, f.address, f.value);
  ilink::DisconnectInverter(set);
  if (code != 0) {
    model::ShowMessage(model::kShowFault, kLinkGroup, code);
    return;
  }
  ReadAndShow(dialog, f, set);
}

void DeveloperSpecialAction(HWND) {
  const std::uint8_t set = GetActiveFile();
  if (!Connect(set)) return;
  BeginWaitCursor();
  const std::uint8_t code = ilink::WriteValueAndRunAction8(set);
  EndWaitCursor();
  if (code != 0) model::ShowMessage(model::kShowFault, kActionGroup, code);
  ilink::DisconnectInverter(set);
}

}  // namespace app
