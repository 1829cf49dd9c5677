// RebuildDerivedElements and the operating-time texts.
#include "model/derived_elements.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/saturating_cast.h"

namespace model {
namespace {

constexpr std::uint16_t kTimeTexts = 319;
constexpr std::uint16_t kVersionTextLength = 16;

std::uint8_t WriteText(std::uint16_t record, std::uint16_t element, std::uint8_t set, const std::string& text) {
  return WriteElement(record, element, text.c_str(), kModeRaw, set);
}

std::string HoursMinutesSeconds(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%uh %dmin %dsec", static_cast<unsigned>(hours),
                static_cast<int>(minutes), static_cast<int>(seconds));
  return text.data();
}

char Digit(unsigned value) { return static_cast<char>('0' + value); }

// Places a number 0..15 ending at `last`: "1" and the units digit for 10 and more, else the digit alone.
void PutNumber(std::string& text, std::size_t last, unsigned value) {
  if (value >= 10) {
    text[last - 1] = '1';
    text[last] = Digit(value - 10);
  } else {
    text[last] = Digit(value);
  }
}

// E51 from the identity bytes of record 5 (byte 5 major/minor, byte 6 kind/revision, byte 7 build):
// "K MM.mm RB" with blanks for what the device does not report, 16 characters.
std::string VersionTextFromIdentity(std::uint8_t set) {
  const auto byte = [set](std::uint16_t element) {
    return static_cast<unsigned>(IntOr(5, element, set, 0) & 0xFF);
  };
  const unsigned version = byte(5), kind = byte(6), build = byte(7);
  std::string text(kVersionTextLength, ' ');
  if (kind <= 15) {
    text[0] = 'V';
  } else if ((kind >> 4) == 1) {
    text[0] = 'D';
  } else if ((kind >> 4) == 2) {
    text[0] = 'E';
  }
  PutNumber(text, 3, version >> 4);
  text[4] = '.';
  const unsigned minor = version & 0x0F;
  const std::size_t minor_end = minor >= 10 ? 6 : 5;
  PutNumber(text, minor_end, minor);
  // One blank after the minor number, then the revision letter and the build digit.
  if ((kind & 0x0F) != 0) text[minor_end + 2] = static_cast<char>(64 + (kind & 0x0F));
  if ((build & 0x0F) != 0) text[minor_end + 3] = Digit(build & 0x0F);
  return text;
}

}  // namespace

std::uint8_t FormatOperatingTimes(std::uint8_t set) {
  std::int64_t layout = 0;
  const std::uint8_t read = ReadInt(4, 0, set, &layout);
  if (read != 0) return read;
  if (layout >= 64) {
    std::array<std::int64_t, 6> t{};
    const std::array<std::uint16_t, 6> elements = {0, 2, 3, 12, 14, 15};
    for (std::size_t i = 0; i < t.size(); ++i) {
      const std::uint8_t status = ReadInt(32, elements[i], set, &t[i]);
      if (status != 0) return status;
    }
    const std::uint8_t run = WriteText(kTimeTexts, 0, set, HoursMinutesSeconds(t[0], t[1], t[2]));
    if (run != 0) return run;
    return WriteText(kTimeTexts, 81, set, HoursMinutesSeconds(t[3], t[4], t[5]));
  }
  // Older devices count in record 10 (0.256 s ticks at 8, quarter hours at 10). A data set without that record
  // has no operating time: both texts stay empty rather than failing the rebuild.
  std::int64_t ticks = 0, quarters = 0;
  std::string text;
  if (ReadInt(10, 8, set, &ticks) == 0 && ReadInt(10, 10, set, &quarters) == 0) {
    const double h = static_cast<double>(quarters) * 0.25 + static_cast<double>(ticks) * 0.0000711111;
    const double whole = std::trunc(h);
    const double minutes = std::trunc((h - whole) * 60.0);
    const double seconds = std::trunc(((h - whole) * 60.0 - minutes) * 60.0);
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%uh %dmin %d,%dsec", SaturatingToUint32(whole),
                  SaturatingToInt32(minutes), SaturatingToInt32(seconds), static_cast<int>((ticks & 3) * 25));
    text = buffer.data();
  }
  const std::uint8_t run = WriteText(kTimeTexts, 0, set, text);
  if (run != 0) return run;
  return WriteText(kTimeTexts, 81, set, text);
}

std::uint8_t RebuildDerivedElements(std::uint8_t set) {
  const bool from_device = GetFileTypeCode(set) == kFileKindReverseDoc;
  if (from_device) {
    const std::uint8_t sorted = SortFaultMemory(set);
    if (sorted != 0) return sorted;
    std::int64_t layout = 0;
    const std::uint8_t read = ReadInt(4, 0, set, &layout);
    if (read != 0) return read;
    std::string text;
    if (layout < 'C') {
      text = VersionTextFromIdentity(set);
    } else {
      std::array<char, 17> e251{};
      const std::uint8_t e251_read = ReadElement(5, 12, e251.data(), kModeRaw, set);
      if (e251_read != 0) return e251_read;
      text = e251.data();
    }
    const std::uint8_t written = WriteText(320, 0, set, text);
    if (written != 0) return written;
    const std::uint8_t times = FormatOperatingTimes(set);
    if (times != 0) return times;
  }

  if (IntOr(33, 64, set, 0) != 2) WriteNumberRaw(33, 65, set, 0);
  // The active parameter set's motor last.
  const bool second_active = IntOr(33, 61, set, 0) != 0;
  const std::uint16_t element = from_device ? 65535 : 4;  // device data: family-2 scaling is not written back
  RecalcMotorDerivedValues(second_active ? 42 : 43, element, set);
  RecalcMotorDerivedValues(second_active ? 43 : 42, element, set);
  RecalcRecord55Derived(55, 0, set);
  return RecalcDerivedFrom512And514(514, 4, set);
}

}  // namespace model
