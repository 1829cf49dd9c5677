// The state of the open printout, shared by the files of the print content.
#pragma once

#include <cstdint>
#include <string>

namespace app::print {

struct PrintState {
  bool open = false;
  bool to_text_file = false;
  bool only_differing = false;
  std::uint8_t set = 0;
  int line_count = 0;
  int page_count = 0;
  std::string buffer;  // the line being built, line ends "\n\r"
  std::string text;    // the text file's content so far
};

PrintState& State();

// Appends the line end of the buffer.
inline constexpr char kLineEnd[] = "\n\r";

// An element read raw as an unsigned number; fallback when it cannot be read.
std::uint32_t RawOr(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint32_t fallback);

// Sends text as one AddPrintLine.
std::uint8_t Send(const std::string& text);

}  // namespace app::print
