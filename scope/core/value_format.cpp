#include "scope/core/value_format.h"

#include <cmath>
#include <limits>

#include "platform/afx/string_format.h"

namespace scope {

int RoundHalfAway(double value) {
  if (std::isnan(value)) return 0;
  double r = value < 0 ? -std::floor(-value + 0.5) : std::floor(value + 0.5);
  if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

std::string FormatByDecimals(double value, int decimals) {
  if (decimals < 0 || decimals > 6) return afx::Format("%f", value);
  return afx::Format("%.*f", decimals, value);
}

std::string ChannelValueText(double value, int key, int decimals, bool plain) {
  if (key == 0) value = 0;
  if (plain || decimals < 0 || decimals > 5) return afx::Format("%f", value);
  return afx::Format("%.*f", decimals, value);
}

namespace {
struct DataTypeRow {
  int code;
  int width;
  double max;
};
constexpr DataTypeRow kDataTypes[] = {
    {1, 1, 1.0},        {2, 1, 127.0},        {3, 2, 32767.0},  {4, 4, 2147483647.0},
    {5, 1, 255.0},      {6, 2, 65535.0},      {7, 4, 4294967295.0}, {8, 4, 3.37e38},
    {23, 8, 2147483647.0},
};
const DataTypeRow* FindDataType(int code) {
  for (const DataTypeRow& row : kDataTypes)
    if (row.code == code) return &row;
  return nullptr;
}
}  // namespace

int DataTypeWidth(int data_type) {
  const DataTypeRow* row = FindDataType(data_type);
  return row ? row->width : 8;
}

double DataTypeMax(int data_type) {
  const DataTypeRow* row = FindDataType(data_type);
  return row ? row->max : 1.797693e308;
}

std::string HexText(std::uint32_t value, int width) {
  switch (width) {
    case 1: return afx::Format("%02X", value & 0xFFu);
    case 2: return afx::Format("%04X", value & 0xFFFFu);
    case 3: return afx::Format("%06X", value & 0xFFFFFFu);
    default: return afx::Format("%08X", value);
  }
}

std::string HexToBits(std::string_view hex, int width) {
  std::uint64_t value = 0;
  std::size_t i = 0;
  while (i < hex.size() && hex[i] == ' ') ++i;
  for (; i < hex.size(); ++i) {
    char c = hex[i];
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) break;
    value = (value << 4) | static_cast<std::uint64_t>(digit);
  }
  const int bits = (width < 1 ? 1 : width > 8 ? 8 : width) * 8;
  std::string out;
  for (int b = bits - 1; b >= 0; --b) out += ((value >> b) & 1u) ? '1' : '0';
  return out;
}

std::string BitsToHex(std::string_view bits, int width) {
  std::uint32_t value = 0;
  for (char c : bits) {
    if (c != '0' && c != '1') break;
    value = (value << 1) | static_cast<std::uint32_t>(c - '0');  // older bits fall off the top: the last 32 count
  }
  return HexText(value, width);
}

std::string FieldOf(std::string_view text, char separator, int n) {
  if (n < 0) return {};
  std::size_t begin = 0;
  for (int i = 0; i < n; ++i) {
    std::size_t at = text.find(separator, begin);
    if (at == std::string_view::npos) return {};
    begin = at + 1;
  }
  std::size_t end = text.find(separator, begin);
  return std::string(text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
}

TimeLabel MakeTimeLabel(double microseconds, double time_base) {
  if (time_base < 1000) return {afx::Format("%.*f", 0, microseconds), "\xB5s"};
  if (time_base < 1000000) return {afx::Format("%.*f", 0, microseconds / 1000), "ms"};
  if (time_base < 1000000000) return {afx::Format("%.*f", 3, microseconds / 1000000), "s"};
  return {afx::Format("%.3f", microseconds * 0.000001), "s"};
}

}  // namespace scope
