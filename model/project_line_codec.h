// One element of a project file as one line of text, and back. The forms are fixed by the file format and
// independent of the process locale: integers in decimal (signed 8/16-bit as the unsigned value of their bit
// pattern, 32-bit values as a 32-bit long prints them), floats as "%e", texts as they are, 240-byte blocks as
// upper-case hex groups each followed by a blank.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace model {

// Status of the codec: 0 done, 3 a type without a line form or a line that holds no value of the type.
inline constexpr std::uint8_t kLineDone = 0;
inline constexpr std::uint8_t kLineFault = 3;

// Appends the line (without line end) for the stored bytes of an element of this type; bytes must hold the
// type's size. Texts are taken up to their terminator; a CR or LF inside a text becomes a blank (type 15 keeps
// its CR LF pairs as the bytes 14, 11), so that no text can add a line to the file.
std::uint8_t EncodeElementLine(std::uint8_t type, std::span<const std::uint8_t> bytes, std::string& out);

// Stores the value of a line (line end already removed) into bytes (the type's size). A number line holds one
// number between blanks and nothing else; an integer must lie in the range of its type's written form (signed
// 8- and 16-bit values also in their signed form), else the line is a fault and bytes are untouched. Texts are
// cut to their element and terminated; a block keeps the bytes after the last group read.
std::uint8_t DecodeElementLine(std::uint8_t type, std::string_view line, std::span<std::uint8_t> bytes);

// The bytes as groups of two upper-case hex digits, each followed by a blank.
std::string BytesToHexText(std::span<const std::uint8_t> bytes);
// Reads groups of two hex digits ('0'-'9', 'A'-'F'; any other character counts as 0) into out and stops after
// the first group that is not followed by a blank, or when out is full; returns the number of groups read.
std::size_t HexTextToBytes(std::string_view text, std::span<std::uint8_t> out);
// Upper-cases (ASCII) the first n characters of text, or up to its terminator.
void UpperCaseN(char* text, std::size_t n);

// Decimal forms of the 32-bit C library conversions, in the C locale.
std::string FormatUnsigned32(std::uint32_t value);  // "%lu"
std::string FormatSigned32(std::int32_t value);     // "%ld"
std::string FormatExponent(double value);          // "%e": 1.500000e+01
// strtoul / strtol with a 32-bit long: false when the text does not begin with a number. Out-of-range values
// are clamped as those functions clamp them; "-1" reads as 4294967295 without sign.
bool ParseUnsigned32(std::string_view text, std::uint32_t* value);
bool ParseSigned32(std::string_view text, std::int32_t* value);
bool ParseDouble(std::string_view text, double* value);

}  // namespace model
