// printf-style formatting in the C locale.
#include "platform/afx/string_format.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace afx {
namespace {

locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  return c;
}

}  // namespace

std::string Format(const char* format, ...) {
  if (!format) return {};
  locale_t previous = uselocale(CLocale());
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (n > 0) {
    text.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<std::size_t>(n));
  }
  va_end(again);
  uselocale(previous);
  return text;
}

}  // namespace afx
