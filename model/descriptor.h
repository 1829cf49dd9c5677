// Parameter descriptors and the menu-list entries handed out by LoadMenuList.
#pragma once

#include <cstdint>

namespace model {

inline constexpr std::uint16_t kHeadingElement = 65535;

struct ParameterDescriptor {
  std::uint16_t record;
  std::uint16_t element;  // kHeadingElement marks a heading row (display kind 6)
  std::uint8_t kind;      // display kind 0..14
  std::uint8_t selector;  // attribute selector for GetElementAttributes
  std::uint8_t flag;      // edit permission
  std::uint8_t converter; // ConverterTable index 0..34
  double parameter;       // converter parameter
  const char* const* texts;  // [0] the name, then unit or selection texts, ended by ""
};

struct MenuListEntry {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t kind;
  std::uint8_t attributes;
  std::uint8_t flag;
  const char* const* texts;
};

inline constexpr std::uint8_t kLastMenuList = 146;
inline constexpr std::size_t kMenuListBufferEntries = 99;

// The descriptor of an element, or null.
const ParameterDescriptor* FindDescriptor(std::uint16_t record, std::uint16_t element);

}  // namespace model
