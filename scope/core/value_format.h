// How the library turns values into text: rounding for display, a number with a given count of decimals, the
// value text of a channel, the data-type table (width and largest value), hexadecimal and bit texts, fields of a
// separated text, and the time labels of the time axis and read-outs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scope {

// The value a point or sample holds while it is unset (bit pattern 0x7FEFFFFFD7B9609A).
inline constexpr double kUnsetValue = 1.797693e308;

// A double to an int, .5 away from zero (2.5 -> 3, -2.5 -> -3); values beyond the int range give its ends.
int RoundHalfAway(double value);

// "%.0f" .. "%.6f" for 0..6 decimals, "%f" for any other count.
std::string FormatByDecimals(double value, int decimals);

// The value text of a channel: 0 for a channel without key; "%.0f".."%.5f" for 0..5 decimals, "%f" for any other
// count or when the plain form is asked for.
std::string ChannelValueText(double value, int key, int decimals, bool plain = false);

// The storage width in bytes and the largest value of a data-type code.
int DataTypeWidth(int data_type);
double DataTypeMax(int data_type);

// The hexadecimal text of a number by width: "%02X" for 1 byte, "%04X" for 2, "%06X" for 3, "%08X" otherwise
// (the low 32 bits).
std::string HexText(std::uint32_t value, int width);
// A hexadecimal text as width x 8 bits, most significant first ("0A" at width 1 -> "00001010").
std::string HexToBits(std::string_view hex, int width);
// The leading run of '0'/'1' (at most its last 32 bits) as hexadecimal text by width ("1010" at width 1 -> "0A").
std::string BitsToHex(std::string_view bits, int width);

// The n-th field (from 0) between separators; empty when the text has fewer than n separators.
std::string FieldOf(std::string_view text, char separator, int n);

// A time in microseconds as a number and its unit, by the time base's digit triples: below 1000 us per sample
// whole microseconds, below 1000000 whole milliseconds, above that seconds with 3 decimals.
struct TimeLabel {
  std::string number;
  std::string unit;  // "\xB5s", "ms" or "s"
  std::string Joined() const { return number + " " + unit; }
};
TimeLabel MakeTimeLabel(double microseconds, double time_base);

}  // namespace scope
