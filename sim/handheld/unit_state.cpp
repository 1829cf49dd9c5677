#include "sim/handheld/unit_state.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace sim::tasto {

namespace {

constexpr const char* kHeader = "handheld-sim state 1";
constexpr std::size_t kMaxSlots = 64;
constexpr std::size_t kMaxSize = 8192;

std::string Hex(const std::uint8_t* bytes, std::size_t n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  s.reserve(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    s.push_back(digits[bytes[i] >> 4]);
    s.push_back(digits[bytes[i] & 0xF]);
  }
  return s.empty() ? "-" : s;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>* out) {
  out->clear();
  if (text == "-") return true;
  if (text.size() % 2 != 0) return false;
  const auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int hi = nibble(text[i]), lo = nibble(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out->push_back(static_cast<std::uint8_t>(hi << 4 | lo));
  }
  return true;
}

}  // namespace

bool SaveUnitState(const Unit& unit, const std::string& path, std::string* error) {
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << kHeader << "\nsize " << unit.data_set_size << "\n";
    for (const Slot& s : unit.slots) {
      out << "slot " << s.attribute << ' ' << Hex(s.name.data(), s.name.size()) << ' '
          << Hex(s.image.data(), s.image.size()) << '\n';
    }
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      if (error) *error = "cannot write " + temporary;
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    if (error) *error = "cannot replace " + path;
    return false;
  }
  return true;
}

bool LoadUnitState(const std::string& path, Unit* unit, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  const auto damaged = [&](const std::string& why) {
    if (error) *error = path + ": " + why;
    return false;
  };
  if (!in) return damaged("cannot be read");
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return damaged("not a state file of handheld-sim");
  std::vector<Slot> slots;
  unsigned long size = 0;
  int number = 1;
  while (std::getline(in, line)) {
    ++number;
    std::istringstream fields(line);
    std::string word;
    fields >> word;
    if (word.empty()) continue;
    if (word == "size") {
      if (!(fields >> size) || size == 0 || size > kMaxSize) return damaged("line " + std::to_string(number) + ": bad size");
      continue;
    }
    unsigned long attribute = 0;
    std::string name, image;
    std::vector<std::uint8_t> name_bytes;
    Slot s;
    if (word != "slot" || !(fields >> attribute >> name >> image) || attribute > 0xFFFF ||
        !FromHex(name, &name_bytes) || name_bytes.size() > s.name.size() || !FromHex(image, &s.image) ||
        s.image.size() > kMaxSize || slots.size() >= kMaxSlots) {
      return damaged("line " + std::to_string(number) + " is damaged");
    }
    s.attribute = static_cast<std::uint16_t>(attribute);
    std::copy(name_bytes.begin(), name_bytes.end(), s.name.begin());
    slots.push_back(std::move(s));
  }
  if (size == 0) return damaged("no size");
  unit->data_set_size = static_cast<std::uint16_t>(size);
  unit->slots = std::move(slots);
  return true;
}

}  // namespace sim::tasto
