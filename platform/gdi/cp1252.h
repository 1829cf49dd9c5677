// Windows-1252, the single-byte text of the programs and their files, to and from Unicode: conversion happens
// only where text is drawn or comes from the X11 keyboard.
#pragma once

#include <string>
#include <string_view>

namespace platform::gdi {

char32_t Cp1252ToUnicode(unsigned char c);
// The Windows-1252 byte of a code point; -1 when it has none.
int UnicodeToCp1252(char32_t u);
std::string Cp1252ToUtf8(std::string_view text);
// UTF-8 text (from other programs) as Windows-1252: a character it has no byte for, or a broken sequence, becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace platform::gdi
