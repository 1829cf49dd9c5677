#include "model/project_line_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "model/element_type.h"

namespace model {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::uint8_t kPairFirst = 14;   // CR of a CR LF pair in a type-15 line
constexpr std::uint8_t kPairSecond = 11;  // LF of a CR LF pair in a type-15 line

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view SkipSpace(std::string_view s) {
  while (!s.empty() && IsCSpace(s.front())) s.remove_prefix(1);
  return s;
}

// Sign and magnitude of the leading decimal number, the magnitude saturated above 2^32.
bool ParseMagnitude(std::string_view text, bool* negative, std::uint64_t* magnitude) {
  text = SkipSpace(text);
  *negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    *negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  std::uint64_t m = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    m = std::min<std::uint64_t>(m * 10 + static_cast<std::uint64_t>(c - '0'), std::uint64_t{1} << 33);
  }
  *magnitude = m;
  return true;
}

std::uint64_t LoadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = n; i-- > 0;) v = (v << 8) | bytes[i];
  return v;
}

void StoreLittleEndian(std::span<std::uint8_t> bytes, std::size_t n, std::uint64_t v) {
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::size_t TextLength(std::span<const std::uint8_t> bytes, std::size_t capacity) {
  const auto end = std::find(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(capacity), 0);
  return static_cast<std::size_t>(end - bytes.begin());
}

void EncodeText(std::uint8_t type, std::span<const std::uint8_t> bytes, std::string& out) {
  const std::size_t capacity = ElementTypeSizeOf(type) - 1;
  const std::size_t n = TextLength(bytes, capacity);
  for (std::size_t i = 0; i < n; ++i) {
    char c = static_cast<char>(bytes[i]);
    if (type == kTypeText1023 && c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
      out += static_cast<char>(kPairFirst);
      out += static_cast<char>(kPairSecond);
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') c = ' ';
    out += c;
  }
}

void DecodeText(std::uint8_t type, std::string_view line, std::span<std::uint8_t> bytes) {
  const std::size_t size = ElementTypeSizeOf(type);
  std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0);
  const std::size_t n = std::min(line.size(), size - 1);
  for (std::size_t i = 0; i < n; ++i) {
    std::uint8_t c = static_cast<std::uint8_t>(line[i]);
    if (type == kTypeText1023 && c == kPairFirst && i + 1 < line.size() &&
        static_cast<std::uint8_t>(line[i + 1]) == kPairSecond) {
      bytes[i] = '\r';
      if (i + 1 < n) bytes[i + 1] = '\n';
      ++i;
      continue;
    }
    if (c == 0) break;
    bytes[i] = c;
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

// The leading floating-point number of text (after C blanks); rest gets what follows it.
bool ParseLeadingDouble(std::string_view text, double* value, std::string_view* rest) {
  text = SkipSpace(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return false;
  double v = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the range of a double: infinite, or zero for a negative exponent.
    const std::string_view consumed(text.data(), static_cast<std::size_t>(result.ptr - text.data()));
    const auto e = consumed.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < consumed.size() && consumed[e + 1] == '-';
    v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc{}) {
    return false;
  }
  *value = negative ? -v : v;
  if (rest) *rest = text.substr(static_cast<std::size_t>(result.ptr - text.data()));
  return true;
}

// A number line of a file holds the number and nothing but blanks around it.
bool ParseWholeDouble(std::string_view line, double* value) {
  std::string_view rest;
  return ParseLeadingDouble(line, value, &rest) && SkipSpace(rest).empty();
}

// An integer line: an optional sign and decimal digits between blanks; the magnitude saturates far above
// every element's range, so that an overlong number is refused rather than wrapped.
bool ParseWholeInteger(std::string_view line, std::int64_t* value) {
  std::string_view text = SkipSpace(line);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  std::int64_t m = 0;
  while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    m = std::min<std::int64_t>(m * 10 + (text.front() - '0'), std::int64_t{1} << 40);
    text.remove_prefix(1);
  }
  if (!SkipSpace(text).empty()) return false;
  *value = negative ? -m : m;
  return true;
}

// The values that the written form of an integer type can take: unsigned types their own range; signed 8- and
// 16-bit values are written as the unsigned value of their bit pattern and also read in their signed form
// ("255" and "-1" are both a signed byte's -1); signed 32-bit values are written signed.
struct WrittenRange {
  std::int64_t low;
  std::int64_t high;
};

WrittenRange WrittenRangeOf(std::uint8_t type, std::size_t size) {
  const std::int64_t unsigned_high = (std::int64_t{1} << (8 * size)) - 1;
  switch (type) {
    case kTypeI8:
    case kTypeI16: return {-(std::int64_t{1} << (8 * size - 1)), unsigned_high};
    case kTypeI32: return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    default: return {0, unsigned_high};
  }
}

}  // namespace

std::string FormatUnsigned32(std::uint32_t value) { return std::to_string(value); }
std::string FormatSigned32(std::int32_t value) { return std::to_string(value); }

std::string FormatExponent(double value) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
  return std::string(buf, result.ptr);
}

bool ParseUnsigned32(std::string_view text, std::uint32_t* value) {
  bool negative;
  std::uint64_t m;
  if (!ParseMagnitude(text, &negative, &m)) return false;
  if (m > std::numeric_limits<std::uint32_t>::max()) {
    *value = std::numeric_limits<std::uint32_t>::max();
  } else {
    *value = static_cast<std::uint32_t>(negative ? (std::uint64_t{1} << 32) - m : m);
  }
  return true;
}

bool ParseSigned32(std::string_view text, std::int32_t* value) {
  bool negative;
  std::uint64_t m;
  if (!ParseMagnitude(text, &negative, &m)) return false;
  const std::int64_t v = negative ? -static_cast<std::int64_t>(m) : static_cast<std::int64_t>(m);
  *value = static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
  return true;
}

bool ParseDouble(std::string_view text, double* value) { return ParseLeadingDouble(text, value, nullptr); }

std::string BytesToHexText(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (std::uint8_t b : bytes) {
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 15];
    out += ' ';
  }
  return out;
}

std::size_t HexTextToBytes(std::string_view text, std::span<std::uint8_t> out) {
  std::size_t groups = 0;
  std::size_t pos = 0;
  while (groups < out.size() && pos + 2 <= text.size()) {
    out[groups++] = static_cast<std::uint8_t>(HexValue(text[pos]) * 16 + HexValue(text[pos + 1]));
    if (pos + 2 >= text.size() || text[pos + 2] != ' ') break;
    pos += 3;
  }
  return groups;
}

void UpperCaseN(char* text, std::size_t n) {
  for (std::size_t i = 0; i < n && text[i] != '\0'; ++i) {
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 32);
  }
}

std::uint8_t EncodeElementLine(std::uint8_t type, std::span<const std::uint8_t> bytes, std::string& out) {
  const std::size_t size = ElementTypeSizeOf(type);
  if (size == 0 || bytes.size() < size) return kLineFault;
  switch (type) {
    case kTypeU8Unused:
    case kTypeU8:
    case kTypeU16:
    case kTypeU32:
    case kTypeI8:   // the unsigned value of the bit pattern
    case kTypeI16:
      out += FormatUnsigned32(static_cast<std::uint32_t>(LoadLittleEndian(bytes, size)));
      return kLineDone;
    case kTypeI32:
      out += FormatSigned32(static_cast<std::int32_t>(static_cast<std::uint32_t>(LoadLittleEndian(bytes, 4))));
      return kLineDone;
    case kTypeF32: {
      float f;
      std::memcpy(&f, bytes.data(), sizeof f);
      out += FormatExponent(static_cast<double>(f));
      return kLineDone;
    }
    case kTypeF64: {
      double d;
      std::memcpy(&d, bytes.data(), sizeof d);
      out += FormatExponent(d);
      return kLineDone;
    }
    case kTypeText8:
    case kTypeText16:
    case kTypeText80:
    case kTypeText1023:
      EncodeText(type, bytes, out);
      return kLineDone;
    case kTypeBlock240:
      out += BytesToHexText(bytes.first(size));
      return kLineDone;
    default:
      return kLineFault;
  }
}

std::uint8_t DecodeElementLine(std::uint8_t type, std::string_view line, std::span<std::uint8_t> bytes) {
  const std::size_t size = ElementTypeSizeOf(type);
  if (size == 0 || bytes.size() < size) return kLineFault;
  switch (type) {
    case kTypeU8Unused:
    case kTypeU8:
    case kTypeU16:
    case kTypeU32:
    case kTypeI8:
    case kTypeI16:
    case kTypeI32: {
      const WrittenRange range = WrittenRangeOf(type, size);
      std::int64_t v;
      if (!ParseWholeInteger(line, &v) || v < range.low || v > range.high) return kLineFault;
      StoreLittleEndian(bytes, size, static_cast<std::uint64_t>(v));
      return kLineDone;
    }
    case kTypeF32: {
      double d;
      if (!ParseWholeDouble(line, &d)) return kLineFault;
      float f;
      if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) {
        f = d > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
      } else {
        f = static_cast<float>(d);
      }
      std::memcpy(bytes.data(), &f, sizeof f);
      return kLineDone;
    }
    case kTypeF64: {
      double d;
      if (!ParseWholeDouble(line, &d)) return kLineFault;
      std::memcpy(bytes.data(), &d, sizeof d);
      return kLineDone;
    }
    case kTypeText8:
    case kTypeText16:
    case kTypeText80:
    case kTypeText1023:
      DecodeText(type, line, bytes);
      return kLineDone;
    case kTypeBlock240:
      HexTextToBytes(line, bytes.first(size));
      return kLineDone;
    default:
      return kLineFault;
  }
}

}  // namespace model
