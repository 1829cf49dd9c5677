// A project file damaged the way a user's editor might: one value line holds letters instead of its number.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace project_test {

// The first line after the 200th of `file` that holds a plain number gets "no number" instead; its line number, or
// 0 when the file has no such line (then it is left as it was).
inline std::size_t DamageANumberLine(const std::filesystem::path& file) {
  std::string text;
  {
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
  }
  std::size_t start = 0;
  std::size_t line = 1;
  for (; line < 200 && start != std::string::npos; ++line) {
    start = text.find('\n', start);
    if (start != std::string::npos) ++start;
  }
  for (; start != std::string::npos && start < text.size(); ++line) {
    const std::size_t end = text.find('\r', start);
    if (end == std::string::npos) return 0;
    const std::string value = text.substr(start, end - start);
    if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
      text.replace(start, end - start, "no number");
      std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
      return line;
    }
    start = text.find('\n', start);
    if (start != std::string::npos) ++start;
  }
  return 0;
}

}  // namespace project_test
