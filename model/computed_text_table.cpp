// ComputedTextTable: texts that a fresh data set computes into its string elements (A byte of a string row).
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

#include "model/default_function_tables.h"
#include "platform/sys/local_time.h"
#include "platform/sys/user_name.h"

namespace model {
namespace {

// Copies text into an element of size bytes: at most size - 1 characters and the terminator.
void CopyCut(std::string_view text, char* out, std::uint16_t size) {
  if (!out || size == 0) return;
  const std::size_t n = text.size() < size - 1u ? text.size() : size - 1u;
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

std::uint8_t TextKeepDefault(char*, std::uint16_t, std::uint8_t) { return 0; }

std::uint8_t TextDate(char* out, std::uint16_t size, std::uint8_t) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::tm tm{};
  tm.tm_mday = now.wDay;
  tm.tm_mon = now.wMonth - 1;
  tm.tm_year = now.wYear - 1900;
  char text[81] = {};
  if (std::strftime(text, sizeof text, "%d.%m.%Y", &tm) == 0) text[0] = '\0';
  CopyCut(text, out, size);
  return 0;
}

std::uint8_t TextDateTime(char* out, std::uint16_t size, std::uint8_t) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  int year = now.wYear - 1900;
  if (year > 99) year -= 100;
  char text[64] = {};
  std::snprintf(text, sizeof text, "%02d.%02d.%02d/%02d:%02d:%02d", now.wDay, now.wMonth, year, now.wHour,
                now.wMinute, now.wSecond);
  CopyCut(text, out, size);
  return 0;
}

std::uint8_t TextUserName(char* out, std::uint16_t size, std::uint8_t) {
  char name[64] = {};
  DWORD length = sizeof name;
  char text[32] = {};
  if (GetUserNameA(name, &length)) {
    std::snprintf(text, sizeof text, "%.16s", name);
  } else {
    std::snprintf(text, sizeof text, "Error %Xhex", static_cast<unsigned>(GetLastError()));
    text[16] = '\0';
  }
  CopyCut(text, out, size);
  return 0;
}

std::uint8_t TextDefaultFileName(char* out, std::uint16_t size, std::uint8_t set) {
  CopyCut(set == 1 ? "NONAME2.ZPR" : "NONAME1.ZPR", out, size);
  return 0;
}

}  // namespace

extern const ComputedTextTableType kDefaultComputedTextTable = {&TextKeepDefault, &TextDate, &TextDateTime,
                                                                &TextUserName, &TextDefaultFileName};
static_assert(std::tuple_size_v<ComputedTextTableType> == 5);

}  // namespace model
